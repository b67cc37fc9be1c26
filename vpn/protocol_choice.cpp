#include "vpn/protocol_choice.h"

#include "app/app_context.h"
#include "app/settings_file.h"
#include "ui/button_pictures.h"
#include "ui/main_window.h"
#include "ui/marks.h"
#include "vpn/connection_lookup.h"

namespace {

toolkit::ButtonPictures Pictures(const layout::ButtonPictureNames& names) {
  return {std::string(names.normal), std::string(names.hot), std::string(names.disabled)};
}

}  // namespace

void SelectProtocol(AppContext& context, std::string protocol) {
  if (protocol.empty()) protocol = "SSTP";
  context.state->protocol = protocol;
  WriteSetting(context.state->settingsPath, kProtocolSetting, protocol);

  toolkit::Window& window = MainWindow(context);
  toolkit::PictureBox* pptp = &window.Picture("图片框_PPTP");
  toolkit::PictureBox* l2tp = &window.Picture("图片框_L2TP");
  toolkit::PictureBox* sstp = &window.Picture("图片框_SSTP");
  toolkit::PictureBox* chosen = protocol == "PPTP" ? pptp : protocol == "L2TP" ? l2tp : protocol == "SSTP" ? sstp : nullptr;
  if (chosen != nullptr) SelectRadioMark({pptp, l2tp, sstp}, chosen);
}

// The service is asked three times, once for each part of the button, as the button has always
// been refreshed: should the tunnel change state between the questions, tag and pictures may
// disagree until the next refresh.
void RefreshConnectButton(AppContext& context) {
  toolkit::ImageButton& button = MainWindow(context).Button("超级按钮_连接");
  button.SetTag(IsVpnConnected(context) ? "断开" : "连接");
  button.SetNormalPicture(IsVpnConnected(context) ? kDisconnectPictures.normal : kConnectPictures.normal);
  button.SetPictures(Pictures(IsVpnConnected(context) ? kDisconnectPictures : kConnectPictures));
}

void WaitWithEvents(AppContext& context, int milliseconds) { context.ui.WaitProcessingMessages(milliseconds); }

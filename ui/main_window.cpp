#include "ui/main_window.h"

#include "app/app_context.h"
#include "app/confirm_window.h"
#include "lines/line_choice.h"
#include "ui/main_window_layout.h"
#include "ui/main_window_settings.h"
#include "ui/tray_icon.h"
#include "vpn/protocol_choice.h"

namespace {

void BindProtocolChoice(AppContext& context, toolkit::Window& window) {
  for (const char* protocol : {"PPTP", "L2TP", "SSTP"}) {
    std::string suffix = std::string("_") + protocol;
    auto choose = [&context, protocol] { SelectProtocol(context, protocol); };
    window.Picture("图片框" + suffix).OnLeftPress(choose);
    window.Label("透明标签" + suffix).OnLeftPress(choose);
  }
}

void BindMainWindow(AppContext& context, toolkit::Window& window) {
  window.Label("透明标签_最小化").OnLeftPress([&context] { HideMainWindow(context); });
  window.Label("透明标签_关闭").OnLeftPress([&context] { AskExit(context); });
  window.Label("透明标签_注销").OnLeftPress([&context] { AskLogout(context); });
  window.Label("透明标签_连接成功后自动最小化").OnLeftPress([&context] { ToggleAutoMinimise(context); });
  window.Label("透明标签_电脑开机自动开启软件").OnLeftPress([&context] { ToggleAutoStart(context); });
  BindProtocolChoice(context, window);
  BindLineChoice(context, window);
}

}  // namespace

toolkit::Window& LoadMainWindow(AppContext& context) {
  return context.ui.LoadWindow(kMainWindowLayout, [&context](toolkit::Window& window) {
    BindMainWindow(context, window);
    RestoreMainWindowSettings(context);
  });
}

toolkit::Window& MainWindow(AppContext& context) { return *context.ui.FindWindow(kMainWindowName); }

// Only the tray icon brings a hidden window back. Where the desktop has no notification area the
// window stays: hidden, it would be lost, and a new start is refused while this copy runs.
void HideMainWindow(AppContext& context) {
  if (!context.state->trayIcon.IconShown()) return;
  MainWindow(context).Hide();
}

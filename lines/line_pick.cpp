#include "lines/line_pick.h"

#include <string>

#include "app/app_context.h"
#include "app/settings_file.h"
#include "lines/line_list_view.h"
#include "service/service_endpoints.h"
#include "ui/main_window.h"
#include "vpn/protocol_choice.h"

namespace {

void ShowPickedLine(AppContext& context, toolkit::Window& window, const std::string& name) {
  window.Label("透明标签_已选线路").SetText(name);
  window.Label("透明标签_当前线路").SetText(name);
  WriteSetting(context.state->settingsPath, kServerSetting, context.state->serverHost);
  WriteSetting(context.state->settingsPath, kServerNameSetting, name);
}

}  // namespace

void OnLinePicked(AppContext& context) {
  AppState& state = *context.state;
  toolkit::Window& window = MainWindow(context);
  toolkit::ReportListView& list = window.List("超级列表框_节点列表");
  const int row = list.CurrentRow();
  // A row without a host, such as the placeholder listed before the first download, is no line:
  // taking it would leave nothing to dial and wipe the stored line.
  if (row < 0 || list.Cell(row, kHostColumn).empty()) return;
  state.serverHost = list.Cell(row, kHostColumn);
  state.staticIp = list.Cell(row, kStaticIpColumn);
  const std::string name = list.Cell(row, kProvinceColumn) + list.Cell(row, kCityColumn);

  if (state.lineMode == kStaticLineMode) {
    toolkit::TransparentLabel& status = window.Label("透明标签_连接状态");
    if (!RequestStaticIpReservation(context.services.createRequestObject, context.configuration.ApiAddress(),
                                    state.account, state.staticIp)) {
      status.SetText("设置静态IP失败！该线路暂时不可用，请重试或者尝试切换其他线路！");
      return;
    }
    ShowPickedLine(context, window, name);
    status.SetText("设置静态IP成功！");
    SelectProtocol(context, "SSTP");
  } else if (state.lineMode == kDynamicLineMode) {
    ShowPickedLine(context, window, name);
  }
}

#include "lines/line_choice.h"

#include <string>
#include <utility>

#include "app/app_context.h"
#include "lines/line_list_view.h"
#include "lines/line_mode.h"
#include "lines/line_pick.h"
#include "ui/main_window.h"
#include "vpn/protocol_choice.h"

namespace {

constexpr int kOpenProvinceListHeight = 120;

// The dynamic catalogue in dynamic mode; the static one otherwise.
LineCatalogue& CurrentCatalogue(AppState& state) {
  return state.lineMode == kDynamicLineMode ? state.dynamicLines : state.staticLines;
}

void ShowAllProvinces(AppContext& context) {
  context.state->lineFilter.clear();
  MainWindow(context).Label("透明标签_省份已选").SetText("全部");
}

}  // namespace

void OnDynamicPicturePressed(AppContext& context) { SetLineMode(context, kDynamicLineMode); }

void OnDynamicLabelPressed(AppContext& context) {
  ShowAllProvinces(context);
  SetLineMode(context, kDynamicLineMode);
}

void OnStaticPicturePressed(AppContext& context) { SetLineMode(context, kStaticLineMode); }

void OnStaticLabelPressed(AppContext& context) {
  ShowAllProvinces(context);
  SelectProtocol(context, "SSTP");
  SetLineMode(context, kStaticLineMode);
}

void ToggleProvinceList(AppContext& context) {
  toolkit::ReportListView& provinces = MainWindow(context).List("超级列表框_省份");
  if (provinces.Visible()) {
    provinces.SetVisible(false);
    return;
  }
  provinces.SetVisible(true);
  provinces.SetHeight(kOpenProvinceListHeight);
}

void OnProvincePicked(AppContext& context) {
  toolkit::Window& window = MainWindow(context);
  toolkit::ReportListView& provinces = window.List("超级列表框_省份");
  const int row = provinces.CurrentRow();
  if (row < 0) return;
  std::string province = provinces.Cell(row, 0);
  window.Label("透明标签_省份已选").SetText(province);
  provinces.SetVisible(false);
  AppState& state = *context.state;
  state.lineFilter = std::move(province);
  SearchLines(context, CurrentCatalogue(state), state.lineFilter);
}

void OnSearchPressed(AppContext& context) {
  AppState& state = *context.state;
  state.lineFilter = MainWindow(context).Edit("编辑框_搜索").Text();
  SearchLines(context, CurrentCatalogue(state), state.lineFilter);
}

void BindLineChoice(AppContext& context, toolkit::Window& mainWindow) {
  auto bind = [&context](void (*handler)(AppContext&)) { return [&context, handler] { handler(context); }; };
  mainWindow.Picture("图片框_动态线路").OnLeftPress(bind(OnDynamicPicturePressed));
  mainWindow.Label("透明标签_动态线路").OnLeftPress(bind(OnDynamicLabelPressed));
  mainWindow.Picture("图片框_静态线路").OnLeftPress(bind(OnStaticPicturePressed));
  mainWindow.Label("透明标签_静态线路").OnLeftPress(bind(OnStaticLabelPressed));
  mainWindow.Label("透明标签_省份已选").OnLeftPress(bind(ToggleProvinceList));
  mainWindow.Label("透明标签_省份下拉按钮").OnLeftPress(bind(ToggleProvinceList));
  mainWindow.List("超级列表框_省份").OnRowChosen(bind(OnProvincePicked));
  mainWindow.Label("透明标签_搜索").OnLeftPress(bind(OnSearchPressed));
  mainWindow.List("超级列表框_节点列表").OnRowChosen(bind(OnLinePicked));
}

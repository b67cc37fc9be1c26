#include "lines/line_mode.h"

#include "app/app_context.h"
#include "app/settings_file.h"
#include "lines/line_download.h"
#include "lines/line_list_view.h"
#include "ui/main_window.h"
#include "ui/marks.h"

void SetLineMode(AppContext& context, std::string mode) {
  if (mode.empty()) mode = kDynamicLineMode;
  AppState& state = *context.state;
  state.lineMode = mode;
  WriteSetting(state.settingsPath, kLineModeSetting, mode);

  toolkit::Window& window = MainWindow(context);
  toolkit::PictureBox* dynamicMark = &window.Picture("图片框_动态线路");
  toolkit::PictureBox* staticMark = &window.Picture("图片框_静态线路");
  if (mode == kDynamicLineMode) SelectRadioMark({dynamicMark, staticMark}, dynamicMark);
  if (mode == kStaticLineMode) SelectRadioMark({dynamicMark, staticMark}, staticMark);
  RefreshLines(context);
}

void RefreshLines(AppContext& context) {
  AppState& state = *context.state;
  toolkit::TransparentLabel& status = MainWindow(context).Label("透明标签_连接状态");
  status.SetText("正在获取线路数据，请稍候...");
  if (state.lineListBusy.exchange(1) == 0) {
    if (state.lineMode == kDynamicLineMode) {
      StartUpdateDynamicLines(context);
      FillLineList(context, state.dynamicLines);
      FillProvinceList(context, state.dynamicLines);
    } else if (state.lineMode == kStaticLineMode) {
      StartUpdateStaticLines(context);
      FillLineList(context, state.staticLines);
      FillProvinceList(context, state.staticLines);
    }
    state.lineListBusy.store(0);
  }
  status.SetText("获取线路数据成功！");
}

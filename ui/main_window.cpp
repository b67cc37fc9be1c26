#include "ui/main_window.h"

#include "app/app_context.h"
#include "app/confirm_window.h"
#include "ui/main_window_layout.h"

namespace {

void BindMainWindow(AppContext& context, toolkit::Window& window) {
  window.Label("透明标签_最小化").OnLeftPress([&context] { HideMainWindow(context); });
  window.Label("透明标签_关闭").OnLeftPress([&context] { AskExit(context); });
  window.Label("透明标签_注销").OnLeftPress([&context] { AskLogout(context); });
}

}  // namespace

toolkit::Window& LoadMainWindow(AppContext& context) {
  return context.ui.LoadWindow(kMainWindowLayout, [&context](toolkit::Window& window) {
    BindMainWindow(context, window);
    window.SetCaption("TrevaloIP");
  });
}

toolkit::Window& MainWindow(AppContext& context) { return *context.ui.FindWindow(kMainWindowName); }

void HideMainWindow(AppContext& context) { MainWindow(context).Hide(); }

#include "app/confirm_window.h"

#include "app/app_context.h"
#include "app/confirm_window_layout.h"
#include "app/login_window.h"
#include "ui/main_window.h"
#include "vpn/connection_lookup.h"

namespace {

constexpr const char* kLogoutPrompt = "确认注销吗？";
constexpr const char* kExitPrompt = "确认退出程序吗？";

toolkit::Window& LoadConfirmWindow(AppContext& context) {
  return context.ui.LoadWindow(kConfirmWindowLayout, [&context](toolkit::Window& window) {
    window.Button("超级按钮_确认").OnClick([&context] { OnConfirmAccepted(context); });
    window.Button("超级按钮_取消").OnClick([&context] { OnConfirmCancelled(context); });
    window.Label("透明标签_关闭").OnLeftPress([&context] { CloseConfirmWindow(context); });
    window.Label("透明标签_提示信息").SetText(context.state->confirmPrompt);
  });
}

void Ask(AppContext& context, const char* prompt) {
  context.state->confirmPrompt = prompt;
  toolkit::Window& window = LoadConfirmWindow(context);
  window.Show();
  window.Label("透明标签_提示信息").SetText(context.state->confirmPrompt);
}

}  // namespace

void AskLogout(AppContext& context) { Ask(context, kLogoutPrompt); }

void AskExit(AppContext& context) { Ask(context, kExitPrompt); }

void OnConfirmAccepted(AppContext& context) {
  const std::string& prompt = context.state->confirmPrompt;
  if (prompt == kLogoutPrompt) {
    // Only the windows change: the tunnel stays up and the state keeps every value.
    LoginWindow(context).Show();
    LoadConfirmWindow(context).Hide();
    MainWindow(context).Hide();
  } else if (prompt == kExitPrompt) {
    HangUpVpn(context, "");
    context.ui.EndProcess(0);
  }
}

void OnConfirmCancelled(AppContext& context) {
  LoadConfirmWindow(context).Hide();
  MainWindow(context).Show();
}

void CloseConfirmWindow(AppContext& context) { LoadConfirmWindow(context).Hide(); }

#include "app/login_window.h"

#include "account/login.h"
#include "account/login_window_layout.h"
#include "app/app_context.h"
#include "app/settings_file.h"
#include "app/single_instance.h"
#include "lines/line_download.h"
#include "ui/main_window.h"
#include "vpn/connection_lookup.h"

namespace {

constexpr int kBarStart = -500;
constexpr int kBarStep = 5;
constexpr int kBarEnd = -129;  // the bar has slid in once its left edge is no longer below this

void BindLoginWindow(AppContext& context, toolkit::Window& window) {
  window.Edit("编辑框_帐号").OnTextChanged([&context] { OnAccountChanged(context); });
  window.Edit("编辑框_密码").OnTextChanged([&context] { OnPasswordChanged(context); });
  window.Label("透明标签_记住密码").OnLeftPress([&context] { ToggleRememberPassword(context); });
  window.Label("透明标签_自动登录").OnLeftPress([&context] { ToggleAutoLogin(context); });
  window.Button("超级按钮_登录").OnClick([&context] { OnLoginClicked(context); });
  window.Label("透明标签_关闭").OnLeftPress([&context] { CloseLoginWindow(context); });
  window.Timer("时钟1").OnTick([&context] { OnLoginTimerTick(context); });
}

}  // namespace

toolkit::Window& LoadLoginWindow(AppContext& context) {
  return context.ui.LoadWindow(kLoginWindowLayout, [&context](toolkit::Window& window) {
    BindLoginWindow(context, window);
    OnLoginWindowCreated(context);
  });
}

toolkit::Window& LoginWindow(AppContext& context) { return *context.ui.FindWindow(kLoginWindowName); }

void OnLoginWindowCreated(AppContext& context) {
  EnsureSingleInstance(context, "TrevaloIP禁止程序重复运行", "程序已运行，请勿重复打开！", toolkit::kErrorIcon);
  HangUpVpn(context, "");
  if (context.services.isInternetConnected(context.configuration.internetCheckUrl) == 1) {
    StartLoadDynamicLines(context);
    StartLoadStaticLines(context);
  }
  LoginWindow(context).SetCaption("TrevaloIP");
  context.state->settingsPath = ResolveSettingsPath();
  RestoreLoginSettings(context);
}

void OnLoginTimerTick(AppContext& context) {
  toolkit::Window& window = LoginWindow(context);
  toolkit::PictureBox& bar = window.Picture("图片框1");
  bar.SetPlace(bar.Left() + kBarStep, bar.Top());
  if (bar.Left() < kBarEnd) return;

  window.Timer("时钟1").SetPeriod(0);
  LoadMainWindow(context).Show();
  window.Hide();
  window.Button("超级按钮_登录").SetEnabled(true);
  bar.SetPlace(kBarStart, bar.Top());
}

void CloseLoginWindow(AppContext& context) { context.ui.EndProcess(0); }

#include "account/login.h"

#include "app/app_context.h"
#include "app/login_window.h"
#include "app/settings_file.h"
#include "service/service_endpoints.h"
#include "ui/marks.h"

namespace {

constexpr const char* kStatusLabel = "透明标签_登录状态";
constexpr int kHandOverTickMs = 1;

void ToggleLoginSwitch(AppContext& context, const char* pictureBox, std::string& option) {
  std::optional<std::string> state = ToggleCheckMark(LoginWindow(context).Picture(pictureBox));
  if (!state) return;
  option = *state;
  SaveLoginSettings(context);
}

}  // namespace

void OnLoginClicked(AppContext& context) {
  toolkit::Window& window = LoginWindow(context);
  toolkit::TransparentLabel& status = window.Label(kStatusLabel);
  // The boxes are read afresh at every step: a handler running inside the request may change them.
  auto account = [&] { return window.Edit("编辑框_帐号").Text(); };
  auto password = [&] { return window.Edit("编辑框_密码").Text(); };

  if (account().empty() && password().empty()) {
    status.SetText("请输入账号和密码！");
    return;
  }
  if (account().empty()) status.SetText("请输入账号！");
  if (password().empty()) status.SetText("请输入密码！");

  const std::string& testPage = context.configuration.internetCheckUrl;
  if (context.services.isInternetConnected(testPage) == 1) {
    if (account().empty() || password().empty()) return;
    LoginAnswer answer =
        RequestLogin(context.services.createRequestObject, context.configuration.ApiAddress(), account(), password());
    AppState& state = *context.state;
    state.loginResponse = answer.response;
    state.loginCode = answer.code;
    if (answer.Succeeded()) {
      status.SetText("");
      state.expiryTime = answer.expiryTime;
      window.Button("超级按钮_登录").SetEnabled(false);
      window.Timer("时钟1").SetPeriod(kHandOverTickMs);
    } else {
      state.loginMessage = answer.message;
      status.SetText(state.loginMessage);
    }
  } else if (context.services.isInternetConnected(testPage) == 0) {
    status.SetText("访问网络失败，当前你的电脑可能无网络，请联网后再试");
  }
}

void OnAccountChanged(AppContext& context) {
  context.state->account = LoginWindow(context).Edit("编辑框_帐号").Text();
  WriteSetting(context.state->settingsPath, kAccountSetting, context.state->account);
}

void OnPasswordChanged(AppContext& context) {
  context.state->password = LoginWindow(context).Edit("编辑框_密码").Text();
  WriteSetting(context.state->settingsPath, kPasswordSetting, context.state->password);
}

void ToggleRememberPassword(AppContext& context) {
  ToggleLoginSwitch(context, "图片框_记住密码", context.state->rememberPassword);
}

void ToggleAutoLogin(AppContext& context) { ToggleLoginSwitch(context, "图片框_自动登录", context.state->autoLogin); }

void SaveLoginSettings(AppContext& context) {
  toolkit::Window& window = LoginWindow(context);
  AppState& state = *context.state;
  state.account = window.Edit("编辑框_帐号").Text();
  state.password = window.Edit("编辑框_密码").Text();
  state.rememberPassword = window.Picture("图片框_记住密码").Tag();
  state.autoLogin = window.Picture("图片框_自动登录").Tag();
  WriteSetting(state.settingsPath, kAccountSetting, state.account);
  WriteSetting(state.settingsPath, kPasswordSetting, state.password);
  WriteSetting(state.settingsPath, kRememberPasswordSetting, state.rememberPassword);
  WriteSetting(state.settingsPath, kAutoLoginSetting, state.autoLogin);
}

void RestoreLoginSettings(AppContext& context) {
  toolkit::Window& window = LoginWindow(context);
  AppState& state = *context.state;
  state.rememberPassword = ReadSetting(state.settingsPath, kRememberPasswordSetting);
  if (state.rememberPassword == kYes) {
    SetCheckMark(window.Picture("图片框_记住密码"), true);
    state.account = ReadSetting(state.settingsPath, kAccountSetting);
    state.password = ReadSetting(state.settingsPath, kPasswordSetting);
    window.Edit("编辑框_帐号").SetText(state.account);
    window.Edit("编辑框_密码").SetText(state.password);
    state.autoLogin = ReadSetting(state.settingsPath, kAutoLoginSetting);
    if (state.autoLogin == kYes) {
      SetCheckMark(window.Picture("图片框_自动登录"), true);
      OnLoginClicked(context);
    }
  } else if (state.rememberPassword == kNo) {
    SetCheckMark(window.Picture("图片框_记住密码"), false);
  }
}

#include "account/login.h"

#include <gtest/gtest.h>

#include "account/login_window_layout.h"
#include "app/login_window.h"
#include "app/settings_file.h"
#include "tests/support/app_fixture.h"
#include "tests/support/loopback_http_server.h"

namespace {

constexpr const char* kOffline = "访问网络失败，当前你的电脑可能无网络，请联网后再试";

const std::string kSuccess =
    R"({"status": "ok", "code": 100, "data": {"user": "user1", "expiretime": "2030-06-01 10:28:17"}})";
const std::string kRefused = R"({"status": "error", "msg": "\u5bc6\u7801\u9519\u8bef", "code": 101, "data": {}})";

class Login : public AppFixture {
 protected:
  void Start(std::vector<ScriptedResponse> script = {MakeResponse("HTTP/1.1 200 OK", {}, kSuccess)}) {
    api = std::make_unique<LoopbackHttpServer>(std::move(script));
    context.configuration.apiPort = api->port();
    LoadLoginWindow(context).Show();
  }
  // The login requests the service saw; the line downloads that start with the window are not.
  std::vector<std::string> LoginRequests() {
    context.workers.JoinAll();
    std::vector<std::string> requests = api->Requests();
    std::erase_if(requests, [](const std::string& r) { return !r.starts_with("GET /userinfo/"); });
    return requests;
  }
  toolkit::headless::HeadlessWindow& login() { return Window(kLoginWindowName); }
  std::string Status() { return login().Label("透明标签_登录状态").Text(); }
  void Type(const std::string& account, const std::string& password) {
    login().Edit("编辑框_帐号").SimulateTyping(account);
    login().Edit("编辑框_密码").SimulateTyping(password);
  }
  void Press() { login().Button("超级按钮_登录").SimulateClick(); }

  std::unique_ptr<LoopbackHttpServer> api;
};

TEST_F(Login, FailureTable) {
  struct {
    const char* account;
    const char* password;
    bool online;
    const char* status;
  } cases[] = {
      {"", "", true, "请输入账号和密码！"},
      {"", "", false, "请输入账号和密码！"},
      {"", "pw", true, "请输入账号！"},
      {"user1", "", true, "请输入密码！"},
      {"", "pw", false, kOffline},
      {"user1", "", false, kOffline},
      {"user1", "pw", false, kOffline},
  };
  Start();
  for (const auto& c : cases) {
    login().Edit("编辑框_帐号").SetText(c.account);
    login().Edit("编辑框_密码").SetText(c.password);
    online = c.online;
    Press();
    EXPECT_EQ(Status(), c.status) << c.account << "/" << c.password << " online " << c.online;
  }
  EXPECT_TRUE(LoginRequests().empty());
}

TEST_F(Login, SuccessStartsTheHandOverAndClearsAnEarlierMessage) {
  Start();
  login().Label("透明标签_登录状态").SetText("请输入账号！");
  Type("user 1&x", "p&w");
  Press();
  ASSERT_EQ(LoginRequests().size(), 1u);
  // Typed values go into the query as they are; only the space is escaped by the transport.
  EXPECT_TRUE(LoginRequests()[0].starts_with("GET /userinfo/?type=trevalo&user=user%201&x&password=p&w HTTP/1.1"))
      << LoginRequests()[0];
  EXPECT_EQ(Status(), "");
  EXPECT_EQ(context.state->loginCode, "100");
  EXPECT_EQ(context.state->expiryTime, "2030-06-01 10:28:17");
  EXPECT_FALSE(login().Button("超级按钮_登录").Enabled());
  EXPECT_EQ(login().Timer("时钟1").Period(), 1);
}

TEST_F(Login, RefusalShowsTheServiceMessage) {
  Start({MakeResponse("HTTP/1.1 200 OK", {}, kRefused)});
  Type("user1", "wrong");
  Press();
  EXPECT_EQ(Status(), "密码错误");
  EXPECT_EQ(context.state->loginMessage, "密码错误");
  EXPECT_TRUE(login().Button("超级按钮_登录").Enabled());
  EXPECT_EQ(login().Timer("时钟1").Period(), 0);
}

TEST_F(Login, NoAnswerOrAnotherLayoutLeavesAnEmptyStatus) {
  for (const std::string& body : {std::string("<html>busy</html>"),
                                  std::string(R"({"status": "ok", "code":100, "data": {}})")}) {
    Start({MakeResponse("HTTP/1.1 200 OK", {}, body)});
    login().Label("透明标签_登录状态").SetText("old");
    Type("user1", "pw");
    Press();
    EXPECT_EQ(Status(), "") << body;
    EXPECT_TRUE(login().Button("超级按钮_登录").Enabled());
  }
  context.configuration.apiPort = ClosedLoopbackPort();
  login().Label("透明标签_登录状态").SetText("old");
  Press();
  EXPECT_EQ(Status(), "");
}

TEST_F(Login, TypingWritesThroughWhateverTheSwitchSays) {
  Start();
  Type("ab", "secret");
  EXPECT_EQ(context.state->account, "ab");
  EXPECT_EQ(context.state->password, "secret");
  EXPECT_EQ(ReadSetting(SettingsPath(), kPasswordSetting), "secret");
  EXPECT_EQ(ReadSetting(SettingsPath(), kAccountSetting), "ab");
  EXPECT_EQ(ReadSetting(SettingsPath(), kRememberPasswordSetting), "");
}

TEST_F(Login, TogglingASwitchSavesBothBoxesAndBothSwitches) {
  Start();
  login().Edit("编辑框_帐号").SetText("user1");
  login().Edit("编辑框_密码").SetText("pw");
  WriteSetting(SettingsPath(), kAccountSetting, "stale");
  login().Label("透明标签_自动登录").SimulatePress();
  EXPECT_EQ(login().Picture("图片框_自动登录").Tag(), "yes");
  EXPECT_EQ(login().Picture("图片框_自动登录").Picture(), "tick");
  EXPECT_EQ(ReadSetting(SettingsPath(), kAccountSetting), "user1");
  EXPECT_EQ(ReadSetting(SettingsPath(), kPasswordSetting), "pw");
  EXPECT_EQ(ReadSetting(SettingsPath(), kRememberPasswordSetting), "no");
  EXPECT_EQ(ReadSetting(SettingsPath(), kAutoLoginSetting), "yes");

  login().Label("透明标签_记住密码").SimulatePress();
  login().Label("透明标签_记住密码").SimulatePress();
  EXPECT_EQ(context.state->rememberPassword, "no");
  EXPECT_EQ(ReadSetting(SettingsPath(), kRememberPasswordSetting), "no");
  EXPECT_EQ(login().Picture("图片框_记住密码").Picture(), "untick");

  login().Picture("图片框_记住密码").SetTag("maybe");
  login().Label("透明标签_记住密码").SimulatePress();
  EXPECT_EQ(login().Picture("图片框_记住密码").Tag(), "maybe");
  EXPECT_EQ(ReadSetting(SettingsPath(), kRememberPasswordSetting), "no");
}

class Restore : public Login {
 protected:
  void Store(const char* remember, const char* autoLogin) {
    WriteSetting(SettingsPath(), kAccountSetting, "user1");
    WriteSetting(SettingsPath(), kPasswordSetting, "pw");
    if (remember) WriteSetting(SettingsPath(), kRememberPasswordSetting, remember);
    if (autoLogin) WriteSetting(SettingsPath(), kAutoLoginSetting, autoLogin);
  }
};

struct RestoreCase {
  const char* remember;  // null: not stored
  const char* autoLogin;
  const char* account;   // in the box after start
  const char* rememberTag;
  const char* autoTag;
  bool loggedIn;
};

class RestoreCombination : public Restore, public testing::WithParamInterface<RestoreCase> {};

TEST_P(RestoreCombination, FillsTheBoxesAndLogsInOnlyWhenAsked) {
  const RestoreCase& c = GetParam();
  Store(c.remember, c.autoLogin);
  Start();
  EXPECT_EQ(login().Edit("编辑框_帐号").Text(), c.account);
  EXPECT_EQ(login().Picture("图片框_记住密码").Tag(), c.rememberTag);
  EXPECT_EQ(login().Picture("图片框_自动登录").Tag(), c.autoTag);
  EXPECT_EQ(LoginRequests().size(), c.loggedIn ? 1u : 0u);
  EXPECT_EQ(login().Timer("时钟1").Period(), c.loggedIn ? 1 : 0);
  // The file keeps the credentials either way.
  EXPECT_EQ(ReadSetting(SettingsPath(), kPasswordSetting), "pw");
}

INSTANTIATE_TEST_SUITE_P(Cases, RestoreCombination,
                         testing::Values(RestoreCase{nullptr, nullptr, "", "no", "no", false},
                                         RestoreCase{"no", "yes", "", "no", "no", false},
                                         RestoreCase{nullptr, "yes", "", "no", "no", false},
                                         RestoreCase{"Yes", "yes", "", "no", "no", false},
                                         RestoreCase{"yes", nullptr, "user1", "yes", "no", false},
                                         RestoreCase{"yes", "no", "user1", "yes", "no", false},
                                         RestoreCase{"yes", "yes", "user1", "yes", "yes", true}),
                         [](const testing::TestParamInfo<RestoreCase>& info) {
                           auto word = [](const char* value) { return std::string(value ? value : "absent"); };
                           return "Remember_" + word(info.param.remember) + "_AutoLogin_" + word(info.param.autoLogin);
                         });

TEST_F(Restore, AutomaticLoginThatFailsShowsTheMessage) {
  Store("yes", "yes");
  Start({MakeResponse("HTTP/1.1 200 OK", {}, kRefused)});
  EXPECT_EQ(Status(), "密码错误");
  EXPECT_TRUE(login().Visible());
}

}  // namespace

#include "app/login_window.h"

#include <gtest/gtest.h>

#include "account/login_window_layout.h"
#include "app/confirm_window.h"
#include "app/confirm_window_layout.h"
#include "app/settings_file.h"
#include "tests/support/app_fixture.h"
#include "tests/support/loopback_http_server.h"
#include "ui/main_window_layout.h"

namespace {

using toolkit::headless::ProcessEnded;

class LoginWindowStart : public AppFixture {};

TEST_F(LoginWindowStart, CreationRunsItsStepsInOrder) {
  LoopbackHttpServer api({MakeResponse("HTTP/1.1 200 OK", {}, "{\"code\": 0}")});
  context.configuration.apiPort = api.port();
  remoteAccess.connections = {{7, "left from last run", "VPN"}};

  LoadLoginWindow(context);
  context.workers.JoinAll();

  EXPECT_EQ(claims, std::vector<std::string>{"TrevaloIP禁止程序重复运行"});
  EXPECT_EQ(remoteAccess.hungUp, std::vector<std::uint32_t>{7});
  EXPECT_EQ(checkedPages, std::vector<std::string>{context.configuration.internetCheckUrl});
  // Both line lists were asked for, each by a worker of its own.
  std::vector<std::string> requests = api.Requests();
  ASSERT_EQ(requests.size(), 2u);
  std::sort(requests.begin(), requests.end());
  EXPECT_TRUE(requests[0].starts_with("GET /getstaticiplist/ HTTP/1.1\r\n"));
  EXPECT_TRUE(requests[1].starts_with("GET /serverlistpc/ HTTP/1.1\r\n"));
  EXPECT_EQ(Window(kLoginWindowName).Caption(), "TrevaloIP");
  EXPECT_EQ(context.state->settingsPath, SettingsPath());
  EXPECT_TRUE(ui.MessageBoxes().empty());
}

TEST_F(LoginWindowStart, OfflineStartsNoDownload) {
  LoopbackHttpServer api({MakeResponse("HTTP/1.1 200 OK", {}, "{}")});
  context.configuration.apiPort = api.port();
  online = false;
  LoadLoginWindow(context);
  context.workers.JoinAll();
  EXPECT_TRUE(api.Requests().empty());
  EXPECT_EQ(context.state->settingsPath, SettingsPath());
}

TEST_F(LoginWindowStart, SecondCopyIsRefusedWithOneMessageAndTouchesNothing) {
  anotherCopyRunning = true;
  remoteAccess.connections = {{7, "TrevaloIP", "vpn"}};
  EXPECT_THROW(LoadLoginWindow(context), ProcessEnded);
  ASSERT_EQ(ui.MessageBoxes().size(), 1u);
  EXPECT_EQ(ui.MessageBoxes()[0].text, "程序已运行，请勿重复打开！");
  EXPECT_EQ(ui.MessageBoxes()[0].title, "友情提醒:");
  EXPECT_EQ(ui.MessageBoxes()[0].flags, 16);
  EXPECT_TRUE(remoteAccess.hungUp.empty());
  EXPECT_TRUE(checkedPages.empty());
}

class HandOver : public AppFixture {
 protected:
  void SetUp() override {
    online = false;
    LoadLoginWindow(context).Show();
    login().Button("超级按钮_登录").SetEnabled(false);
    login().Timer("时钟1").SetPeriod(1);
  }
  toolkit::headless::HeadlessWindow& login() { return Window(kLoginWindowName); }
};

TEST_F(HandOver, TakesSeventyFiveTicksOfTheSlidingBar) {
  std::vector<int> positions;
  for (int tick = 1; tick <= 74; ++tick) {
    ui.AdvanceTime(1);
    positions.push_back(login().Picture("图片框1").Left());
    ASSERT_EQ(ui.FindWindow(kMainWindowName), nullptr) << "handed over early, at tick " << tick;
  }
  EXPECT_EQ(positions.front(), -495);
  EXPECT_EQ(positions.back(), -130);

  ui.AdvanceTime(1);
  ASSERT_NE(ui.FindWindow(kMainWindowName), nullptr);
  EXPECT_TRUE(Window(kMainWindowName).Visible());
  EXPECT_FALSE(login().Visible());
  EXPECT_EQ(login().Timer("时钟1").Period(), 0);
  EXPECT_TRUE(login().Button("超级按钮_登录").Enabled());
  EXPECT_EQ(login().Picture("图片框1").Left(), -500);
  EXPECT_EQ(Window(kMainWindowName).Caption(), "TrevaloIP");
}

class Confirmation : public HandOver {
 protected:
  void SetUp() override {
    HandOver::SetUp();
    ui.AdvanceTime(75);
    context.state->account = "user1";
    context.state->expiryTime = "2030-01-01 00:00:00";
    remoteAccess.connections = {{3, "TrevaloIP", "vpn"}};
  }
  toolkit::headless::HeadlessWindow& main() { return Window(kMainWindowName); }
  toolkit::headless::HeadlessWindow& confirm() { return Window(kConfirmWindowName); }
};

TEST_F(Confirmation, LogoutKeepsTheTunnelAndTheState) {
  main().Label("透明标签_注销").SimulatePress();
  EXPECT_TRUE(confirm().Visible());
  EXPECT_TRUE(main().Visible());
  EXPECT_EQ(confirm().Label("透明标签_提示信息").Text(), "确认注销吗？");

  confirm().Button("超级按钮_确认").SimulateClick();
  EXPECT_TRUE(login().Visible());
  EXPECT_FALSE(confirm().Visible());
  EXPECT_FALSE(main().Visible());
  EXPECT_TRUE(remoteAccess.hungUp.empty());
  EXPECT_EQ(context.state->account, "user1");
  EXPECT_EQ(context.state->expiryTime, "2030-01-01 00:00:00");
}

TEST_F(Confirmation, ExitHangsUpTheLastDialAndEndsTheProcess) {
  context.state->lastEntryName = "TrevaloIP";
  remoteAccess.connections = {{2, "modem", "isdn"}, {3, "TrevaloIP", "PPPoE"}};
  main().Label("透明标签_关闭").SimulatePress();
  EXPECT_EQ(confirm().Label("透明标签_提示信息").Text(), "确认退出程序吗？");
  EXPECT_THROW(confirm().Button("超级按钮_确认").SimulateClick(), ProcessEnded);
  EXPECT_EQ(remoteAccess.hungUp, std::vector<std::uint32_t>{3});
}

TEST_F(Confirmation, ClosingTheLoginWindowLeavesTheTunnelUp) {
  main().Label("透明标签_注销").SimulatePress();
  confirm().Button("超级按钮_确认").SimulateClick();
  EXPECT_THROW(login().Label("透明标签_关闭").SimulatePress(), ProcessEnded);
  EXPECT_TRUE(remoteAccess.hungUp.empty());
}

TEST_F(Confirmation, CancelShowsTheMainWindowEvenAfterItWasHidden) {
  main().Label("透明标签_关闭").SimulatePress();
  main().Label("透明标签_最小化").SimulatePress();
  EXPECT_FALSE(main().Visible());
  confirm().Button("超级按钮_取消").SimulateClick();
  EXPECT_FALSE(confirm().Visible());
  EXPECT_TRUE(main().Visible());
}

TEST_F(Confirmation, CloseMarkHidesOnlyTheConfirmWindow) {
  main().Label("透明标签_注销").SimulatePress();
  confirm().Label("透明标签_关闭").SimulatePress();
  EXPECT_FALSE(confirm().Visible());
  EXPECT_TRUE(main().Visible());
  EXPECT_FALSE(login().Visible());
}

TEST_F(Confirmation, AnUnknownPromptConfirmsNothing) {
  main().Label("透明标签_注销").SimulatePress();
  context.state->confirmPrompt = "其他";
  confirm().Button("超级按钮_确认").SimulateClick();
  EXPECT_TRUE(confirm().Visible());
  EXPECT_FALSE(ui.Ended());
}

}  // namespace

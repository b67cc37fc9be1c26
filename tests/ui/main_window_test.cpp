#include "ui/main_window.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/settings_file.h"
#include "platform/posix/desktop_autorun.h"
#include "tests/support/app_fixture.h"
#include "ui/main_window_layout.h"
#include "ui/main_window_settings.h"
#include "ui/marks.h"
#include "vpn/protocol_choice.h"

namespace {

class MainWindowTest : public AppFixture {
 protected:
  MainWindowTest() {
    context.state->settingsPath = SettingsPath();
    context.state->account = "demo";
    context.state->expiryTime = "2030-01-01 00:00:00";
    context.services.autorun = &autorun;
    WriteFileBytes(folder.File("TrevaloIP"), "program");
    context.services.programPath = folder.File("TrevaloIP");
    mkdir(machineFolder.c_str(), 0755);
    mkdir(userFolder.c_str(), 0755);
  }
  void Store(SettingKey key, const char* value) { WriteSetting(SettingsPath(), key, value); }
  toolkit::headless::HeadlessWindow& Open() {
    LoadMainWindow(context).Show();
    return main();
  }
  toolkit::headless::HeadlessWindow& main() { return Window(kMainWindowName); }
  std::string Setting(SettingKey key) { return ReadSetting(SettingsPath(), key); }

  std::string machineFolder = folder.File("machine-autostart");
  std::string userFolder = folder.File("user-autostart");
  platform::DesktopAutorun autorun{machineFolder, userFolder};
};

const char* const kSwitches[] = {"图片框_定时重连", "图片框_掉线自动重连", "图片框_异常掉线禁止网卡",
                                 "图片框_连接成功最小化", "图片框_开机启动"};
const char* const kTimers[] = {"时钟_定时重连", "时钟_掉线自动重连", "时钟_异常掉线禁用网卡"};

TEST_F(MainWindowTest, AnEmptySettingsFileGivesEveryDefaultAndWritesProtocolAndMode) {
  toolkit::headless::HeadlessWindow& window = Open();
  EXPECT_EQ(window.Caption(), "TrevaloIP");
  EXPECT_EQ(window.Label("透明标签_帐号").Text(), "demo");
  EXPECT_EQ(window.Label("透明标签_到期时间_内容").Text(), "2030-01-01 00:00:00");
  EXPECT_EQ(context.state->protocol, "PPTP");
  EXPECT_EQ(window.Picture("图片框_PPTP").Picture(), kSelectedPicture);
  EXPECT_EQ(window.Picture("图片框_SSTP").Picture(), kUnselectedPicture);
  EXPECT_EQ(context.state->serverHost, "default.line.test");
  EXPECT_EQ(window.Label("透明标签_当前线路").Text(), "全国混播混合1");
  EXPECT_EQ(window.Label("透明标签_已选线路").Text(), "全国混播混合1");
  EXPECT_EQ(context.state->lineMode, "动态线路");
  EXPECT_EQ(window.Picture("图片框_动态线路").Picture(), kSelectedPicture);
  for (const char* box : kSwitches) {
    EXPECT_EQ(window.Picture(box).Tag(), "no") << box;
    EXPECT_EQ(window.Picture(box).Picture(), kUntickedPicture) << box;
  }
  for (const char* timer : kTimers) EXPECT_EQ(window.Timer(timer).Period(), 0) << timer;
  EXPECT_EQ(window.Edit("编辑框_定时重连秒数").Text(), "30");
  EXPECT_EQ(Setting(kProtocolSetting), "PPTP");
  EXPECT_EQ(Setting(kLineModeSetting), "动态线路");
  EXPECT_EQ(Setting(kServerSetting), "");  // the default host is not written
  EXPECT_EQ(window.Button("超级按钮_连接").Tag(), "连接");
}

TEST_F(MainWindowTest, StaticLinesAreDialledWithSstpWhateverWasStored) {
  Store(kLineModeSetting, "静态线路");
  Store(kProtocolSetting, "PPTP");
  toolkit::headless::HeadlessWindow& window = Open();
  EXPECT_EQ(context.state->protocol, "SSTP");
  EXPECT_EQ(Setting(kProtocolSetting), "SSTP");
  EXPECT_EQ(window.Picture("图片框_SSTP").Picture(), kSelectedPicture);
  EXPECT_EQ(window.Picture("图片框_静态线路").Picture(), kSelectedPicture);
}

TEST_F(MainWindowTest, AStoredServerWithoutItsNameEmptiesBothLineLabels) {
  Store(kServerSetting, "127.1.0.9");
  toolkit::headless::HeadlessWindow& window = Open();
  EXPECT_EQ(context.state->serverHost, "127.1.0.9");
  EXPECT_EQ(window.Label("透明标签_当前线路").Text(), "");
  EXPECT_EQ(window.Label("透明标签_已选线路").Text(), "");
}

TEST_F(MainWindowTest, SwitchesRestoreOnlyFromAnExactYes) {
  Store(kTimedReconnectSetting, "yes");
  Store(kReconnectIntervalSetting, "10");
  Store(kAutoReconnectSetting, "Yes");
  Store(kDisableAdapterOnDropSetting, "yes");
  Store(kAdapterNameSetting, "eth1");
  Store(kMinimiseOnConnectSetting, "1");
  toolkit::headless::HeadlessWindow& window = Open();
  // The 15-second minimum holds only for the user's switching on.
  EXPECT_EQ(window.Timer("时钟_定时重连").Period(), 10000);
  EXPECT_EQ(window.Picture("图片框_定时重连").Tag(), "yes");
  EXPECT_EQ(window.Edit("编辑框_定时重连秒数").Text(), "10");
  EXPECT_EQ(context.state->reconnectInterval, "10");
  EXPECT_EQ(window.Timer("时钟_异常掉线禁用网卡").Period(), 5000);
  EXPECT_EQ(window.Picture("图片框_异常掉线禁止网卡").Picture(), kTickedPicture);
  EXPECT_EQ(context.state->adapterName, "eth1");
  EXPECT_EQ(window.Picture("图片框_掉线自动重连").Tag(), "no");
  EXPECT_EQ(window.Timer("时钟_掉线自动重连").Period(), 0);
  EXPECT_EQ(window.Picture("图片框_连接成功最小化").Tag(), "no");
}

TEST_F(MainWindowTest, TheIntervalIsReadOnlyWhenTimedReconnectIsOn) {
  Store(kTimedReconnectSetting, "no");
  Store(kReconnectIntervalSetting, "45");
  Store(kAutoReconnectSetting, "yes");
  toolkit::headless::HeadlessWindow& window = Open();
  EXPECT_EQ(window.Edit("编辑框_定时重连秒数").Text(), "30");
  EXPECT_EQ(window.Timer("时钟_定时重连").Period(), 0);
  EXPECT_EQ(window.Timer("时钟_掉线自动重连").Period(), 5000);
}

TEST_F(MainWindowTest, IntervalsThatAreNoNumberOrTooLongForATimer) {
  struct {
    const char* interval;
    int period;
  } cases[] = {{"abc", 0}, {"2147484", 2147483647}, {"99999999999", 2147483647}, {"２０", 20000}};
  Store(kTimedReconnectSetting, "yes");
  // The same creation, once per stored interval.
  for (const auto& c : cases) {
    SCOPED_TRACE(c.interval);
    Store(kReconnectIntervalSetting, c.interval);
    toolkit::headless::HeadlessUi freshUi;
    AppContext fresh{.state = InitAppState(freshUi), .ui = freshUi, .services = context.services,
                     .configuration = context.configuration, .workers = {}};
    fresh.state->settingsPath = SettingsPath();
    LoadMainWindow(fresh);
    EXPECT_EQ(freshUi.WindowNamed(kMainWindowName).Timer("时钟_定时重连").Period(), c.period);
    EXPECT_EQ(freshUi.WindowNamed(kMainWindowName).Picture("图片框_定时重连").Tag(), "yes");
    fresh.workers.JoinAll();
  }
}

TEST_F(MainWindowTest, StartWithTheSystemIsRenewedAtEveryCreationAndFollowsItsSwitch) {
  Store(kAutoStartSetting, "yes");
  toolkit::headless::HeadlessWindow& window = Open();
  EXPECT_EQ(window.Picture("图片框_开机启动").Picture(), kTickedPicture);
  std::string entry = ReadFileBytes(machineFolder + "/TrevaloIP.desktop");
  EXPECT_NE(entry.find("Exec=" + folder.File("TrevaloIP") + "\n"), std::string::npos) << entry;

  WriteFileBytes(userFolder + "/TrevaloIP.desktop", "[Desktop Entry]\n");
  window.Label("透明标签_电脑开机自动开启软件").SimulatePress();
  EXPECT_EQ(Setting(kAutoStartSetting), "no");
  EXPECT_FALSE(autorun.FileExists(machineFolder + "/TrevaloIP.desktop"));
  EXPECT_FALSE(autorun.FileExists(userFolder + "/TrevaloIP.desktop"));

  // A program that is no longer where it was is not registered; the switch shows the choice.
  context.services.programPath = folder.File("moved/TrevaloIP");
  window.Label("透明标签_电脑开机自动开启软件").SimulatePress();
  EXPECT_EQ(window.Picture("图片框_开机启动").Tag(), "yes");
  EXPECT_EQ(Setting(kAutoStartSetting), "yes");
  EXPECT_FALSE(autorun.FileExists(machineFolder + "/TrevaloIP.desktop"));
}

TEST_F(MainWindowTest, MinimiseOnConnectSwitchTogglesAndIsWrittenThrough) {
  toolkit::headless::HeadlessWindow& window = Open();
  window.Label("透明标签_连接成功后自动最小化").SimulatePress();
  EXPECT_EQ(context.state->minimiseOnConnect, "yes");
  EXPECT_EQ(Setting(kMinimiseOnConnectSetting), "yes");
  window.Label("透明标签_连接成功后自动最小化").SimulatePress();
  EXPECT_EQ(window.Picture("图片框_连接成功最小化").Picture(), kUntickedPicture);
  EXPECT_EQ(Setting(kMinimiseOnConnectSetting), "no");
  window.Picture("图片框_连接成功最小化").SetTag("odd");
  window.Label("透明标签_连接成功后自动最小化").SimulatePress();
  EXPECT_EQ(context.state->minimiseOnConnect, "no");
  EXPECT_EQ(window.Picture("图片框_连接成功最小化").Tag(), "odd");
}

TEST_F(MainWindowTest, TheTrayIconIsAttachedAndItsDoubleClickShowsOrHidesTheWindow) {
  ui.Shell().SetProgramIconFile(ReadFileBytes(TREVALO_PICTURES_FOLDER "/app.ico"));
  toolkit::headless::HeadlessWindow& window = Open();
  const toolkit::NotifyIconDataA* shown = ui.Shell().ShownIcon(window.Handle(), 1);
  ASSERT_NE(shown, nullptr);
  EXPECT_STREQ(shown->szTip, "TrevaloIP");
  EXPECT_NE(shown->hIcon, 0u);

  ui.Shell().SimulateIconMouse(window.Handle(), 1, toolkit::kWmLButtonDown);
  ui.Shell().SimulateIconMouse(window.Handle(), 1, toolkit::kWmLButtonUp);
  OnTrayEvent(context, 1120);
  EXPECT_TRUE(window.Visible());
  ui.Shell().SimulateIconMouse(window.Handle(), 1, toolkit::kWmLButtonDblClk);
  EXPECT_FALSE(window.Visible());
  ui.Shell().SimulateIconMouse(window.Handle(), 1, toolkit::kWmLButtonDblClk);
  EXPECT_TRUE(window.Visible());
  window.Label("透明标签_最小化").SimulatePress();
  EXPECT_FALSE(window.Visible());
}

TEST_F(MainWindowTest, WithoutANotificationAreaTheWindowIsNotHiddenAwayForGood) {
  ui.Shell().SetNotificationArea(false);
  toolkit::headless::HeadlessWindow& window = Open();
  EXPECT_FALSE(context.state->trayIcon.IconShown());
  window.Label("透明标签_最小化").SimulatePress();
  EXPECT_TRUE(window.Visible());
}

TEST_F(MainWindowTest, TheLineListIsRefreshedTwoSecondsAfterCreation) {
  toolkit::headless::HeadlessWindow& window = Open();
  window.Label("透明标签_连接状态").SetText("");
  ui.AdvanceTime(1990);
  EXPECT_EQ(window.Label("透明标签_连接状态").Text(), "");
  ui.AdvanceTime(10);
  EXPECT_EQ(window.Label("透明标签_连接状态").Text(), "获取线路数据成功！");
}

TEST_F(MainWindowTest, EachProtocolControlChoosesItsProtocol) {
  toolkit::headless::HeadlessWindow& window = Open();
  struct {
    const char* control;
    bool label;
    const char* protocol;
  } cases[] = {{"透明标签_L2TP", true, "L2TP"}, {"图片框_SSTP", false, "SSTP"}, {"透明标签_PPTP", true, "PPTP"},
               {"图片框_L2TP", false, "L2TP"}, {"透明标签_SSTP", true, "SSTP"}, {"图片框_PPTP", false, "PPTP"}};
  for (const auto& c : cases) {
    if (c.label) {
      window.Label(c.control).SimulatePress();
    } else {
      window.Picture(c.control).SimulatePress();
    }
    EXPECT_EQ(context.state->protocol, c.protocol) << c.control;
    EXPECT_EQ(Setting(kProtocolSetting), c.protocol);
    EXPECT_EQ(window.Picture(std::string("图片框_") + c.protocol).Picture(), kSelectedPicture);
  }
}

TEST_F(MainWindowTest, SelectProtocolEdgeCases) {
  toolkit::headless::HeadlessWindow& window = Open();
  SelectProtocol(context, "");
  EXPECT_EQ(Setting(kProtocolSetting), "SSTP");
  EXPECT_EQ(window.Picture("图片框_SSTP").Picture(), kSelectedPicture);
  SelectProtocol(context, "IKEv2");
  EXPECT_EQ(context.state->protocol, "IKEv2");
  EXPECT_EQ(Setting(kProtocolSetting), "IKEv2");
  EXPECT_EQ(window.Picture("图片框_SSTP").Picture(), kSelectedPicture);
}

TEST_F(MainWindowTest, TheConnectButtonShowsTheRealConnection) {
  toolkit::headless::HeadlessWindow& window = Open();
  remoteAccess.connections = {{4, "TrevaloIP", "vpn"}};
  RefreshConnectButton(context);
  EXPECT_EQ(window.Button("超级按钮_连接").Tag(), "断开");
  EXPECT_EQ(window.Button("超级按钮_连接").Pictures(),
            (toolkit::ButtonPictures{"disconnect_normal", "disconnect_hot", "disconnect_disabled"}));
  remoteAccess.connections.clear();
  RefreshConnectButton(context);
  EXPECT_EQ(window.Button("超级按钮_连接").Tag(), "连接");
  EXPECT_EQ(window.Button("超级按钮_连接").Pictures(),
            (toolkit::ButtonPictures{"connect_normal", "connect_hot", "connect_disabled"}));
}

TEST_F(MainWindowTest, WaitWithEventsLetsTimersTickMeanwhile) {
  toolkit::headless::HeadlessWindow& window = Open();
  int ticks = 0;
  window.Timer("时钟_掉线自动重连").OnTick([&] { ++ticks; });
  window.Timer("时钟_掉线自动重连").SetPeriod(3);
  std::uint64_t start = ui.TickCount();
  WaitWithEvents(context, 10);
  EXPECT_EQ(ui.TickCount() - start, 10u);
  EXPECT_EQ(ticks, 3);
}

}  // namespace

#include "ui/main_window_settings.h"

#include <limits>

#include "app/app_context.h"
#include "app/settings_file.h"
#include "app/text_to_number.h"
#include "lines/line_mode.h"
#include "lines/line_download.h"
#include "platform/paths.h"
#include "ui/autorun.h"
#include "ui/main_window.h"
#include "ui/marks.h"
#include "ui/tray_icon.h"
#include "vpn/protocol_choice.h"

namespace {

constexpr int kGuardPeriodMs = 5000;
constexpr int kAutoReconnectPeriodMs = 5000;
constexpr int kDelayedRefreshMs = 2000;
constexpr const char* kDefaultLineName = "全国混播混合1";

// Seconds as a timer period; a period beyond what a timer takes is held to its largest.
int PeriodOfSeconds(const std::string& seconds) {
  std::int64_t number = TextToNumber(seconds);
  if (number <= 0) return 0;
  constexpr std::int64_t kLongest = std::numeric_limits<int>::max();
  return number > kLongest / 1000 ? static_cast<int>(kLongest) : static_cast<int>(number * 1000);
}

// The start-up registration is named after the program's file name and runs it from its folder.
struct ProgramName {
  std::string fileName;
  std::string commandPath;
};

ProgramName RunningProgram(const AppContext& context) {
  const std::string& path = context.services.programPath;
  std::size_t slash = path.rfind(platform::kPathSeparator);
  std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
  std::string fileName = slash == std::string::npos ? path : path.substr(slash + 1);
  return {fileName, folder + platform::kPathSeparator + fileName};
}

void RegisterRunningProgram(AppContext& context) {
  ProgramName program = RunningProgram(context);
  RegisterAutorun(context, program.fileName, program.commandPath);
}

}  // namespace

void RestoreMainWindowSettings(AppContext& context) {
  StartLoadDynamicLines(context);
  StartLoadStaticLines(context);

  toolkit::Window& window = MainWindow(context);
  AppState& state = *context.state;
  TrayIcon& tray = state.trayIcon;
  tray.AddIcon(window.Handle(), "", false, "");
  tray.SetEventRoutine([&context](int eventCode) { OnTrayEvent(context, eventCode); }, true);
  tray.SetTip("TrevaloIP");
  tray.SetIcon(context.ui.Shell().ProgramIconFile());

  window.SetCaption("TrevaloIP");
  window.Label("透明标签_帐号").SetText(state.account);
  window.Label("透明标签_到期时间_内容").SetText(state.expiryTime);
  state.lineFilter.clear();

  const std::string& file = state.settingsPath;
  state.protocol = ReadSetting(file, kProtocolSetting);
  state.serverHost = ReadSetting(file, kServerSetting);
  std::string lineName = ReadSetting(file, kServerNameSetting);
  state.lineMode = ReadSetting(file, kLineModeSetting);
  state.minimiseOnConnect = ReadSetting(file, kMinimiseOnConnectSetting);
  state.timedReconnect = ReadSetting(file, kTimedReconnectSetting);
  state.autoStart = ReadSetting(file, kAutoStartSetting);
  state.disableAdapterOnDrop = ReadSetting(file, kDisableAdapterOnDropSetting);
  state.adapterName = ReadSetting(file, kAdapterNameSetting);
  state.autoReconnect = ReadSetting(file, kAutoReconnectSetting);

  // A switch is on only when its value is exactly "yes"; otherwise it stays as laid out.
  if (state.disableAdapterOnDrop == kYes) {
    SetCheckMark(window.Picture("图片框_异常掉线禁止网卡"), true);
    window.Timer("时钟_异常掉线禁用网卡").SetPeriod(kGuardPeriodMs);
  }
  if (state.autoStart == kYes) {
    SetCheckMark(window.Picture("图片框_开机启动"), true);
    // Renewed at every start, so a moved program is registered where it now lies.
    RegisterRunningProgram(context);
  }
  if (state.timedReconnect == kYes) {
    state.reconnectInterval = ReadSetting(file, kReconnectIntervalSetting);
    window.Edit("编辑框_定时重连秒数").SetText(state.reconnectInterval);
    SetCheckMark(window.Picture("图片框_定时重连"), true);
    window.Timer("时钟_定时重连").SetPeriod(PeriodOfSeconds(state.reconnectInterval));
  }
  if (state.minimiseOnConnect == kYes) SetCheckMark(window.Picture("图片框_连接成功最小化"), true);
  if (state.autoReconnect == kYes) {
    SetCheckMark(window.Picture("图片框_掉线自动重连"), true);
    window.Timer("时钟_掉线自动重连").SetPeriod(kAutoReconnectPeriodMs);
  }

  if (state.protocol.empty()) state.protocol = "PPTP";
  if (state.serverHost.empty()) {
    state.serverHost = context.configuration.defaultServerHost;
    lineName = kDefaultLineName;
  }
  window.Label("透明标签_当前线路").SetText(lineName);
  window.Label("透明标签_已选线路").SetText(lineName);
  if (state.lineMode.empty()) state.lineMode = kDynamicLineMode;
  // Static lines are dialled with SSTP only.
  if (state.lineMode == kStaticLineMode) state.protocol = "SSTP";

  SelectProtocol(context, state.protocol);
  SetLineMode(context, state.lineMode);
  RefreshConnectButton(context);
  context.ui.PostAfter(kDelayedRefreshMs, [&context] { RefreshLines(context); });
}

void ToggleAutoMinimise(AppContext& context) {
  std::optional<std::string> state = ToggleCheckMark(MainWindow(context).Picture("图片框_连接成功最小化"));
  if (!state) return;
  context.state->minimiseOnConnect = *state;
  WriteSetting(context.state->settingsPath, kMinimiseOnConnectSetting, *state);
}

void ToggleAutoStart(AppContext& context) {
  std::optional<std::string> state = ToggleCheckMark(MainWindow(context).Picture("图片框_开机启动"));
  if (!state) return;
  context.state->autoStart = *state;
  WriteSetting(context.state->settingsPath, kAutoStartSetting, *state);
  if (*state == kYes) {
    RegisterRunningProgram(context);
  } else {
    CancelAutorun(context, RunningProgram(context).fileName);
  }
}

void OnTrayEvent(AppContext& context, int eventCode) {
  if (eventCode != toolkit::kWmLButtonDblClk) return;
  toolkit::Window& window = MainWindow(context);
  if (window.Visible()) {
    window.Hide();
  } else {
    window.Show();
  }
}

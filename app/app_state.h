#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <stop_token>
#include <string>
#include <vector>

#include "adapters/adapter_info.h"
#include "lines/line_catalogue.h"
#include "ui/tray_icon.h"

namespace toolkit {
class Ui;
}

// The one process-wide record. Texts are in the system's code page; an option holds "yes" or
// "no" as the settings file stores it, and the empty text (never set) counts as off.
//
// The fields marked "workers" are also touched by worker threads: the busy flags are tested and
// set in one step, each catalogue is read and merged under its own lock, and each list address
// is written only by the worker that holds that list's busy flag. Everything else belongs to the
// user-interface thread.
struct AppState {
  explicit AppState(toolkit::Shell& shell) : trayIcon(shell) {}

  std::string account;
  std::string settingsPath;
  std::string loginResponse;
  std::string loginCode;  // "100" means the login succeeded
  std::string expiryTime;
  std::string loginMessage;
  std::string lastEntryName;  // entry of the last dial; an empty name given to a hang-up means it
  std::string rememberPassword;
  std::string password;
  std::string autoLogin;
  std::atomic<int> dynamicDownloadBusy{0};  // workers
  LineCatalogue dynamicLines;               // workers
  std::string serverListUrl;                // workers
  std::string lineMode;
  std::atomic<int> staticDownloadBusy{0};  // workers
  LineCatalogue staticLines;               // workers
  std::string staticListUrl;               // workers
  std::string protocol;
  std::string disableAdapterOnDrop;
  std::string serverHost;
  std::stop_source ipLookupThread;  // asks the running public-address lookup to end
  std::string minimiseOnConnect;
  std::string phonebookPath;
  std::string previousEntryName;
  std::uint32_t rasConnection = 0;  // the connection of the latest dial
  std::string dialStatus;
  std::string confirmPrompt;
  std::string adapterDisabled;
  std::atomic<int> lineListBusy{0};  // workers
  std::string lineFilter;
  std::string adapterName;
  TrayIcon trayIcon;
  std::string timedReconnect;
  std::string autoStart;
  std::string reconnectInterval;
  std::string autoReconnect;
  std::string staticIp;
  std::vector<AdapterInfo> adapters;
};

// Creates the record with its catalogues in their first state and its tray icon on the toolkit's
// shell; every other field starts empty. Workers keep their own reference, so the record outlives
// the last of them.
std::shared_ptr<AppState> InitAppState(toolkit::Ui& ui);

// Lets go of the process's reference at process end. Whatever a running worker still uses stays
// alive until that worker ends; nothing is hung up or re-enabled here.
void ReleaseAppState(std::shared_ptr<AppState>& state);

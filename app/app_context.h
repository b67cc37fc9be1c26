#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "app/app_state.h"
#include "app/configuration.h"
#include "app/worker_threads.h"
#include "platform/autorun.h"
#include "platform/http_request_object.h"
#include "platform/remote_access.h"
#include "toolkit/ui.h"

// The operating-system services the system uses, passed in so tests can stand in for them.
struct Services {
  platform::HttpRequestFactory createRequestObject;
  std::function<bool(std::string_view name)> claimSingleInstance;
  std::function<int(const std::string& testPageUrl)> isInternetConnected;
  platform::RemoteAccess* remoteAccess = nullptr;
  platform::Autorun* autorun = nullptr;
  std::string programPath;  // the running program, as start-up registers it
};

// Everything a handler, tick or worker of the system works with.
struct AppContext {
  std::shared_ptr<AppState> state;
  toolkit::Ui& ui;
  Services services;
  Configuration configuration;
  WorkerThreads workers;
};

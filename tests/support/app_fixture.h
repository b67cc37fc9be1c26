#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_context.h"
#include "tests/support/fake_remote_access.h"
#include "tests/support/temp_folder.h"
#include "toolkit/headless/headless_ui.h"

// A client on the headless toolkit with its settings file in a fresh folder, a scripted
// remote-access service, a switchable internet check and a single-instance claim the test
// controls. HTTP is real and goes to whatever the test points the API host at.
class AppFixture : public testing::Test {
 protected:
  AppFixture() {
    context.services.createRequestObject = platform::CreateHttpRequestObject;
    context.services.claimSingleInstance = [this](std::string_view name) {
      claims.emplace_back(name);
      return !anotherCopyRunning;
    };
    context.services.isInternetConnected = [this](const std::string& page) {
      checkedPages.push_back(page);
      return online ? 1 : 0;
    };
    context.services.remoteAccess = &remoteAccess;
    context.configuration.apiHost = "127.0.0.1";
    context.configuration.apiPort = 9;  // the discard port: nothing answers unless a test says so
    context.configuration.internetCheckUrl = "http://127.0.0.1:9/check";
    context.configuration.defaultServerHost = "default.line.test";
  }

  ~AppFixture() override { context.workers.JoinAll(); }

  toolkit::headless::HeadlessWindow& Window(std::string_view name) { return ui.WindowNamed(name); }

  std::string SettingsPath() const { return folder.File("TrevaloIP.INI"); }

  TempFolder folder;
  ScopedEnvironment tmpdir{"TMPDIR", folder.path().c_str()};
  toolkit::headless::HeadlessUi ui;
  FakeRemoteAccess remoteAccess;
  bool online = true;
  bool anotherCopyRunning = false;
  std::vector<std::string> claims;
  std::vector<std::string> checkedPages;
  AppContext context{.state = InitAppState(ui), .ui = ui, .services = {}, .configuration = {}, .workers = {}};
};

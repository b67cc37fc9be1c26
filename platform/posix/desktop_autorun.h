#pragma once

#include <string>

#include "platform/autorun.h"

namespace platform {

// Start-up entries as desktops on Linux keep them: desktop-entry files in an autostart folder,
// machine-wide /etc/xdg/autostart and the user's ~/.config/autostart. The folders are given, so
// tests can keep to folders of their own.
class DesktopAutorun final : public Autorun {
 public:
  DesktopAutorun(std::string machineFolder, std::string userFolder)
      : machineFolder_(std::move(machineFolder)), userFolder_(std::move(userFolder)) {}

  bool FileExists(const std::string& path) override;
  bool SetMachineCommand(const std::string& name, const std::string& commandPath) override;
  bool DeleteMachineCommand(const std::string& name) override;
  bool DeleteUserStartupEntry(const std::string& name) override;

 private:
  std::string machineFolder_;
  std::string userFolder_;
};

}  // namespace platform

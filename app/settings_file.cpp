#include "app/settings_file.h"

#include "platform/paths.h"
#include "platform/profile_file.h"

std::string ResolveSettingsPath() {
  std::string path = platform::TempDirectory();
  if (path.empty() || path.back() != platform::kPathSeparator) path += platform::kPathSeparator;
  return path + "TrevaloIP.INI";
}

std::string ReadSetting(const std::string& settingsPath, std::string_view section, std::string_view key) {
  return platform::ReadProfileString(settingsPath, section, key);
}

std::string ReadSetting(const std::string& settingsPath, SettingKey setting) {
  return ReadSetting(settingsPath, setting.section, setting.key);
}

void WriteSetting(const std::string& settingsPath, std::string_view section, std::string_view key,
                  std::string_view value) {
  platform::WriteProfileString(settingsPath, section, key, value);
}

void WriteSetting(const std::string& settingsPath, SettingKey setting, std::string_view value) {
  WriteSetting(settingsPath, setting.section, setting.key, value);
}

#pragma once

#include <string>
#include <string_view>

// The one settings file: every setting in a section of its own, named by a Chinese phrase, under
// one key named by a Latin word. Every change is written through at once.

struct SettingKey {
  const char* section;
  const char* key;
};

inline constexpr SettingKey kAccountSetting{"帐号", "User"};
inline constexpr SettingKey kPasswordSetting{"密码", "Password"};
inline constexpr SettingKey kRememberPasswordSetting{"记住密码", "JiZhu"};
inline constexpr SettingKey kAutoLoginSetting{"自动登录", "AutoLogin"};
inline constexpr SettingKey kProtocolSetting{"连接方式", "XieYi"};
inline constexpr SettingKey kServerSetting{"服务器", "Server"};
inline constexpr SettingKey kServerNameSetting{"服务器名称", "ServerName"};
inline constexpr SettingKey kLineModeSetting{"线路模式", "XianLu"};
inline constexpr SettingKey kMinimiseOnConnectSetting{"连接成功是否自动最小化", "Autozuixiaohua"};
inline constexpr SettingKey kTimedReconnectSetting{"是否定时重连", "TimerReconnection"};
inline constexpr SettingKey kReconnectIntervalSetting{"定时重连秒数", "ReconnectionInterval"};
inline constexpr SettingKey kAutoStartSetting{"是否开机启动", "AutoStart"};
inline constexpr SettingKey kDisableAdapterOnDropSetting{"是否掉线禁用网卡", "JingYongWangKa"};
inline constexpr SettingKey kAdapterNameSetting{"掉线要禁用的网卡名称", "WangKaName"};
inline constexpr SettingKey kAutoReconnectSetting{"掉线自动重连", "AutoReconnection"};

// The full path of the settings file "TrevaloIP.INI" in the user's temporary-files folder.
std::string ResolveSettingsPath();

// The stored value, or the empty text when the file, the section or the key is missing.
std::string ReadSetting(const std::string& settingsPath, std::string_view section, std::string_view key);
std::string ReadSetting(const std::string& settingsPath, SettingKey setting);

// Writes the value at once. A failed write changes nothing and says nothing: the caller's value
// in memory stands all the same.
void WriteSetting(const std::string& settingsPath, std::string_view section, std::string_view key,
                  std::string_view value);
void WriteSetting(const std::string& settingsPath, SettingKey setting, std::string_view value);

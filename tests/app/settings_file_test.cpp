#include "app/settings_file.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace {

TEST(GbkTexts, NarrowLiteralsAreStoredInCodePage936) {
  EXPECT_EQ(std::string("连接成功"), "\xC1\xAC\xBD\xD3\xB3\xC9\xB9\xA6");
  EXPECT_EQ(std::string(kLineModeSetting.section), "\xCF\xDF\xC2\xB7\xC4\xA3\xCA\xBD");  // 线路模式
}

TEST(ResolveSettingsPath, UsesThePerUserTemporaryFolder) {
  struct {
    const char* tmpdir;
    const char* runtimeDir;
    const char* path;
  } cases[] = {
      {"/home/u/tmp", "/run/user/1", "/home/u/tmp/TrevaloIP.INI"},
      {"/home/u/tmp/", "/run/user/1", "/home/u/tmp/TrevaloIP.INI"},
      {nullptr, "/run/user/1", "/run/user/1/TrevaloIP.INI"},
      {"", "/run/user/1", "/run/user/1/TrevaloIP.INI"},
      {nullptr, nullptr, "/tmp/TrevaloIP.INI"},
  };
  for (const auto& c : cases) {
    ScopedEnvironment tmpdir("TMPDIR", c.tmpdir);
    ScopedEnvironment runtimeDir("XDG_RUNTIME_DIR", c.runtimeDir);
    EXPECT_EQ(ResolveSettingsPath(), c.path);
  }
}

class SettingsFile : public testing::Test {
 protected:
  TempFolder folder;
  ScopedEnvironment tmpdir{"TMPDIR", folder.path().c_str()};
  std::string settingsPath = ResolveSettingsPath();
};

TEST_F(SettingsFile, AbsentSettingsReadEmptyUntilWritten) {
  EXPECT_EQ(ReadSetting(settingsPath, kRememberPasswordSetting), "");
  WriteSetting(settingsPath, kRememberPasswordSetting, "yes");
  EXPECT_EQ(ReadSetting(settingsPath, kRememberPasswordSetting), "yes");
  EXPECT_EQ(ReadSetting(settingsPath, kAutoLoginSetting), "");
}

TEST_F(SettingsFile, ChineseSectionsAndValuesRoundTripByteForByte) {
  WriteSetting(settingsPath, kServerNameSetting, "广东深圳");
  WriteSetting(settingsPath, kLineModeSetting, "静态线路");
  WriteSetting(settingsPath, kAdapterNameSetting, "本地连接 2");
  EXPECT_EQ(ReadSetting(settingsPath, kServerNameSetting), "广东深圳");
  EXPECT_EQ(ReadSetting(settingsPath, kLineModeSetting), "静态线路");
  EXPECT_EQ(ReadSetting(settingsPath, "掉线要禁用的网卡名称", "wangkaname"), "本地连接 2");
  EXPECT_EQ(ReadFileBytes(settingsPath),
            "[服务器名称]\r\nServerName=广东深圳\r\n[线路模式]\r\nXianLu=静态线路\r\n"
            "[掉线要禁用的网卡名称]\r\nWangKaName=本地连接 2\r\n");
}

TEST_F(SettingsFile, EveryChangeIsWrittenThrough) {
  WriteSetting(settingsPath, kPasswordSetting, "a");
  WriteSetting(settingsPath, kPasswordSetting, "ab");
  WriteSetting(settingsPath, kPasswordSetting, "");
  EXPECT_EQ(ReadFileBytes(settingsPath), "[密码]\r\nPassword=\r\n");
}

TEST_F(SettingsFile, ClearingTheTemporaryFolderResetsEverySetting) {
  WriteSetting(settingsPath, kProtocolSetting, "SSTP");
  std::remove(settingsPath.c_str());
  EXPECT_EQ(ReadSetting(settingsPath, kProtocolSetting), "");
}

TEST_F(SettingsFile, AFailedWriteIsSilentAndKeepsTheStoredValue) {
  WriteSetting(settingsPath, kAccountSetting, "user1");
  WriteSetting(settingsPath, kAccountSetting, "user2\r\n[密码]\r\nPassword=x");
  WriteSetting(folder.File("absent") + "/TrevaloIP.INI", kAccountSetting, "user3");
  EXPECT_EQ(ReadSetting(settingsPath, kAccountSetting), "user1");
  EXPECT_EQ(ReadSetting(settingsPath, kPasswordSetting), "");
}

}  // namespace

#include "server/service_options.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "server/database_path.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace line_service;

TEST(ParseServiceOptions, DefaultsServeLoopbackOnPort8001) {
  ServiceOptions options;
  std::string error;
  ASSERT_TRUE(ParseServiceOptions({}, options, error));
  EXPECT_EQ(options.bindAddress, "127.0.0.1");
  EXPECT_EQ(options.port, 8001);
  EXPECT_EQ(options.databasePath, "");
  EXPECT_FALSE(options.showHelp);
}

TEST(ParseServiceOptions, ReadsValuesInBothForms) {
  ServiceOptions options;
  std::string error;
  ASSERT_TRUE(ParseServiceOptions({"--bind", "::1", "--port=0", "--db", "/tmp/x=y.db"}, options, error)) << error;
  EXPECT_EQ(options.bindAddress, "::1");
  EXPECT_EQ(options.port, 0);
  EXPECT_EQ(options.databasePath, "/tmp/x=y.db");
  ASSERT_TRUE(ParseServiceOptions({"--port", "65535", "--help"}, options, error));
  EXPECT_EQ(options.port, 65535);
  EXPECT_TRUE(options.showHelp);
}

TEST(ParseServiceOptions, RefusesBadCommandLines) {
  struct {
    std::vector<std::string> arguments;
    const char* error;
  } cases[] = {
      {{"--verbose"}, "unknown option '--verbose'"},
      {{"8001"}, "unknown option '8001'"},
      {{"-p", "1"}, "unknown option '-p'"},
      {{"--port"}, "option '--port' needs a value"},
      {{"--db="}, "option '--db' needs a value"},
      {{"--bind", ""}, "option '--bind' needs a value"},
      {{"--port", "-1"}, "invalid port '-1': expected a number from 0 to 65535"},
      {{"--port", "65536"}, "invalid port '65536': expected a number from 0 to 65535"},
      {{"--port", "80x"}, "invalid port '80x': expected a number from 0 to 65535"},
      {{"--port="}, "invalid port '': expected a number from 0 to 65535"},
  };
  for (const auto& c : cases) {
    ServiceOptions options;
    std::string error;
    EXPECT_FALSE(ParseServiceOptions(c.arguments, options, error)) << c.error;
    EXPECT_EQ(error, c.error);
  }
}

TEST(DefaultDatabasePath, LivesInTheUsersDataFolder) {
  struct {
    const char* dataHome;
    const char* home;
    const char* path;
  } cases[] = {
      {"/data", "/home/u", "/data/trevalo/line-service.db"},
      {"relative", "/home/u", "/home/u/.local/share/trevalo/line-service.db"},  // must be absolute
      {"", "/home/u", "/home/u/.local/share/trevalo/line-service.db"},
      {nullptr, "/home/u", "/home/u/.local/share/trevalo/line-service.db"},
      {nullptr, nullptr, ""},
      {nullptr, "", ""},
  };
  for (const auto& c : cases) {
    ScopedEnvironment dataHome("XDG_DATA_HOME", c.dataHome);
    ScopedEnvironment home("HOME", c.home);
    EXPECT_EQ(DefaultDatabasePath(), c.path) << (c.dataHome ? c.dataHome : "unset");
  }
}

TEST(CreateFoldersFor, MakesPrivateFoldersAboveTheFile) {
  TempFolder folder;
  std::string error;
  ASSERT_TRUE(CreateFoldersFor(folder.File("a/b/line-service.db"), error)) << error;
  struct stat info {};
  ASSERT_EQ(stat(folder.File("a/b").c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_TRUE(CreateFoldersFor(folder.File("a/b/line-service.db"), error)) << "existing folders are fine";

  WriteFileBytes(folder.File("file"), "x");
  EXPECT_FALSE(CreateFoldersFor(folder.File("file/sub/line-service.db"), error));
  EXPECT_NE(error.find(folder.File("file/sub")), std::string::npos) << error;
}

}  // namespace

#include "platform/posix/desktop_autorun.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/support/temp_folder.h"

namespace {

class DesktopAutorunTest : public testing::Test {
 protected:
  TempFolder folder;
  std::string machine = folder.File("machine");
  std::string user = folder.File("user");
  platform::DesktopAutorun autorun{machine, user};
  void SetUp() override {
    mkdir(machine.c_str(), 0755);
    mkdir(user.c_str(), 0755);
  }
};

TEST_F(DesktopAutorunTest, RegistersADesktopEntryThatRunsThePathUnchanged) {
  struct {
    std::string path;
    std::string exec;
  } cases[] = {
      {"/opt/trevalo/TrevaloIP", "/opt/trevalo/TrevaloIP"},
      {"/home/u/My Apps/TrevaloIP", R"("/home/u/My Apps/TrevaloIP")"},
      {R"(/home/u/a"b$c`d\e%f/TrevaloIP)", R"("/home/u/a\\"b\\$c\\`d\\\\e%%f/TrevaloIP")"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(autorun.SetMachineCommand("TrevaloIP", c.path));
    EXPECT_EQ(ReadFileBytes(machine + "/TrevaloIP.desktop"),
              "[Desktop Entry]\nType=Application\nName=TrevaloIP\nExec=" + c.exec + "\nX-GNOME-Autostart-enabled=true\n");
  }
  struct stat status {};
  ASSERT_EQ(stat((machine + "/TrevaloIP.desktop").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0644u);
}

TEST_F(DesktopAutorunTest, RefusesWhatWouldAddLinesOrLeaveTheFolder) {
  EXPECT_FALSE(autorun.SetMachineCommand("TrevaloIP", "/a\nExec=/bin/evil"));
  EXPECT_FALSE(autorun.SetMachineCommand("../TrevaloIP", "/a"));
  EXPECT_FALSE(autorun.DeleteMachineCommand("../user/TrevaloIP"));
}

TEST_F(DesktopAutorunTest, FailsWhereTheFolderCannotBeWritten) {
  platform::DesktopAutorun nowhere(folder.File("absent"), folder.File("absent"));
  EXPECT_FALSE(nowhere.SetMachineCommand("TrevaloIP", "/a"));
  EXPECT_FALSE(nowhere.DeleteMachineCommand("TrevaloIP"));
  EXPECT_FALSE(nowhere.DeleteUserStartupEntry("TrevaloIP"));
}

TEST_F(DesktopAutorunTest, RemovesEachEntryOnlyWhenItIsThere) {
  WriteFileBytes(user + "/TrevaloIP.desktop", "[Desktop Entry]\n");
  EXPECT_FALSE(autorun.DeleteMachineCommand("TrevaloIP"));
  EXPECT_TRUE(autorun.DeleteUserStartupEntry("TrevaloIP"));
  EXPECT_FALSE(autorun.DeleteUserStartupEntry("TrevaloIP"));
  ASSERT_TRUE(autorun.SetMachineCommand("TrevaloIP", "/a"));
  EXPECT_TRUE(autorun.DeleteMachineCommand("TrevaloIP"));
}

TEST_F(DesktopAutorunTest, KnowsWhetherTheProgramExists) {
  WriteFileBytes(folder.File("program"), "x");
  EXPECT_TRUE(autorun.FileExists(folder.File("program")));
  EXPECT_FALSE(autorun.FileExists(folder.File("moved")));
  EXPECT_FALSE(autorun.FileExists(folder.path()));
}

}  // namespace

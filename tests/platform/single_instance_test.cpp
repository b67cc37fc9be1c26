#include "platform/single_instance.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/temp_folder.h"

namespace {

class SingleInstance : public testing::Test {
 protected:
  TempFolder folder;
  ScopedEnvironment tmpdir{"TMPDIR", folder.path().c_str()};
};

// Whether a separate process may claim the name now.
bool AnotherProcessMayClaim(const char* name) {
  pid_t child = fork();
  if (child == 0) _exit(platform::ClaimSingleInstance(name) ? 0 : 1);
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(SingleInstance, TheFirstClaimHoldsUntilTheProcessEnds) {
  const char* name = "TrevaloIP\xBD\xFB\xD6\xB9";  // a GBK name, as the client's
  EXPECT_TRUE(AnotherProcessMayClaim(name));  // a process that ended lets go of its claim
  EXPECT_TRUE(platform::ClaimSingleInstance(name));
  EXPECT_FALSE(AnotherProcessMayClaim(name));
  EXPECT_FALSE(platform::ClaimSingleInstance(name));
  EXPECT_TRUE(AnotherProcessMayClaim("another name"));
}

}  // namespace

// The built line-service program, started as the demo starts it.
#include <gtest/gtest.h>
#include <httplib.h>
#include <signal.h>

#include <string>
#include <vector>

#include "tests/support/line_service_process.h"
#include "tests/support/temp_folder.h"

namespace {

std::string Get(int port, const std::string& path) {
  httplib::Client client("127.0.0.1", port);
  client.set_url_encode(false);
  auto answer = client.Get(path);
  return answer && answer->status == 200 ? answer->body : "";
}

TEST(LineServiceProcess, ServesTheDemoDataAndStopsCleanly) {
  TempFolder folder;
  for (int signal : {SIGTERM, SIGINT}) {
    LineServiceProcess service({"--port", "0", "--db", folder.File("lines.db")});
    ASSERT_TRUE(service.started());
    const int port = service.WaitForListening();
    ASSERT_GT(port, 0);
    EXPECT_NE(Get(port, "/userinfo/?type=trevalo&user=demo&password=demo123").find("\"code\": 100, \"data\""),
              std::string::npos);
    EXPECT_TRUE(Get(port, "/serverlistpc/").starts_with(R"({"status": "success", "code": 200, "data": [{)"));
    service.Signal(signal);
    EXPECT_EQ(service.WaitForExit(), 0) << signal;
    EXPECT_EQ(service.ErrorOutput(), "");
  }
}

TEST(LineServiceProcess, KeepsItsDataAcrossRestarts) {
  TempFolder folder;
  const std::vector<std::string> arguments = {"--port", "0", "--db", folder.File("lines.db")};
  // 198.51.100.2 is free in the demo data.
  const std::string reserve = "/setstaticip/?user=demo&ip=198.51.100.2";
  {
    LineServiceProcess service(arguments);
    const int port = service.WaitForListening();
    ASSERT_GT(port, 0);
    EXPECT_NE(Get(port, reserve).find("\"code\": 100"), std::string::npos);
    service.Signal(SIGTERM);
    ASSERT_EQ(service.WaitForExit(), 0);
  }
  LineServiceProcess service(arguments);
  const int port = service.WaitForListening();
  ASSERT_GT(port, 0);
  EXPECT_NE(Get(port, "/setstaticip/?user=demo2&ip=198.51.100.2").find("\"code\": 106"), std::string::npos);
  service.Signal(SIGTERM);
  EXPECT_EQ(service.WaitForExit(), 0);
}

TEST(LineServiceProcess, KeepsItsDatabaseInTheUsersDataFolder) {
  TempFolder folder;
  ScopedEnvironment dataHome("XDG_DATA_HOME", folder.path().c_str());
  LineServiceProcess service({"--port", "0"});
  ASSERT_GT(service.WaitForListening(), 0);
  service.Signal(SIGTERM);
  EXPECT_EQ(service.WaitForExit(), 0);
  EXPECT_FALSE(ReadFileBytes(folder.File("trevalo/line-service.db")).empty());
}

TEST(LineServiceProcess, RefusesATakenPort) {
  TempFolder folder;
  LineServiceProcess first({"--port", "0", "--db", folder.File("first.db")});
  const int port = first.WaitForListening();
  ASSERT_GT(port, 0);
  LineServiceProcess second({"--port", std::to_string(port), "--db", folder.File("second.db")});
  EXPECT_EQ(second.WaitForExit(), 1);
  EXPECT_NE(second.ErrorOutput().find("cannot listen on 127.0.0.1:" + std::to_string(port)), std::string::npos);
  first.Signal(SIGTERM);
  EXPECT_EQ(first.WaitForExit(), 0);
}

TEST(LineServiceProcess, RefusesBadOptionsWithUsage) {
  for (std::vector<std::string> arguments : {std::vector<std::string>{"--port", "x"}, {"--nope"}, {"--db"}}) {
    LineServiceProcess service(arguments);
    EXPECT_EQ(service.WaitForExit(), 2) << arguments[0];
    const std::string error = service.ErrorOutput();
    EXPECT_TRUE(error.starts_with("line-service: ")) << error;
    EXPECT_NE(error.find("usage: line-service"), std::string::npos) << error;
  }
}

}  // namespace

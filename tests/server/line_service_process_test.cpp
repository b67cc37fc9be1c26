// The built line-service program, started as the demo starts it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/temp_folder.h"

extern char** environ;

namespace {

constexpr auto kPatience = std::chrono::seconds(20);

// A child running line-service with its standard output and error on pipes.
class ServiceProcess {
 public:
  explicit ServiceProcess(const std::vector<std::string>& arguments) {
    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    std::vector<std::string> words = {LINE_SERVICE_PROGRAM};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, LINE_SERVICE_PROGRAM, &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    out_ = out[0];
    err_ = err[0];
    // Read without waiting, so that a program that should have ended but did not fails the test
    // instead of hanging it.
    fcntl(err_, F_SETFL, O_NONBLOCK);
  }

  ~ServiceProcess() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    close(out_);
    close(err_);
  }

  bool started() const { return pid_ > 0; }

  // The port from the "listening" line, or -1 when none came in time.
  int WaitForListening() {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    std::string line;
    while (std::chrono::steady_clock::now() < deadline) {
      pollfd ready{out_, POLLIN, 0};
      if (poll(&ready, 1, 100) <= 0) continue;
      char c;
      if (read(out_, &c, 1) != 1) return -1;
      if (c != '\n') {
        line += c;
        continue;
      }
      if (line.find("listening") != std::string::npos) return std::stoi(line.substr(line.rfind(':') + 1));
      line.clear();
    }
    return -1;
  }

  void Signal(int signal) { kill(pid_, signal); }

  // The exit status, or -1 when the program did not end in time or ended by a signal.
  int WaitForExit() {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) return -1;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    exited_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // What the program has written to standard error so far.
  std::string ErrorOutput() {
    std::string text;
    char buffer[512];
    for (ssize_t n; (n = read(err_, buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    return text;
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  int err_ = -1;
  bool exited_ = false;
};

std::string Get(int port, const std::string& path) {
  httplib::Client client("127.0.0.1", port);
  client.set_url_encode(false);
  auto answer = client.Get(path);
  return answer && answer->status == 200 ? answer->body : "";
}

TEST(LineServiceProcess, ServesTheDemoDataAndStopsCleanly) {
  TempFolder folder;
  for (int signal : {SIGTERM, SIGINT}) {
    ServiceProcess service({"--port", "0", "--db", folder.File("lines.db")});
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
    ServiceProcess service(arguments);
    const int port = service.WaitForListening();
    ASSERT_GT(port, 0);
    EXPECT_NE(Get(port, reserve).find("\"code\": 100"), std::string::npos);
    service.Signal(SIGTERM);
    ASSERT_EQ(service.WaitForExit(), 0);
  }
  ServiceProcess service(arguments);
  const int port = service.WaitForListening();
  ASSERT_GT(port, 0);
  EXPECT_NE(Get(port, "/setstaticip/?user=demo2&ip=198.51.100.2").find("\"code\": 106"), std::string::npos);
  service.Signal(SIGTERM);
  EXPECT_EQ(service.WaitForExit(), 0);
}

TEST(LineServiceProcess, KeepsItsDatabaseInTheUsersDataFolder) {
  TempFolder folder;
  ScopedEnvironment dataHome("XDG_DATA_HOME", folder.path().c_str());
  ServiceProcess service({"--port", "0"});
  ASSERT_GT(service.WaitForListening(), 0);
  service.Signal(SIGTERM);
  EXPECT_EQ(service.WaitForExit(), 0);
  EXPECT_FALSE(ReadFileBytes(folder.File("trevalo/line-service.db")).empty());
}

TEST(LineServiceProcess, RefusesATakenPort) {
  TempFolder folder;
  ServiceProcess first({"--port", "0", "--db", folder.File("first.db")});
  const int port = first.WaitForListening();
  ASSERT_GT(port, 0);
  ServiceProcess second({"--port", std::to_string(port), "--db", folder.File("second.db")});
  EXPECT_EQ(second.WaitForExit(), 1);
  EXPECT_NE(second.ErrorOutput().find("cannot listen on 127.0.0.1:" + std::to_string(port)), std::string::npos);
  first.Signal(SIGTERM);
  EXPECT_EQ(first.WaitForExit(), 0);
}

TEST(LineServiceProcess, RefusesBadOptionsWithUsage) {
  for (std::vector<std::string> arguments : {std::vector<std::string>{"--port", "x"}, {"--nope"}, {"--db"}}) {
    ServiceProcess service(arguments);
    EXPECT_EQ(service.WaitForExit(), 2) << arguments[0];
    const std::string error = service.ErrorOutput();
    EXPECT_TRUE(error.starts_with("line-service: ")) << error;
    EXPECT_NE(error.find("usage: line-service"), std::string::npos) << error;
  }
}

}  // namespace

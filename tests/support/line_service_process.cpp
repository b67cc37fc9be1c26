#include "tests/support/line_service_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

extern char** environ;

namespace {

constexpr auto kPatience = std::chrono::seconds(20);

}  // namespace

LineServiceProcess::LineServiceProcess(const std::vector<std::string>& arguments) {
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

LineServiceProcess::~LineServiceProcess() {
  if (pid_ > 0 && !exited_) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  close(out_);
  close(err_);
}

int LineServiceProcess::WaitForListening() {
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

void LineServiceProcess::Signal(int signal) { kill(pid_, signal); }

int LineServiceProcess::WaitForExit() {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  int status = 0;
  while (waitpid(pid_, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  exited_ = true;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string LineServiceProcess::ErrorOutput() {
  std::string text;
  char buffer[512];
  for (ssize_t n; (n = read(err_, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
  return text;
}

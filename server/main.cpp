// line-service: the reference line service, serving the client's five endpoints from an SQLite
// database until SIGTERM or SIGINT.
#include <httplib.h>
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "server/database_path.h"
#include "server/demo_seed.h"
#include "server/http_endpoints.h"
#include "server/line_store.h"
#include "server/service_options.h"

namespace {

using namespace line_service;

std::string HostAndPort(const std::string& host, int port) {
  const bool ipv6 = host.find(':') != std::string::npos;
  return (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

std::string OpenDatabasePath(const ServiceOptions& options) {
  if (!options.databasePath.empty()) return options.databasePath;
  const std::string path = DefaultDatabasePath();
  if (path.empty()) throw std::runtime_error("no data folder (XDG_DATA_HOME and HOME unset): give --db");
  std::string error;
  if (!CreateFoldersFor(path, error)) throw std::runtime_error(error);
  return path;
}

// Serves until a stop signal arrives. The signals are blocked in every thread and taken by one
// waiter with sigwait, so stopping runs as ordinary code rather than in a signal handler.
int Serve(const ServiceOptions& options, const sigset_t& stopSignals) {
  LineStore store(OpenDatabasePath(options));
  if (store.IsEmpty()) store.Fill(DemoContent(std::time(nullptr)));

  httplib::Server server;
  PrepareServer(server, store);
  int port = options.port;
  if (port == 0)
    port = server.bind_to_any_port(options.bindAddress);
  else if (!server.bind_to_port(options.bindAddress, port))
    port = -1;
  if (port < 0) {
    std::fprintf(stderr, "line-service: cannot listen on %s\n", HostAndPort(options.bindAddress, options.port).c_str());
    return 1;
  }
  // The socket listens from here on; connections made now wait for the loop below.
  std::printf("line-service listening on %s\n", HostAndPort(options.bindAddress, port).c_str());
  std::fflush(stdout);

  std::atomic<bool> serving = true;
  std::thread stopper([&] {
    int signal = 0;
    sigwait(&stopSignals, &signal);
    // A signal may come before the loop has started, when stop() would do nothing.
    while (serving && !server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    server.stop();
  });
  const bool ended = server.listen_after_bind();
  serving = false;
  // When the loop ended by itself, the waiter still waits: wake it.
  pthread_kill(stopper.native_handle(), SIGTERM);
  stopper.join();
  if (!ended) {
    std::fprintf(stderr, "line-service: the server loop failed\n");
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  ServiceOptions options;
  std::string error;
  if (!ParseServiceOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
    std::fprintf(stderr, "line-service: %s\n%s", error.c_str(), kUsage);
    return 2;
  }
  if (options.showHelp) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  // Before any thread exists, so that all of them inherit the mask.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  try {
    return Serve(options, stopSignals);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "line-service: %s\n", failure.what());
    return 1;
  }
}

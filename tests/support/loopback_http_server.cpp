#include "tests/support/loopback_http_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

namespace {

sockaddr_in LoopbackAddress(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  return address;
}

int BoundPort(int socket) {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  if (getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
  return ntohs(address.sin_port);
}

// A socket bound to a fresh loopback port.
int BindLoopbackSocket() {
  int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (socket < 0) throw std::runtime_error("socket failed");
  sockaddr_in address = LoopbackAddress(0);
  if (bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(socket);
    throw std::runtime_error("bind failed");
  }
  return socket;
}

// The head of a request or answer in lower case, up to and including the CR LF of its last line.
std::string LowerCaseHead(std::string_view message) {
  std::size_t blankLine = message.find("\r\n\r\n");
  std::string head(blankLine == std::string_view::npos ? message : message.substr(0, blankLine + 2));
  std::transform(head.begin(), head.end(), head.begin(), [](unsigned char c) { return std::tolower(c); });
  return head;
}

// The length a request announces for its body; 0 without a Content-Length.
std::size_t ContentLength(std::string_view request) {
  std::string head = LowerCaseHead(request);
  std::size_t at = head.find("\r\ncontent-length:");
  if (at == std::string::npos) return 0;
  return std::strtoul(head.c_str() + at + 17, nullptr, 10);
}

bool ClosesConnection(const ScriptedResponse& response) {
  std::string head = LowerCaseHead(response.raw);
  if (head.find("\r\nconnection: close\r\n") != std::string::npos) return true;
  return head.find("\r\ncontent-length:") == std::string::npos &&
         head.find("\r\ntransfer-encoding:") == std::string::npos;
}

}  // namespace

ScriptedResponse MakeResponse(const std::string& statusLine, const std::vector<std::string>& headerLines,
                              const std::string& body) {
  std::string raw = statusLine + "\r\n";
  for (const std::string& line : headerLines) raw += line + "\r\n";
  raw += "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
  return {raw};
}

LoopbackHttpServer::LoopbackHttpServer(std::vector<ScriptedResponse> script) : script_(std::move(script)) {
  listener_ = BindLoopbackSocket();
  port_ = BoundPort(listener_);
  if (listen(listener_, 16) != 0 || pipe2(stopPipe_, O_CLOEXEC) != 0) {
    close(listener_);
    throw std::runtime_error("listen failed");
  }
  thread_ = std::thread(&LoopbackHttpServer::Serve, this);
}

LoopbackHttpServer::~LoopbackHttpServer() {
  static_cast<void>(write(stopPipe_[1], "x", 1));
  thread_.join();
  close(listener_);
  close(stopPipe_[0]);
  close(stopPipe_[1]);
}

std::string LoopbackHttpServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> LoopbackHttpServer::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void LoopbackHttpServer::Serve() {
  std::vector<std::thread> connections;
  while (WaitFor(listener_, POLLIN)) {
    int connection = accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (connection >= 0) connections.emplace_back(&LoopbackHttpServer::ServeConnection, this, connection);
  }
  for (std::thread& connection : connections) connection.join();
}

void LoopbackHttpServer::ServeConnection(int connection) {
  for (std::string request; ReadRequest(connection, request); request.clear()) {
    std::size_t answered = 0;
    {
      std::lock_guard lock(mutex_);
      answered = requests_.size();
      requests_.push_back(request);
    }
    if (script_.empty()) break;
    const ScriptedResponse& response = script_[std::min(answered, script_.size() - 1)];
    if (!Answer(connection, response) || response.neverAnswer || ClosesConnection(response)) break;
  }
  close(connection);
}

bool LoopbackHttpServer::ReadRequest(int connection, std::string& request) {
  std::size_t headEnd = std::string::npos;
  std::size_t wanted = 0;
  char buffer[16384];
  while (headEnd == std::string::npos || request.size() < wanted) {
    if (!WaitFor(connection, POLLIN)) return false;
    ssize_t received = recv(connection, buffer, sizeof buffer, 0);
    if (received < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    if (received <= 0) return false;
    request.append(buffer, static_cast<std::size_t>(received));
    if (headEnd == std::string::npos && (headEnd = request.find("\r\n\r\n")) != std::string::npos) {
      wanted = headEnd + 4 + ContentLength(request);
    }
  }
  return true;
}

bool LoopbackHttpServer::Answer(int connection, const ScriptedResponse& response) {
  if (response.neverAnswer) {
    // Until the client gives up and closes, or the server stops.
    char buffer[1024];
    while (WaitFor(connection, POLLIN)) {
      ssize_t received = recv(connection, buffer, sizeof buffer, 0);
      if (received == 0 || (received < 0 && errno != EAGAIN && errno != EINTR)) break;
    }
    return false;
  }
  if (!Pause(response.delayMs)) return false;

  auto sendAll = [&](std::string_view bytes) {
    while (!bytes.empty()) {
      if (!WaitFor(connection, POLLOUT)) return false;
      ssize_t sent = send(connection, bytes.data(), bytes.size(), MSG_NOSIGNAL);
      if (sent < 0 && (errno == EAGAIN || errno == EINTR)) continue;
      if (sent <= 0) return false;
      bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
  };
  if (!sendAll(response.raw)) return false;
  const std::string filler(65536, 'x');
  for (std::size_t left = response.streamedBodyBytes; left > 0;) {
    std::size_t chunk = std::min(left, filler.size());
    if (!sendAll(std::string_view(filler).substr(0, chunk))) return false;
    left -= chunk;
  }
  return true;
}

bool LoopbackHttpServer::WaitFor(int socket, short events) const {
  pollfd fds[2] = {{stopPipe_[0], POLLIN, 0}, {socket, events, 0}};
  int ready;
  do {
    ready = poll(fds, 2, -1);
  } while (ready < 0 && errno == EINTR);
  return ready > 0 && fds[0].revents == 0;
}

bool LoopbackHttpServer::Pause(int delayMs) const {
  pollfd stop{stopPipe_[0], POLLIN, 0};
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(delayMs);
  for (auto now = std::chrono::steady_clock::now(); now < end; now = std::chrono::steady_clock::now()) {
    int ready = poll(&stop, 1, static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(end - now).count()));
    if (ready > 0) return false;
  }
  return true;
}

int ClosedLoopbackPort() {
  int socket = BindLoopbackSocket();
  int port = BoundPort(socket);
  close(socket);
  return port;
}

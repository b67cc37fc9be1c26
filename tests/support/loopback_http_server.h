#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// One scripted answer of the loopback server. (No <chrono> here: tests of the system's folders
// include this, and that header holds a literal their GBK texts cannot take.)
struct ScriptedResponse {
  std::string raw;                    // written as it is: status line, header lines, blank line, body
  int delayMs = 0;                    // waited before anything is written
  bool neverAnswer = false;           // nothing is written; the connection is held until the client leaves
  std::size_t streamedBodyBytes = 0;  // filler bytes written after raw, as fast as the client takes them
};

// An answer with the status line, the header lines (without their CR LF) and the body; a
// Content-Length header for the body is added after the given ones.
ScriptedResponse MakeResponse(const std::string& statusLine, const std::vector<std::string>& headerLines,
                              const std::string& body);

// An HTTP server on 127.0.0.1 at a port of the system's choosing, serving each connection on a
// thread of its own. It records every request exactly as received (head and a body of the length
// its Content-Length gives) and answers the requests with the scripted answers in turn, the last one
// for every later request. A connection stays open for further requests unless the answer says
// "Connection: close" or has neither Content-Length nor Transfer-Encoding, so that its body ends
// with the connection.
class LoopbackHttpServer {
 public:
  explicit LoopbackHttpServer(std::vector<ScriptedResponse> script);
  ~LoopbackHttpServer();  // stops serving, a held or streaming connection included
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  int port() const { return port_; }
  // "http://127.0.0.1:<port>" followed by the path.
  std::string Url(const std::string& path) const;
  // The requests received so far, in order.
  std::vector<std::string> Requests() const;

 private:
  void Serve();
  void ServeConnection(int connection);
  bool ReadRequest(int connection, std::string& request);
  // False when the connection can serve no further request.
  bool Answer(int connection, const ScriptedResponse& response);
  // Waits until the socket is ready for the events; false when the server stops first.
  bool WaitFor(int socket, short events) const;
  // Waits out the delay; false when the server stops first.
  bool Pause(int delayMs) const;

  const std::vector<ScriptedResponse> script_;
  int listener_ = -1;
  int port_ = 0;
  int stopPipe_[2] = {-1, -1};
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

// A loopback port that nothing listens on: taken from the system and closed again.
int ClosedLoopbackPort();

#pragma once

#include <string>
#include <vector>

#include "toolkit/shell.h"

// What a window's own procedure and an event routine were told, in the order they were told it,
// one line each ("message 2 0 0", "event 1130"), so a test sees who heard what first.
class MessageLog {
 public:
  // The result the logging procedure answers a message with, a value no tray routine gives.
  static toolkit::LResult ResultFor(std::uint32_t message) { return 70000 + message; }

  MessageLog() = default;
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;
  // The window may outlive the log: it then handles its messages without writing them anywhere.
  ~MessageLog() {
    if (shell_ != nullptr) shell_->SetProperty(window_, kProperty, 0);
  }

  // Makes the logging procedure the window's own, in place of whatever it had. The shell must
  // outlive the log.
  void Attach(toolkit::Shell& shell, toolkit::WindowHandle window) {
    shell_ = &shell;
    window_ = window;
    shell.SetProperty(window, kProperty, reinterpret_cast<std::uintptr_t>(this));
    shell.SetWindowProcedure(window, Procedure);
  }

  void NoteEvent(int code) { lines.push_back("event " + std::to_string(code)); }

  static std::string Message(std::uint32_t message, toolkit::WParam wParam, toolkit::LParam lParam) {
    return "message " + std::to_string(message) + " " + std::to_string(wParam) + " " + std::to_string(lParam);
  }

  std::vector<std::string> lines;

 private:
  static constexpr const char* kProperty = "Test Message Log";

  toolkit::Shell* shell_ = nullptr;
  toolkit::WindowHandle window_ = 0;

  static toolkit::LResult Procedure(toolkit::Shell& shell, toolkit::WindowHandle window, std::uint32_t message,
                                    toolkit::WParam wParam, toolkit::LParam lParam) {
    auto* log = reinterpret_cast<MessageLog*>(shell.GetProperty(window, kProperty));
    if (log != nullptr) log->lines.push_back(Message(message, wParam, lParam));
    return ResultFor(message);
  }
};

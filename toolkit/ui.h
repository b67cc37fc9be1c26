#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "toolkit/layout.h"
#include "toolkit/shell.h"
#include "toolkit/window.h"

namespace toolkit {

// Message-box flags, as the system numbers them.
inline constexpr int kErrorIcon = 16;

// The window toolkit as a whole: windows, the message loop and the clock it runs on.
class Ui {
 public:
  virtual ~Ui() = default;

  // Creates the window on its first load, running onCreated once its controls exist; a later load
  // finds the same window and runs nothing. Loading does not show the window.
  virtual Window& LoadWindow(const WindowLayout& layout, const std::function<void(Window&)>& onCreated) = 0;
  // The window of that name if it has been loaded, else null.
  virtual Window* FindWindow(std::string_view name) = 0;

  // The window system's services behind the windows: notification area, window procedures.
  virtual toolkit::Shell& Shell() = 0;

  // Shows a message box and returns when the user has closed it.
  virtual void ShowMessageBox(std::string_view text, std::string_view title, int flags) = 0;

  // Runs the message loop until the process ends.
  virtual void Run() = 0;
  // Handles every message that is waiting, then returns.
  virtual void ProcessPendingMessages() = 0;
  // Handles messages until the given time has passed.
  virtual void WaitProcessingMessages(int milliseconds) = 0;
  // Runs the task on the user-interface thread; callable from any thread.
  virtual void Post(std::function<void()> task) = 0;
  // Runs the task on the user-interface thread once the time has passed; called on that thread.
  virtual void PostAfter(int milliseconds, std::function<void()> task) = 0;
  // Milliseconds since some fixed moment, as the system's tick count.
  virtual std::uint64_t TickCount() const = 0;

  // Registers work to run when the process ends, in the order given.
  virtual void AtProcessEnd(std::function<void()> work) = 0;
  // Ends the process: the registered work runs, then nothing more of this process does.
  [[noreturn]] virtual void EndProcess(int exitCode) = 0;
};

}  // namespace toolkit

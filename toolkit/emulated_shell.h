#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/shell.h"

namespace toolkit {

// The window side of the shell for a backend whose window system keeps no procedures or properties
// of its own (Qt, the headless toolkit): each window gets its handle, its procedure and its
// properties here. The backend adds and destroys its windows through this class and supplies the
// icons and the notification area.
class EmulatedShell : public Shell {
 public:
  std::uint32_t RegisterWindowMessage(std::string_view name) override {
    auto found = registeredMessages_.find(name);
    if (found != registeredMessages_.end()) return found->second;
    auto number = kFirstRegisteredMessage + static_cast<std::uint32_t>(registeredMessages_.size());
    registeredMessages_.emplace(name, number);
    return number;
  }

  bool IsWindow(WindowHandle window) override { return windows_.contains(window); }

  WindowProcedure SetWindowProcedure(WindowHandle window, WindowProcedure procedure) override {
    auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : std::exchange(found->second.procedure, procedure);
  }

  LResult CallWindowProcedure(WindowProcedure procedure, WindowHandle window, std::uint32_t message, WParam wParam,
                              LParam lParam) override {
    return procedure != nullptr ? procedure(*this, window, message, wParam, lParam) : 0;
  }

  bool SetProperty(WindowHandle window, std::string_view name, std::uintptr_t value) override {
    auto found = windows_.find(window);
    if (found == windows_.end()) return false;
    found->second.properties.insert_or_assign(std::string(name), value);
    return true;
  }

  std::uintptr_t GetProperty(WindowHandle window, std::string_view name) override {
    auto found = windows_.find(window);
    if (found == windows_.end()) return 0;
    auto property = found->second.properties.find(name);
    return property == found->second.properties.end() ? 0 : property->second;
  }

  // A new window, whose procedure handles nothing and gives 0.
  WindowHandle AddWindow() {
    WindowHandle window = nextWindow_++;
    windows_.emplace(window, WindowRecord{});
    return window;
  }

  // Destroys a window as a window system does: its procedure sees kWmDestroy while the window still
  // exists, and afterwards the handle names nothing.
  void DestroyWindow(WindowHandle window) {
    SendMessage(window, kWmDestroy, 0, 0);
    windows_.erase(window);
  }

  // Runs the window's current procedure on the message and gives its result; 0 for no window.
  LResult SendMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    auto found = windows_.find(window);
    return found == windows_.end() ? 0 : CallWindowProcedure(found->second.procedure, window, message, wParam, lParam);
  }

  // Sends the message to every window, as the shell announces news to all top-level windows.
  void BroadcastMessage(std::uint32_t message, WParam wParam, LParam lParam) {
    std::vector<WindowHandle> windows;
    for (const auto& [window, record] : windows_) windows.push_back(window);
    for (WindowHandle window : windows) SendMessage(window, message, wParam, lParam);
  }

 private:
  static LResult HandleNothing(Shell&, WindowHandle, std::uint32_t, WParam, LParam) { return 0; }

  struct WindowRecord {
    WindowProcedure procedure = HandleNothing;
    std::map<std::string, std::uintptr_t, std::less<>> properties;
  };

  static constexpr std::uint32_t kFirstRegisteredMessage = 0xC000;

  std::map<WindowHandle, WindowRecord> windows_;
  std::map<std::string, std::uint32_t, std::less<>> registeredMessages_;
  WindowHandle nextWindow_ = 0x10000;
};

}  // namespace toolkit

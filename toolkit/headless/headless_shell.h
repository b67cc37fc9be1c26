#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/emulated_shell.h"

namespace toolkit::headless {

// One NotifyIcon call, with a copy of the record as it was handed over.
struct NotifyIconCall {
  std::uint32_t message;
  NotifyIconDataA data;
};

// The shell of the headless toolkit: deterministic and open to the test. It keeps every NotifyIcon
// call, the icons it shows with the members their records gave them, and the image bytes of each
// icon it made; the Simulate... calls stand for what the user and the desktop do.
class HeadlessShell final : public EmulatedShell {
 public:
  IconHandle SmallIcon(WindowHandle window) override;
  // Makes an icon of any image that starts as an icon image does (a 40-byte bitmap info header, or
  // the PNG signature); the pixels are not looked at.
  IconHandle CreateIconFromResource(std::string_view image) override;
  bool NotifyIcon(std::uint32_t message, const NotifyIconDataA& data) override;
  std::string ProgramIconFile() override { return programIconFile_; }

  void SetSmallIcon(WindowHandle window, IconHandle icon) { smallIcons_[window] = icon; }
  void SetProgramIconFile(std::string bytes) { programIconFile_ = std::move(bytes); }
  // Without a notification area every NotifyIcon call fails.
  void SetNotificationArea(bool present) { notificationArea_ = present; }

  const std::vector<NotifyIconCall>& NotifyIconCalls() const { return notifyIconCalls_; }
  // The icon as the notification area shows it, or null when it shows no such icon.
  const NotifyIconDataA* ShownIcon(WindowHandle owner, std::uint32_t id) const;
  // The image bytes the icon was made from, or null when no such icon was made.
  const std::string* IconImage(IconHandle icon) const;

  // The mouse on a shown icon: its owner window gets the icon's callback message with the icon's
  // identifier and the mouse message, and the procedure's result comes back. Nothing, for an icon
  // that is not shown or has no callback message.
  std::optional<LResult> SimulateIconMouse(WindowHandle owner, std::uint32_t id, std::uint32_t mouseMessage);
  // The desktop's taskbar is made anew (its program restarted): the icons it showed are gone, and
  // every window gets the "TaskbarCreated" message.
  void SimulateTaskbarCreated();

 private:
  std::vector<NotifyIconCall> notifyIconCalls_;
  std::map<std::pair<WindowHandle, std::uint32_t>, NotifyIconDataA> shownIcons_;
  std::map<IconHandle, std::string> icons_;
  std::map<WindowHandle, IconHandle> smallIcons_;
  std::string programIconFile_;
  bool notificationArea_ = true;
  IconHandle nextIcon_ = 0x20000;
};

}  // namespace toolkit::headless

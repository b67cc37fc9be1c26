#pragma once

#include <QIcon>
#include <QSystemTrayIcon>
#include <cstdint>

#include "toolkit/emulated_shell.h"

namespace toolkit::qt {

// One icon of the notification area, known as the shell knows it: by its owner window and
// identifier. The desktop's activations of it reach the owner window's current procedure as the
// callback message a Windows shell sends: (callback message, identifier, mouse message).
class QtNotifyIcon {
 public:
  QtNotifyIcon(EmulatedShell& shell, WindowHandle owner, std::uint32_t id);

  // Takes the members of the record that its flags name; `icon` is what the record's hIcon stands
  // for. Balloons are not shown: the client never asks for one.
  void Apply(const NotifyIconDataA& data, const QIcon& icon);

  QSystemTrayIcon& TrayIcon() { return trayIcon_; }

 private:
  void Activated(QSystemTrayIcon::ActivationReason reason);
  void SendMouseMessage(std::uint32_t mouseMessage);

  EmulatedShell& shell_;
  WindowHandle owner_;
  std::uint32_t id_;
  std::uint32_t callbackMessage_ = 0;  // none until a record names one
  QSystemTrayIcon trayIcon_;
};

}  // namespace toolkit::qt

#include "toolkit/qt/qt_notify_icon.h"

#include <cstring>
#include <string_view>

#include "toolkit/qt/qt_text.h"

namespace toolkit::qt {

QtNotifyIcon::QtNotifyIcon(EmulatedShell& shell, WindowHandle owner, std::uint32_t id)
    : shell_(shell), owner_(owner), id_(id) {
  QObject::connect(&trayIcon_, &QSystemTrayIcon::activated, &trayIcon_,
                   [this](QSystemTrayIcon::ActivationReason reason) { Activated(reason); });
}

void QtNotifyIcon::Apply(const NotifyIconDataA& data, const QIcon& icon) {
  if (data.uFlags & kNifMessage) callbackMessage_ = data.uCallbackMessage;
  if (data.uFlags & kNifIcon) trayIcon_.setIcon(icon);
  if (data.uFlags & kNifTip) trayIcon_.setToolTip(ToQString({data.szTip, strnlen(data.szTip, sizeof data.szTip)}));
}

// A single click arrives as the press and the release it was made of.
void QtNotifyIcon::Activated(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::DoubleClick:
      SendMouseMessage(kWmLButtonDblClk);
      break;
    case QSystemTrayIcon::Trigger:
      SendMouseMessage(kWmLButtonDown);
      SendMouseMessage(kWmLButtonUp);
      break;
    default:
      break;
  }
}

void QtNotifyIcon::SendMouseMessage(std::uint32_t mouseMessage) {
  if (callbackMessage_ != 0) shell_.SendMessage(owner_, callbackMessage_, id_, mouseMessage);
}

}  // namespace toolkit::qt

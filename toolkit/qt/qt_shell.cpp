#include "toolkit/qt/qt_shell.h"

#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QWidget>
#include <algorithm>

#include "toolkit/qt/qt_icon_image.h"
#include "toolkit/qt/qt_notify_icon.h"

namespace toolkit::qt {

QtShell::QtShell(QString picturesFolder) : programIconPath_(QDir(picturesFolder).filePath(QStringLiteral("app.ico"))) {}

QtShell::~QtShell() = default;

IconHandle QtShell::SmallIcon(WindowHandle window) {
  auto widget = widgets_.find(window);
  if (widget == widgets_.end()) return 0;
  QIcon icon = widget->second->windowIcon();
  if (icon.isNull()) return 0;
  // The same icon keeps its handle, as a window answers with the one it holds.
  auto known = std::find_if(icons_.begin(), icons_.end(),
                            [&](const auto& entry) { return entry.second.cacheKey() == icon.cacheKey(); });
  return known != icons_.end() ? known->first : AddIcon(std::move(icon));
}

IconHandle QtShell::CreateIconFromResource(std::string_view image) {
  QImage picture = DecodeIconImage(image);
  return picture.isNull() ? 0 : AddIcon(QIcon(QPixmap::fromImage(picture)));
}

IconHandle QtShell::AddIcon(QIcon icon) {
  IconHandle handle = nextIcon_++;
  icons_.emplace(handle, std::move(icon));
  return handle;
}

QIcon QtShell::Icon(IconHandle icon) const {
  auto found = icons_.find(icon);
  return found == icons_.end() ? QIcon() : found->second;
}

bool QtShell::NotifyIcon(std::uint32_t message, const NotifyIconDataA& data) {
  auto key = std::pair(data.hWnd, data.uID);
  auto found = notifyIcons_.find(key);
  if (message == kNimAdd) {
    if (found != notifyIcons_.end() || !IsWindow(data.hWnd) || !QSystemTrayIcon::isSystemTrayAvailable()) return false;
    found = notifyIcons_.emplace(key, std::make_unique<QtNotifyIcon>(*this, data.hWnd, data.uID)).first;
    found->second->Apply(data, Icon(data.hIcon));
    found->second->TrayIcon().show();
    return true;
  }
  if (message != kNimModify || found == notifyIcons_.end()) return false;
  found->second->Apply(data, Icon(data.hIcon));
  return true;
}

std::string QtShell::ProgramIconFile() {
  QFile file(programIconPath_);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QByteArray bytes = file.readAll();
  return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

WindowHandle QtShell::AddWidget(QWidget& widget) {
  WindowHandle window = AddWindow();
  widgets_.emplace(window, &widget);
  return window;
}

void QtShell::DestroyWidget(WindowHandle window) {
  DestroyWindow(window);
  widgets_.erase(window);
  std::erase_if(notifyIcons_, [window](const auto& icon) { return icon.first.first == window; });
}

}  // namespace toolkit::qt

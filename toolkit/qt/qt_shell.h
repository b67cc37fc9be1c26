#pragma once

#include <QIcon>
#include <QString>
#include <map>
#include <memory>
#include <utility>

#include "toolkit/emulated_shell.h"

class QWidget;

namespace toolkit::qt {

class QtNotifyIcon;

// The shell on Qt: window procedures and properties emulated over the toolkit's windows, icons as
// QIcons, and the notification area as one QSystemTrayIcon per icon added. Where the desktop has
// no notification area, adding an icon fails and nothing else changes.
class QtShell final : public EmulatedShell {
 public:
  // The program's icon file is <picturesFolder>/app.ico.
  explicit QtShell(QString picturesFolder);
  ~QtShell() override;
  QtShell(const QtShell&) = delete;
  QtShell& operator=(const QtShell&) = delete;

  IconHandle SmallIcon(WindowHandle window) override;
  IconHandle CreateIconFromResource(std::string_view image) override;
  bool NotifyIcon(std::uint32_t message, const NotifyIconDataA& data) override;
  std::string ProgramIconFile() override;

  // A toolkit window comes into being and goes: it gets its handle here, and on its way out its
  // procedure sees kWmDestroy and its icons leave the notification area.
  WindowHandle AddWidget(QWidget& widget);
  void DestroyWidget(WindowHandle window);

  // What an icon handle stands for; a null icon for a handle that names none.
  QIcon Icon(IconHandle icon) const;

 private:
  IconHandle AddIcon(QIcon icon);

  QString programIconPath_;
  std::map<WindowHandle, QWidget*> widgets_;
  std::map<IconHandle, QIcon> icons_;
  IconHandle nextIcon_ = 0x20000;
  std::map<std::pair<WindowHandle, std::uint32_t>, std::unique_ptr<QtNotifyIcon>> notifyIcons_;
};

}  // namespace toolkit::qt

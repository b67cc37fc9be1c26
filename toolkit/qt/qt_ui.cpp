#include "toolkit/qt/qt_ui.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "toolkit/qt/qt_pictures.h"
#include "toolkit/qt/qt_text.h"
#include "toolkit/qt/qt_window.h"

namespace toolkit::qt {

QtUi::QtUi(int& argc, char** argv, const std::filesystem::path& picturesFolder)
    : application_(std::make_unique<QApplication>(argc, argv)),
      postBox_(std::make_unique<QObject>()),
      pictures_(std::make_unique<PictureStore>(QFile::decodeName(picturesFolder.c_str()))),
      shell_(std::make_unique<QtShell>(QFile::decodeName(picturesFolder.c_str()))) {
  // Hiding every window (the main window goes to the tray) must not end the message loop.
  QApplication::setQuitOnLastWindowClosed(false);
}

// The windows and pictures go before the application they were made in.
QtUi::~QtUi() = default;

Window& QtUi::LoadWindow(const WindowLayout& layout, const std::function<void(Window&)>& onCreated) {
  if (Window* existing = FindWindow(layout.name)) return *existing;
  auto& window = windows_[std::string(layout.name)];
  window = std::make_unique<QtWindow>(layout, *pictures_, *shell_);
  if (onCreated) onCreated(*window);
  return *window;
}

Window* QtUi::FindWindow(std::string_view name) {
  auto found = windows_.find(name);
  return found == windows_.end() ? nullptr : found->second.get();
}

void QtUi::ShowMessageBox(std::string_view text, std::string_view title, int flags) {
  QMessageBox box((flags & 0xF0) == kErrorIcon ? QMessageBox::Critical : QMessageBox::NoIcon, ToQString(title),
                  ToQString(text), QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

// Nothing in the client stops the loop; when the desktop does, the process ends as it would by
// any other way out.
void QtUi::Run() { EndProcess(QApplication::exec()); }

void QtUi::ProcessPendingMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtUi::WaitProcessingMessages(int milliseconds) {
  if (milliseconds <= 0) {
    ProcessPendingMessages();
    return;
  }
  QEventLoop loop;
  QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

void QtUi::Post(std::function<void()> task) {
  QMetaObject::invokeMethod(
      postBox_.get(), [task = std::move(task)] { task(); }, Qt::QueuedConnection);
}

void QtUi::PostAfter(int milliseconds, std::function<void()> task) {
  QTimer::singleShot(std::max(milliseconds, 0), postBox_.get(), [task = std::move(task)] { task(); });
}

std::uint64_t QtUi::TickCount() const {
  auto sinceBoot = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceBoot).count());
}

void QtUi::EndProcess(int exitCode) {
  // Work that ends the process itself does not start the work over.
  if (!ending_) {
    ending_ = true;
    for (auto& work : atEnd_) work();
  }
  std::fflush(nullptr);
  std::_Exit(exitCode);
}

}  // namespace toolkit::qt

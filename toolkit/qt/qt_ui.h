#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/qt/qt_shell.h"
#include "toolkit/ui.h"

class QApplication;
class QObject;

namespace toolkit::qt {

class PictureStore;
class QtWindow;

// The real toolkit, on Qt Widgets. It owns the process's QApplication, so there is one at a time,
// made and used on the thread that becomes the user-interface thread.
class QtUi final : public Ui {
 public:
  // Qt keeps argc and argv: they must outlive this object. The windows' pictures are read from
  // <picturesFolder>/<name>.png.
  QtUi(int& argc, char** argv, const std::filesystem::path& picturesFolder);
  ~QtUi() override;
  QtUi(const QtUi&) = delete;
  QtUi& operator=(const QtUi&) = delete;

  Window& LoadWindow(const WindowLayout& layout, const std::function<void(Window&)>& onCreated) override;
  Window* FindWindow(std::string_view name) override;
  QtShell& Shell() override { return *shell_; }
  void ShowMessageBox(std::string_view text, std::string_view title, int flags) override;
  void Run() override;
  void ProcessPendingMessages() override;
  void WaitProcessingMessages(int milliseconds) override;
  void Post(std::function<void()> task) override;
  void PostAfter(int milliseconds, std::function<void()> task) override;
  std::uint64_t TickCount() const override;
  void AtProcessEnd(std::function<void()> work) override { atEnd_.push_back(std::move(work)); }
  // Workers may still run when the process ends: it ends at once, freeing nothing they touch.
  [[noreturn]] void EndProcess(int exitCode) override;

 private:
  std::unique_ptr<QApplication> application_;
  std::unique_ptr<QObject> postBox_;  // lives on the user-interface thread; posted tasks run there
  std::unique_ptr<PictureStore> pictures_;
  std::unique_ptr<QtShell> shell_;  // outlives the windows, whose procedures it runs as they go
  std::map<std::string, std::unique_ptr<QtWindow>, std::less<>> windows_;
  std::vector<std::function<void()>> atEnd_;
  bool ending_ = false;
};

}  // namespace toolkit::qt

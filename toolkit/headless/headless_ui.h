#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "toolkit/headless/headless_controls.h"
#include "toolkit/headless/headless_shell.h"
#include "toolkit/ui.h"

namespace toolkit::headless {

// What EndProcess throws here, so a test sees the end of the process instead of suffering it.
struct ProcessEnded {
  int exitCode;
};

class HeadlessWindow final : public Window {
 public:
  HeadlessWindow(const WindowLayout& layout, const std::uint64_t& clock, WindowHandle handle);

  std::string_view Name() const override { return name_; }
  WindowHandle Handle() const override { return handle_; }
  std::string Caption() const override { return caption_; }
  void SetCaption(std::string_view caption) override { caption_ = caption; }
  bool Visible() const override { return visible_; }
  void Show() override { visible_ = true; }
  void Hide() override { visible_ = false; }

  HeadlessLabel& Label(std::string_view name) override;
  HeadlessPicture& Picture(std::string_view name) override;
  HeadlessEdit& Edit(std::string_view name) override;
  HeadlessButton& Button(std::string_view name) override;
  HeadlessList& List(std::string_view name) override;
  HeadlessTimer& Timer(std::string_view name) override;

  // The window's timers, for the clock to fire.
  std::vector<HeadlessTimer*> Timers();

 private:
  template <typename Control>
  Control& Find(std::map<std::string, std::unique_ptr<Control>, std::less<>>& controls, std::string_view name);

  std::string name_;
  WindowHandle handle_;
  std::string caption_;
  bool visible_ = false;
  std::map<std::string, std::unique_ptr<HeadlessLabel>, std::less<>> labels_;
  std::map<std::string, std::unique_ptr<HeadlessPicture>, std::less<>> pictures_;
  std::map<std::string, std::unique_ptr<HeadlessEdit>, std::less<>> edits_;
  std::map<std::string, std::unique_ptr<HeadlessButton>, std::less<>> buttons_;
  std::map<std::string, std::unique_ptr<HeadlessList>, std::less<>> lists_;
  std::map<std::string, std::unique_ptr<HeadlessTimer>, std::less<>> timers_;
};

struct MessageBoxRecord {
  std::string text;
  std::string title;
  int flags;
};

// A deterministic toolkit for tests. Time is virtual: it passes only when the test advances it,
// when a wait asks for it, or by one millisecond per pass of the message loop, so a busy wait on
// the tick count ends too. Timers fire when virtual time reaches them; posted tasks run when
// messages are processed.
class HeadlessUi final : public Ui {
 public:
  Window& LoadWindow(const WindowLayout& layout, const std::function<void(Window&)>& onCreated) override;
  HeadlessShell& Shell() override { return shell_; }
  void ShowMessageBox(std::string_view text, std::string_view title, int flags) override;
  void Run() override;
  void ProcessPendingMessages() override;
  void WaitProcessingMessages(int milliseconds) override;
  void Post(std::function<void()> task) override;
  void PostAfter(int milliseconds, std::function<void()> task) override;
  std::uint64_t TickCount() const override { return now_; }
  void AtProcessEnd(std::function<void()> work) override { atEnd_.push_back(std::move(work)); }
  [[noreturn]] void EndProcess(int exitCode) override;

  HeadlessWindow* FindWindow(std::string_view name) override;
  HeadlessWindow& WindowNamed(std::string_view name);

  // Lets virtual time pass, firing every timer that falls due on the way, in time order, and
  // running posted tasks at each step.
  void AdvanceTime(std::uint64_t milliseconds);
  // Waits in real time (up to the limit) for a task posted from another thread, running tasks as
  // they come, until the condition holds. False when it still does not hold at the limit.
  bool RunUntil(const std::function<bool()>& condition, int realMillisecondsLimit = 10000);

  const std::vector<MessageBoxRecord>& MessageBoxes() const { return messageBoxes_; }
  bool Ended() const { return ended_; }

 private:
  bool RunPostedTasks();
  void FireDueTimers();

  std::uint64_t now_ = 0;
  HeadlessShell shell_;
  std::map<std::string, std::unique_ptr<HeadlessWindow>, std::less<>> windows_;
  std::vector<MessageBoxRecord> messageBoxes_;
  std::vector<std::function<void()>> atEnd_;
  bool ended_ = false;

  // Tasks waiting for their virtual time, in the order of that time.
  std::multimap<std::uint64_t, std::function<void()>> delayed_;

  std::mutex postedMutex_;
  std::condition_variable postedArrived_;
  std::deque<std::function<void()>> posted_;
};

}  // namespace toolkit::headless

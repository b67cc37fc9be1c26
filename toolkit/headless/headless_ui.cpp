#include "toolkit/headless/headless_ui.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace toolkit::headless {

HeadlessWindow::HeadlessWindow(const WindowLayout& layout, const std::uint64_t& clock, WindowHandle handle)
    : name_(layout.name), handle_(handle) {
  for (const ControlLayout& control : layout.controls) {
    std::string name(control.name);
    switch (control.kind) {
      case ControlKind::TransparentLabel:
        labels_.emplace(name, std::make_unique<HeadlessLabel>(control));
        break;
      case ControlKind::PictureBox:
        pictures_.emplace(name, std::make_unique<HeadlessPicture>(control));
        break;
      case ControlKind::EditBox:
        edits_.emplace(name, std::make_unique<HeadlessEdit>(control));
        break;
      case ControlKind::ImageButton:
        buttons_.emplace(name, std::make_unique<HeadlessButton>(control));
        break;
      case ControlKind::ReportListView:
        lists_.emplace(name, std::make_unique<HeadlessList>(control));
        break;
      case ControlKind::Timer:
        timers_.emplace(name, std::make_unique<HeadlessTimer>(clock));
        break;
    }
  }
}

template <typename Control>
Control& HeadlessWindow::Find(std::map<std::string, std::unique_ptr<Control>, std::less<>>& controls,
                              std::string_view name) {
  auto found = controls.find(name);
  if (found == controls.end()) {
    std::fprintf(stderr, "window %.*s has no control %.*s of that kind\n", static_cast<int>(name_.size()),
                 name_.data(), static_cast<int>(name.size()), name.data());
    std::abort();
  }
  return *found->second;
}

HeadlessLabel& HeadlessWindow::Label(std::string_view name) { return Find(labels_, name); }
HeadlessPicture& HeadlessWindow::Picture(std::string_view name) { return Find(pictures_, name); }
HeadlessEdit& HeadlessWindow::Edit(std::string_view name) { return Find(edits_, name); }
HeadlessButton& HeadlessWindow::Button(std::string_view name) { return Find(buttons_, name); }
HeadlessList& HeadlessWindow::List(std::string_view name) { return Find(lists_, name); }
HeadlessTimer& HeadlessWindow::Timer(std::string_view name) { return Find(timers_, name); }

std::vector<HeadlessTimer*> HeadlessWindow::Timers() {
  std::vector<HeadlessTimer*> timers;
  for (auto& [name, timer] : timers_) timers.push_back(timer.get());
  return timers;
}

Window& HeadlessUi::LoadWindow(const WindowLayout& layout, const std::function<void(Window&)>& onCreated) {
  if (HeadlessWindow* existing = FindWindow(layout.name)) return *existing;
  auto& window = windows_[std::string(layout.name)];
  window = std::make_unique<HeadlessWindow>(layout, now_, shell_.AddWindow());
  if (onCreated) onCreated(*window);
  return *window;
}

void HeadlessUi::ShowMessageBox(std::string_view text, std::string_view title, int flags) {
  messageBoxes_.push_back({std::string(text), std::string(title), flags});
}

void HeadlessUi::Run() {
  for (;;) ProcessPendingMessages();
}

void HeadlessUi::ProcessPendingMessages() {
  ++now_;
  FireDueTimers();
  RunPostedTasks();
}

void HeadlessUi::WaitProcessingMessages(int milliseconds) {
  AdvanceTime(milliseconds > 0 ? static_cast<std::uint64_t>(milliseconds) : 0);
}

void HeadlessUi::Post(std::function<void()> task) {
  {
    std::lock_guard lock(postedMutex_);
    posted_.push_back(std::move(task));
  }
  postedArrived_.notify_all();
}

void HeadlessUi::PostAfter(int milliseconds, std::function<void()> task) {
  delayed_.emplace(now_ + static_cast<std::uint64_t>(std::max(milliseconds, 0)), std::move(task));
}

void HeadlessUi::EndProcess(int exitCode) {
  if (!ended_) {
    ended_ = true;
    for (auto& work : atEnd_) work();
  }
  throw ProcessEnded{exitCode};
}

HeadlessWindow* HeadlessUi::FindWindow(std::string_view name) {
  auto found = windows_.find(name);
  return found == windows_.end() ? nullptr : found->second.get();
}

HeadlessWindow& HeadlessUi::WindowNamed(std::string_view name) {
  HeadlessWindow* window = FindWindow(name);
  if (window == nullptr) {
    std::fprintf(stderr, "no window %.*s has been loaded\n", static_cast<int>(name.size()), name.data());
    std::abort();
  }
  return *window;
}

void HeadlessUi::AdvanceTime(std::uint64_t milliseconds) {
  const std::uint64_t target = now_ + milliseconds;
  for (;;) {
    RunPostedTasks();
    // The earliest running timer or delayed task due by the target.
    std::uint64_t next = delayed_.empty() ? std::numeric_limits<std::uint64_t>::max() : delayed_.begin()->first;
    for (auto& [name, window] : windows_) {
      for (HeadlessTimer* timer : window->Timers()) {
        if (timer->Period() > 0 && timer->Due() < next) next = timer->Due();
      }
    }
    if (next > target) break;
    now_ = std::max(now_, next);
    FireDueTimers();
  }
  now_ = target;
}

bool HeadlessUi::RunUntil(const std::function<bool()>& condition, int realMillisecondsLimit) {
  auto limit = std::chrono::steady_clock::now() + std::chrono::milliseconds(realMillisecondsLimit);
  while (!condition()) {
    {
      std::unique_lock lock(postedMutex_);
      if (!postedArrived_.wait_until(lock, limit, [this] { return !posted_.empty(); })) return condition();
    }
    RunPostedTasks();
  }
  return true;
}

bool HeadlessUi::RunPostedTasks() {
  bool ran = false;
  for (;;) {
    std::function<void()> task;
    {
      std::lock_guard lock(postedMutex_);
      if (posted_.empty()) return ran;
      task = std::move(posted_.front());
      posted_.pop_front();
    }
    task();
    ran = true;
  }
}

// Every delayed task due by now runs, and every timer due by now ticks once; a tick that takes a
// while in virtual time (a wait inside the handler) does not make the timer catch up with the
// ticks it missed, as a system timer does not.
void HeadlessUi::FireDueTimers() {
  while (!delayed_.empty() && delayed_.begin()->first <= now_) {
    std::function<void()> task = std::move(delayed_.begin()->second);
    delayed_.erase(delayed_.begin());
    task();
  }
  std::vector<HeadlessTimer*> due;
  for (auto& [name, window] : windows_) {
    for (HeadlessTimer* timer : window->Timers()) {
      if (timer->Period() > 0 && timer->Due() <= now_) due.push_back(timer);
    }
  }
  for (HeadlessTimer* timer : due) {
    if (timer->Period() > 0 && timer->Due() <= now_) timer->Fire();
  }
}

}  // namespace toolkit::headless

#include "app/worker_threads.h"

void WorkerThreads::Start(std::function<void()> work) {
  std::list<Worker> finished;
  std::lock_guard lock(mutex_);
  for (auto it = workers_.begin(); it != workers_.end();) {
    auto next = std::next(it);
    if (it->done->load()) finished.splice(finished.end(), workers_, it);
    it = next;
  }
  Worker& worker = workers_.emplace_back();
  worker.thread = std::thread([work = std::move(work), done = worker.done] {
    work();
    done->store(true);
  });
  for (Worker& old : finished) old.thread.join();  // they have ended; this only frees them
}

void WorkerThreads::JoinAll() {
  for (;;) {
    std::list<Worker> running;
    {
      std::lock_guard lock(mutex_);
      if (workers_.empty()) return;
      running.swap(workers_);
    }
    for (Worker& worker : running) worker.thread.join();
  }
}

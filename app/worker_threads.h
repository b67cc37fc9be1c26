#pragma once

#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

// The client's worker threads. Nothing waits for a worker while the client runs; a finished
// worker is cleaned up when the next one starts, and tests wait for all of them before they tear
// down what the workers touch.
class WorkerThreads {
 public:
  WorkerThreads() = default;
  WorkerThreads(const WorkerThreads&) = delete;
  WorkerThreads& operator=(const WorkerThreads&) = delete;
  ~WorkerThreads() { JoinAll(); }

  void Start(std::function<void()> work);
  // Waits until every worker, including any started meanwhile, has ended.
  void JoinAll();

 private:
  struct Worker {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> done = std::make_shared<std::atomic<bool>>(false);
  };

  std::mutex mutex_;
  std::list<Worker> workers_;
};

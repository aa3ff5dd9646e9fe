#pragma once
// Synchronous calls from worker threads into the main thread: the worker
// queues a call and sleeps until the main thread has run it. The main thread
// runs queued calls from its message loop (serve) and while it waits for a
// worker (waitUntil). `wake` lets the platform nudge a sleeping message loop.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace vorn {

class SyncCallQueue {
 public:
  SyncCallQueue() : mainThread_(std::this_thread::get_id()) {}

  bool onMainThread() const { return std::this_thread::get_id() == mainThread_; }
  // Worker side; on the main thread the call simply runs.
  void call(const std::function<void()>& fn);
  // Main thread: run the calls queued at entry; true when at least one ran.
  bool serve();
  // Main thread: serve calls until done() holds (checked after each wake-up).
  void waitUntil(const std::function<bool()>& done);
  // Wake the waiting main thread after a state change a waitUntil checks.
  void notify();

  std::function<void()> wake;

 private:
  struct Pending {
    const std::function<void()>* fn;
    bool done = false;
  };
  std::thread::id mainThread_;
  std::mutex mutex_;
  std::condition_variable cv_;  // new call queued, call done, or notify
  std::deque<Pending*> queue_;
};

}  // namespace vorn

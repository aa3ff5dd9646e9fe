#include "transition/std_worker_threads.h"

#include <atomic>
#include <thread>

namespace vorn {

namespace {

class StdWorker final : public WorkerThread {
 public:
  StdWorker(SyncCallQueue& calls, std::function<void()> body) : calls_(calls) {
    thread_ = std::thread([this, body = std::move(body)] {
      body();
      finished_ = true;
      calls_.notify();
    });
  }
  ~StdWorker() override {
    if (thread_.joinable()) {
      if (std::this_thread::get_id() == thread_.get_id())
        thread_.detach();  // the worker let go of its own handle
      else
        thread_.join();
    }
  }
  bool finished() const override { return finished_; }
  void waitFor() override {
    calls_.waitUntil([this] { return finished_.load(); });
    if (thread_.joinable()) thread_.join();
  }

 private:
  SyncCallQueue& calls_;
  std::atomic<bool> finished_{false};
  std::thread thread_;
};

}  // namespace

std::unique_ptr<WorkerThread> StdWorkerThreads::start(TThreadPriority, std::function<void()> body) {
  return std::make_unique<StdWorker>(calls_, std::move(body));
}

}  // namespace vorn

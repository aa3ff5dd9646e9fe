#include "transition/std_worker_threads.h"

#include <atomic>

namespace vorn {

namespace {

class StdWorker final : public WorkerThread {
 public:
  StdWorker(StdWorkerThreads& owner, SyncCallQueue& calls, std::function<void()> body)
      : owner_(owner), calls_(calls) {
    // The thread holds the flag itself: a released handle may go first.
    thread_ = std::thread([finished = finished_, &calls, body = std::move(body)] {
      body();
      *finished = true;
      calls.notify();
    });
  }
  ~StdWorker() override {
    if (thread_.joinable()) thread_.join();
  }
  bool finished() const override { return *finished_; }
  void waitFor() override {
    calls_.waitUntil([this] { return finished_->load(); });
    if (thread_.joinable()) thread_.join();
  }
  void release() override {
    if (thread_.joinable()) owner_.adopt(std::move(thread_));
  }

 private:
  StdWorkerThreads& owner_;
  SyncCallQueue& calls_;
  std::shared_ptr<std::atomic<bool>> finished_ = std::make_shared<std::atomic<bool>>(false);
  std::thread thread_;
};

}  // namespace

StdWorkerThreads::~StdWorkerThreads() {
  for (std::thread& t : released_) t.join();
}

void StdWorkerThreads::adopt(std::thread t) { released_.push_back(std::move(t)); }

std::unique_ptr<WorkerThread> StdWorkerThreads::start(TThreadPriority, std::function<void()> body) {
  return std::make_unique<StdWorker>(*this, calls_, std::move(body));
}

}  // namespace vorn

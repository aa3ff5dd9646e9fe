#include "transition/win32/win32_worker_threads.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>

namespace vorn {

namespace {

int platformPriority(TThreadPriority p) {
  switch (p) {
    case TThreadPriority::tpIdle: return THREAD_PRIORITY_IDLE;
    case TThreadPriority::tpLowest: return THREAD_PRIORITY_LOWEST;
    case TThreadPriority::tpLower: return THREAD_PRIORITY_BELOW_NORMAL;
    case TThreadPriority::tpNormal: return THREAD_PRIORITY_NORMAL;
    case TThreadPriority::tpHigher: return THREAD_PRIORITY_ABOVE_NORMAL;
    case TThreadPriority::tpHighest: return THREAD_PRIORITY_HIGHEST;
    case TThreadPriority::tpTimeCritical: return THREAD_PRIORITY_TIME_CRITICAL;
  }
  return THREAD_PRIORITY_NORMAL;
}

class Win32Worker final : public WorkerThread {
 public:
  Win32Worker(SyncCallQueue& calls, std::function<void()> body, TThreadPriority priority)
      : calls_(calls), body_(std::move(body)) {
    // Created suspended so the priority holds from the first instruction.
    handle_ = CreateThread(nullptr, 0, &Win32Worker::run, this, CREATE_SUSPENDED, nullptr);
    if (!handle_) throw std::runtime_error("cannot create the animation thread");
    SetThreadPriority(handle_, platformPriority(priority));
    ResumeThread(handle_);
  }
  ~Win32Worker() override {
    WaitForSingleObject(handle_, INFINITE);
    CloseHandle(handle_);
  }
  void waitFor() override {
    calls_.waitUntil([this] { return finished_.load(); });
    WaitForSingleObject(handle_, INFINITE);
  }
  bool finished() const override { return finished_; }

 private:
  static DWORD WINAPI run(void* self) {
    auto* w = static_cast<Win32Worker*>(self);
    w->body_();
    w->finished_ = true;
    w->calls_.notify();
    return 0;
  }
  SyncCallQueue& calls_;
  std::function<void()> body_;
  std::atomic<bool> finished_{false};
  HANDLE handle_ = nullptr;
};

}  // namespace

std::unique_ptr<WorkerThread> Win32WorkerThreads::start(TThreadPriority priority, std::function<void()> body) {
  return std::make_unique<Win32Worker>(calls_, std::move(body), priority);
}

}  // namespace vorn

#include "transition/win32/win32_worker_threads.h"

#include <windows.h>

#include <atomic>
#include <memory>
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

// What the thread itself uses; it outlives a handle that let the thread go.
struct WorkerState {
  std::function<void()> body;
  SyncCallQueue& calls;
  std::atomic<bool> finished{false};
};

class Win32Worker final : public WorkerThread {
 public:
  Win32Worker(Win32WorkerThreads& owner, SyncCallQueue& calls, std::function<void()> body, TThreadPriority priority)
      : owner_(owner), state_(new WorkerState{std::move(body), calls}) {
    auto* held = new std::shared_ptr<WorkerState>(state_);
    // Created suspended so the priority holds from the first instruction.
    handle_ = CreateThread(nullptr, 0, &Win32Worker::run, held, CREATE_SUSPENDED, nullptr);
    if (!handle_) {
      delete held;
      throw std::runtime_error("cannot create the animation thread");
    }
    SetThreadPriority(handle_, platformPriority(priority));
    ResumeThread(handle_);
  }
  ~Win32Worker() override {
    if (!handle_) return;
    WaitForSingleObject(handle_, INFINITE);
    CloseHandle(handle_);
  }
  void waitFor() override {
    state_->calls.waitUntil([s = state_.get()] { return s->finished.load(); });
    WaitForSingleObject(handle_, INFINITE);
  }
  bool finished() const override { return state_->finished; }
  void release() override {
    if (handle_) owner_.adopt(handle_);
    handle_ = nullptr;
  }

 private:
  static DWORD WINAPI run(void* param) {
    auto* held = static_cast<std::shared_ptr<WorkerState>*>(param);
    const std::shared_ptr<WorkerState> s = *held;
    delete held;
    s->body();
    s->finished = true;
    s->calls.notify();
    return 0;
  }
  Win32WorkerThreads& owner_;
  std::shared_ptr<WorkerState> state_;
  HANDLE handle_ = nullptr;
};

}  // namespace

Win32WorkerThreads::~Win32WorkerThreads() {
  for (void* h : released_) {
    WaitForSingleObject(h, INFINITE);
    CloseHandle(h);
  }
}

void Win32WorkerThreads::adopt(void* handle) { released_.push_back(handle); }

std::unique_ptr<WorkerThread> Win32WorkerThreads::start(TThreadPriority priority, std::function<void()> body) {
  return std::make_unique<Win32Worker>(*this, calls_, std::move(body), priority);
}

}  // namespace vorn

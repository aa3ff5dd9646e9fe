#pragma once
// Worker threads of the threaded pacing on Windows, with the platform's
// thread priorities.
#include "transition/sync_call_queue.h"
#include "transition/worker_thread.h"

namespace vorn {

class Win32WorkerThreads final : public WorkerThreads {
 public:
  explicit Win32WorkerThreads(SyncCallQueue& calls) : calls_(calls) {}
  std::unique_ptr<WorkerThread> start(TThreadPriority priority, std::function<void()> body) override;

 private:
  SyncCallQueue& calls_;
};

}  // namespace vorn

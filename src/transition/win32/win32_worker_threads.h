#pragma once
// Worker threads of the threaded pacing on Windows, with the platform's
// thread priorities.
#include <vector>

#include "transition/sync_call_queue.h"
#include "transition/worker_thread.h"

namespace vorn {

class Win32WorkerThreads final : public WorkerThreads {
 public:
  explicit Win32WorkerThreads(SyncCallQueue& calls) : calls_(calls) {}
  ~Win32WorkerThreads() override;  // waits for the released workers
  std::unique_ptr<WorkerThread> start(TThreadPriority priority, std::function<void()> body) override;
  // A released worker's thread handle, waited for and closed when this goes
  // away.
  void adopt(void* handle);

 private:
  SyncCallQueue& calls_;
  std::vector<void*> released_;
};

}  // namespace vorn

#pragma once
// Worker threads on the standard library, for the native build and tests.
// Priorities are ignored here; the Windows build has its own (win32/).
#include <thread>
#include <vector>

#include "transition/sync_call_queue.h"
#include "transition/worker_thread.h"

namespace vorn {

class StdWorkerThreads final : public WorkerThreads {
 public:
  explicit StdWorkerThreads(SyncCallQueue& calls) : calls_(calls) {}
  ~StdWorkerThreads() override;  // joins the released workers
  std::unique_ptr<WorkerThread> start(TThreadPriority priority, std::function<void()> body) override;
  // A released worker's thread, joined when this goes away.
  void adopt(std::thread t);

 private:
  SyncCallQueue& calls_;
  std::vector<std::thread> released_;
};

}  // namespace vorn

#pragma once
// The worker of the threaded pacing. It only measures time and sleeps; every
// step runs in the main thread through a synchronous call, so all drawing
// stays on the main thread in both pacings.
#include <atomic>
#include <memory>

#include "transition/worker_thread.h"

namespace vorn {

class TCustomTransitionPlayer;

class TAnimateThread {
 public:
  // Starts running at once, at the player's ThreadPriority.
  explicit TAnimateThread(TCustomTransitionPlayer& player);
  ~TAnimateThread();  // joins
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }
  // The worker's body, end notification included, has returned.
  bool Finished() const;
  // Main thread: wait until the work and its end notification have run.
  void WaitFor();

 private:
  void Execute();
  TCustomTransitionPlayer& player_;
  std::atomic<bool> terminated_{false};
  std::unique_ptr<WorkerThread> worker_;
};

}  // namespace vorn

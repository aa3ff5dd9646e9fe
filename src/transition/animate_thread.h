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
  ~TAnimateThread();  // joins, unless the worker was let go
  void Terminate();
  bool Terminated() const;
  // The worker's body, end notification included, has returned.
  bool Finished() const;
  // Main thread: wait until the work and its end notification have run.
  void WaitFor();
  // Main thread: this worker waits for a step of its own that is running
  // now, further up the stack.
  bool InStep() const;
  // Main thread, from inside the worker's own step, when the player goes
  // away: the worker can't be waited for (it waits for us), so it is let go
  // to end by itself without touching the player again.
  void Abandon();

 private:
  struct Run;
  static void Execute(const std::shared_ptr<Run>& run);
  static void Step(Run& run);
  std::shared_ptr<Run> run_;
  std::unique_ptr<WorkerThread> worker_;
};

}  // namespace vorn

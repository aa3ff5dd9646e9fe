#pragma once
// The scheduler thread. It hands the slide step to the user-interface thread
// and waits until it has run, then rests 2 ms, for as long as the show runs.
//
// The thread does not poll: between steps it sleeps on a condition until the
// session reports StepDue (activation, Timer1), so a standing picture costs
// no processor time. A step can only run when StepDue is set, so the thread
// asking only then changes nothing the user can see; a due step still starts
// within the 2 ms rest plus the time the user-interface thread needs.
//
// The hand-over: the thread marks a request pending and wakes the
// user-interface thread (a posted message); that thread runs the step in
// serviceOnUiThread and clears the mark. The thread never blocks the
// user-interface thread, so stop() (also from inside a step) sets the stop
// mark, wakes the thread and joins it at once; no step runs after it.
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "show/show_ports.h"

namespace vorn::show {

// Wakes the user-interface thread, which then calls serviceOnUiThread().
// Must not block (a posted message, not a sent one).
class UiWaker {
 public:
  virtual ~UiWaker() = default;
  virtual void wakeUi() = 0;
};

class MoveTimer final : public Scheduler {
 public:
  MoveTimer(UiWaker& ui, std::function<void()> step, uint32_t restMs = 2);
  ~MoveTimer() override;
  MoveTimer(const MoveTimer&) = delete;
  MoveTimer& operator=(const MoveTimer&) = delete;

  void start() override;
  void stepDue() override;
  void stop() override;

  // On the user-interface thread, for each wake.
  void serviceOnUiThread();

  // For the tests: how many steps the thread has handed over so far.
  uint64_t requests() const;

 private:
  void Execute();

  UiWaker& ui_;
  std::function<void()> step_;
  const uint32_t restMs_;
  mutable std::mutex m_;
  std::condition_variable cv_;
  bool stopping_ = false;
  bool due_ = true;  // the first step runs as soon as the thread starts
  bool pending_ = false;
  uint64_t requests_ = 0;
  bool inStep_ = false;  // user-interface thread only
  std::thread thread_;
};

}  // namespace vorn::show

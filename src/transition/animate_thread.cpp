#include "transition/animate_thread.h"

#include "transition/transition_player.h"

namespace vorn {

// What the worker shares with its handle; it outlives a handle that let the
// worker go.
struct TAnimateThread::Run {
  TCustomTransitionPlayer& player;
  TAnimateThread* self;
  std::atomic<bool> terminated{false};
  // Set by the main thread inside the worker's step, so the worker sees it
  // once the synchronous call has returned.
  std::atomic<bool> abandoned{false};
  bool inStep = false;  // main thread only
};

TAnimateThread::TAnimateThread(TCustomTransitionPlayer& player)
    : run_(new Run{player, this}) {
  worker_ = player.s_.threads.start(player.ThreadPriority(), [run = run_] { Execute(run); });
}

TAnimateThread::~TAnimateThread() = default;

void TAnimateThread::Terminate() { run_->terminated = true; }

bool TAnimateThread::Terminated() const { return run_->terminated; }

bool TAnimateThread::Finished() const { return !worker_ || worker_->finished(); }

void TAnimateThread::WaitFor() {
  if (worker_) worker_->waitFor();
}

bool TAnimateThread::InStep() const { return run_->inStep; }

void TAnimateThread::Abandon() {
  run_->terminated = true;
  run_->abandoned = true;
  if (worker_) worker_->release();
  worker_.reset();
}

void TAnimateThread::Step(Run& run) {
  TCustomTransitionPlayer& p = run.player;
  const std::shared_ptr<bool> alive = p.alive_;
  if (!*alive) {  // a player being destroyed takes no more frames
    run.terminated = true;
    return;
  }
  run.inStep = true;
  ++p.workerCallDepth_;
  try {
    p.AnimationStep();
  } catch (...) {
    // Nobody waits for a threaded run's errors: the run ends here, as a
    // failed one.
    run.terminated = true;
    if (*alive) p.threadFailed(run.self);
  }
  if (!*alive) return;  // the player went away inside the step
  --p.workerCallDepth_;
  run.inStep = false;
}

void TAnimateThread::Execute(const std::shared_ptr<Run>& run) {
  TCustomTransitionPlayer& p = run->player;
  Clock& clock = p.s_.clock;
  while (!run->terminated && !p.Manual_ && !p.Stopping_) {
    const uint32_t t0 = clock.tickCount();
    p.s_.host.runOnMainThread([&run] { Step(*run); });
    if (run->abandoned) return;  // the player is gone: touch nothing of it
    const uint32_t t1 = clock.tickCount();
    if (p.runEnded()) {
      run->terminated = true;
    } else {
      const uint32_t spent = t1 - t0;  // unsigned: a wrap of the counter does no harm
      const uint32_t delay = p.Delay_;
      if (spent < delay) clock.sleep(delay - spent);
    }
  }
  // The end notification, delivered in the main thread after the work.
  p.s_.host.runOnMainThread([&run] { run->player.threadEnded(run->self); });
}

}  // namespace vorn

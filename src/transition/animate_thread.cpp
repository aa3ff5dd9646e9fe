#include "transition/animate_thread.h"

#include "transition/transition_player.h"

namespace vorn {

TAnimateThread::TAnimateThread(TCustomTransitionPlayer& player) : player_(player) {
  worker_ = player.s_.threads.start(player.ThreadPriority(), [this] { Execute(); });
}

TAnimateThread::~TAnimateThread() = default;

bool TAnimateThread::Finished() const { return !worker_ || worker_->finished(); }

void TAnimateThread::WaitFor() {
  if (worker_) worker_->waitFor();
}

void TAnimateThread::Execute() {
  TCustomTransitionPlayer& p = player_;
  Clock& clock = p.s_.clock;
  while (!terminated_ && !p.Manual_ && !p.Stopping_) {
    const uint32_t t0 = clock.tickCount();
    p.s_.host.runOnMainThread([this, &p] {
      ++p.workerCallDepth_;
      try {
        p.AnimationStep();
      } catch (...) {
        // Nobody waits for a threaded run's errors; the run ends here.
        terminated_ = true;
      }
      --p.workerCallDepth_;
    });
    const uint32_t t1 = clock.tickCount();
    if (p.runEnded()) {
      terminated_ = true;
    } else {
      const uint32_t spent = t1 - t0;  // unsigned: a wrap of the counter does no harm
      const uint32_t delay = p.Delay_;
      if (spent < delay) clock.sleep(delay - spent);
    }
  }
  // The end notification, delivered in the main thread after the work.
  p.s_.host.runOnMainThread([this, &p] { p.threadEnded(this); });
}

}  // namespace vorn

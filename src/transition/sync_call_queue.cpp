#include "transition/sync_call_queue.h"

#include <chrono>

namespace vorn {

void SyncCallQueue::call(const std::function<void()>& fn) {
  if (onMainThread()) {
    fn();
    return;
  }
  Pending p{&fn};
  std::unique_lock lock(mutex_);
  queue_.push_back(&p);
  cv_.notify_all();
  if (wake) {
    lock.unlock();
    wake();
    lock.lock();
  }
  cv_.wait(lock, [&] { return p.done; });
}

bool SyncCallQueue::serve() {
  bool ran = false;
  std::unique_lock lock(mutex_);
  // Only the calls waiting now: a quick worker re-queues at once, and
  // draining until empty would run a whole transition inside one serve,
  // never giving the caller a look in between.
  for (size_t n = queue_.size(); n > 0 && !queue_.empty(); --n) {
    Pending* p = queue_.front();
    queue_.pop_front();
    lock.unlock();
    {
      // The worker stays blocked until done is set, so an exception from the
      // call must still release it before travelling on.
      struct Release {
        SyncCallQueue& q;
        Pending* p;
        ~Release() {
          std::lock_guard g(q.mutex_);
          p->done = true;
          q.cv_.notify_all();
        }
      } release{*this, p};
      (*p->fn)();
    }
    ran = true;
    lock.lock();
  }
  return ran;
}

void SyncCallQueue::waitUntil(const std::function<bool()>& done) {
  for (;;) {
    serve();
    if (done()) return;
    std::unique_lock lock(mutex_);
    if (!queue_.empty()) continue;
    // The timeout covers state changes that nobody notifies.
    cv_.wait_for(lock, std::chrono::milliseconds(1));
  }
}

void SyncCallQueue::notify() {
  std::lock_guard g(mutex_);
  cv_.notify_all();
}

}  // namespace vorn

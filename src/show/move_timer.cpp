#include "show/move_timer.h"

#include <chrono>

namespace vorn::show {

MoveTimer::MoveTimer(UiWaker& ui, std::function<void()> step, uint32_t restMs)
    : ui_(ui), step_(std::move(step)), restMs_(restMs) {}

MoveTimer::~MoveTimer() { stop(); }

void MoveTimer::start() {
  std::lock_guard lk(m_);
  if (thread_.joinable() || stopping_) return;
  thread_ = std::thread([this] { Execute(); });
}

void MoveTimer::stepDue() {
  {
    std::lock_guard lk(m_);
    due_ = true;
  }
  cv_.notify_all();
}

void MoveTimer::stop() {
  {
    std::lock_guard lk(m_);
    stopping_ = true;
  }
  cv_.notify_all();
  if (!thread_.joinable()) return;
  if (thread_.get_id() == std::this_thread::get_id())
    thread_.detach();
  else
    thread_.join();
}

uint64_t MoveTimer::requests() const {
  std::lock_guard lk(m_);
  return requests_;
}

void MoveTimer::Execute() {
  std::unique_lock lk(m_);
  while (!stopping_) {
    cv_.wait(lk, [&] { return stopping_ || due_; });
    if (stopping_) break;
    due_ = false;
    pending_ = true;
    ++requests_;
    lk.unlock();
    ui_.wakeUi();
    lk.lock();
    // Synchronous: the step has run (or the show is closing) before we go on.
    cv_.wait(lk, [&] { return stopping_ || !pending_; });
    if (stopping_) break;
    cv_.wait_for(lk, std::chrono::milliseconds(restMs_), [&] { return stopping_; });
  }
  pending_ = false;
}

void MoveTimer::serviceOnUiThread() {
  // A wake that arrives inside a step (its dispatches) is served by the
  // step already running.
  if (inStep_) return;
  {
    std::lock_guard lk(m_);
    if (stopping_ || !pending_) return;
  }
  inStep_ = true;
  try {
    step_();
  } catch (...) {
  }
  inStep_ = false;
  {
    std::lock_guard lk(m_);
    pending_ = false;
  }
  cv_.notify_all();
}

}  // namespace vorn::show

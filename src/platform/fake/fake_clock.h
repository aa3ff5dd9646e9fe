#pragma once
#include <atomic>
#include <cstdint>
#include <functional>

#include "platform/clock.h"

namespace vorn::fake {

// Time moves only when someone sleeps or calls advance(): tests run hours of
// show in milliseconds and see exactly the same ticks every run. A worker
// thread may sleep on it while the main thread reads it, hence atomic.
class FakeClock final : public Clock {
 public:
  uint32_t tickCount() override { return now; }
  void sleep(uint32_t ms) override {
    now += ms;
    if (onSleep) onSleep(ms);
  }
  void advance(uint32_t ms) { now += ms; }
  std::atomic<uint32_t> now{0};
  std::function<void(uint32_t)> onSleep;
};

}  // namespace vorn::fake

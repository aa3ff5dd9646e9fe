#pragma once
#include <cstdint>

namespace vorn {

// Millisecond tick counter (wraps at 2^32 like the platform's) and sleep.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint32_t tickCount() = 0;
  virtual void sleep(uint32_t ms) = 0;
};

}  // namespace vorn

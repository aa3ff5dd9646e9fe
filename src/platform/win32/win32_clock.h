#pragma once
#include "platform/clock.h"

namespace vorn::win32 {

// GetTickCount and Sleep.
class Win32TickClock final : public Clock {
 public:
  uint32_t tickCount() override;
  void sleep(uint32_t ms) override;
};

}  // namespace vorn::win32

#pragma once
// The platform's tick counter and message dispatch, as the unthreaded pacing
// of the transition player uses them.
#include "platform/clock.h"
#include "platform/message_pump.h"

namespace vorn {

class Win32TickClock final : public Clock {
 public:
  uint32_t tickCount() override;
  void sleep(uint32_t ms) override;
};

// PeekMessage / TranslateMessage / DispatchMessage until the queue is empty.
// A WM_QUIT is put back so the program's own message loop still sees it.
class Win32MessagePump final : public MessagePump {
 public:
  void processMessages() override;
};

}  // namespace vorn

#pragma once
// A window-less stand-in for the player's window: records invalidations,
// repaints on updateNow like the platform's update-window does, and serves
// worker calls through a queue the test (or a tool) drains.
#include <functional>
#include <vector>

#include "platform/message_pump.h"
#include "raster/rect.h"
#include "transition/player_host.h"
#include "transition/sync_call_queue.h"

namespace vorn {
class TCustomTransitionPlayer;
}

namespace vorn::fake {

class FakePlayerHost final : public PlayerHost {
 public:
  int32_t clientWidth() const override { return width; }
  int32_t clientHeight() const override { return height; }
  void setClientSize(int32_t w, int32_t h) override;
  void invalidate(const Rect& r) override;
  void updateNow() override;
  bool isMainThread() const override { return calls.onMainThread(); }
  void runOnMainThread(const std::function<void()>& fn) override { calls.call(fn); }

  int32_t width = 100, height = 100;  // a new control's size
  TCustomTransitionPlayer* player = nullptr;  // painted by updateNow
  std::vector<Rect> invalidated;  // every invalidation, in order
  Rect pending;                   // bounds of what awaits a repaint
  std::vector<Rect> repainted;    // the area of every repaint
  SyncCallQueue calls;
};

// Dispatching messages runs whatever the test queued as the next message.
class FakeMessagePump final : public MessagePump {
 public:
  void processMessages() override {
    ++calls;
    if (onProcess) onProcess();
  }
  int calls = 0;
  std::function<void()> onProcess;
};

}  // namespace vorn::fake

#pragma once
// What the window-less player needs from the window it paints on. The player
// never talks to a window itself; a presenter (win32/) or a test double
// (fake/) stands behind this.
#include <cstdint>
#include <functional>

#include "raster/rect.h"

namespace vorn {

class PlayerHost {
 public:
  virtual ~PlayerHost() = default;
  // The control's client size.
  virtual int32_t clientWidth() const = 0;
  virtual int32_t clientHeight() const = 0;
  // AdjustSize: the control takes this client size (only asked when the
  // control is not aligned to its parent).
  virtual void setClientSize(int32_t width, int32_t height) = 0;
  // Invalidate a rectangle of the control (client coordinates) without
  // erasing; the host adds the control's position in its parent.
  virtual void invalidate(const Rect& r) = 0;
  // Repaint the invalidated area now (the platform's update-window); the
  // paint comes back through TCustomTransitionPlayer::Paint.
  virtual void updateNow() = 0;
  virtual bool isMainThread() const = 0;
  // Called on a worker: run fn on the main thread and return once it ran.
  virtual void runOnMainThread(const std::function<void()>& fn) = 0;
};

}  // namespace vorn

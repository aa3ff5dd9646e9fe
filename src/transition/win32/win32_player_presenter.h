#pragma once
// Hosts the window-less player on a window: the control occupies `bounds`
// of the window's client area. The window procedure hands its messages to
// handleMessage (or calls paint from its own WM_PAINT). Every paint composes
// PaintBuffer for the invalid part only and shows it with one
// SetDIBitsToDevice; no GDI object is made per frame.
#include <windows.h>

#include <functional>

#include "raster/bitmap24.h"
#include "raster/rect.h"
#include "transition/player_host.h"
#include "transition/sync_call_queue.h"

namespace vorn {

class FrameTrace;
class TCustomTransitionPlayer;

// Posted to the window when a worker waits for a synchronous call.
constexpr UINT kPlayerSyncMessage = WM_APP + 0x2A1;

// Shows `area` of a top-down 24-bit bitmap with its (0, 0) at (x, y) of hdc.
void presentBitmap(HDC hdc, const Bitmap24& b, const Rect& area, int32_t x, int32_t y);

class Win32PlayerPresenter final : public PlayerHost {
 public:
  // Wakes the window's message loop when a worker queues a call.
  Win32PlayerPresenter(HWND window, SyncCallQueue& calls);
  ~Win32PlayerPresenter() override;

  void attach(TCustomTransitionPlayer* player) { player_ = player; }
  // Records each frame when the player has composed it and each paint that
  // shows it (none: nothing is recorded or timed). The trace must outlive
  // the presenter or be taken away first.
  void setTrace(FrameTrace* trace) { trace_ = trace; }
  // Where the control sits in the window's client area (Align alClient: the
  // whole client rectangle; call again on WM_SIZE).
  void setBounds(const Rect& bounds);
  Rect bounds() const { return bounds_; }

  // WM_PAINT (BeginPaint .. EndPaint), WM_ERASEBKGND inside the control
  // (answered as done), kPlayerSyncMessage, and the mouse messages over the
  // control (OnMouseMove, OnMouseDown, OnMouseUp, OnClick, OnDblClick,
  // enter and leave; a window that wants OnDblClick has CS_DBLCLKS).
  // True when handled.
  bool handleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // For a window that paints more than the player: the player's part of a
  // paint whose invalid rectangle is rcPaint (window client coordinates).
  void paint(HDC hdc, const RECT& rcPaint);

  // PlayerHost
  int32_t clientWidth() const override { return bounds_.width(); }
  int32_t clientHeight() const override { return bounds_.height(); }
  void setClientSize(int32_t width, int32_t height) override;
  void invalidate(const Rect& r) override;
  void updateNow() override;
  bool isMainThread() const override { return calls_.onMainThread(); }
  void runOnMainThread(const std::function<void()>& fn) override { calls_.call(fn); }

 private:
  void mouseButton(UINT msg, WPARAM keys, int32_t x, int32_t y);
  HWND window_;
  SyncCallQueue& calls_;
  TCustomTransitionPlayer* player_ = nullptr;
  FrameTrace* trace_ = nullptr;
  Rect bounds_{0, 0, 100, 100};  // a new control's size
  bool mouseInside_ = false;
};

}  // namespace vorn

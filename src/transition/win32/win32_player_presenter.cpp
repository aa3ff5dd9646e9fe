#include "transition/win32/win32_player_presenter.h"

#include <windowsx.h>

#include "transition/transition_player.h"
#include "transition/win32/frame_trace.h"

namespace vorn {

void presentBitmap(HDC hdc, const Bitmap24& b, const Rect& area, int32_t x, int32_t y) {
  const Rect a = intersect(area, Rect{0, 0, b.width(), b.height()});
  if (a.empty()) return;
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = b.width();
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 24;
  bmi.bmiHeader.biCompression = BI_RGB;
  // Only the rows of the area, as a top-down DIB of their own (negative
  // height): its origin is then its top-left corner, whatever the
  // platform's scan-line counting for bottom-up pictures.
  bmi.bmiHeader.biHeight = -a.height();
  SetDIBitsToDevice(hdc, x + a.left, y + a.top, DWORD(a.width()), DWORD(a.height()), a.left, 0, 0,
                    UINT(a.height()), b.row(a.top), &bmi, DIB_RGB_COLORS);
}

Win32PlayerPresenter::Win32PlayerPresenter(HWND window, SyncCallQueue& calls) : window_(window), calls_(calls) {
  calls_.wake = [w = window_] { PostMessageW(w, kPlayerSyncMessage, 0, 0); };
}

Win32PlayerPresenter::~Win32PlayerPresenter() { calls_.wake = nullptr; }

void Win32PlayerPresenter::setBounds(const Rect& bounds) {
  if (bounds == bounds_) return;
  RECT old{bounds_.left, bounds_.top, bounds_.right, bounds_.bottom};
  InvalidateRect(window_, &old, FALSE);
  bounds_ = bounds;
  if (player_) player_->Resized();
}

void Win32PlayerPresenter::setClientSize(int32_t width, int32_t height) {
  setBounds(Rect{bounds_.left, bounds_.top, bounds_.left + width, bounds_.top + height});
}

void Win32PlayerPresenter::invalidate(const Rect& r) {
  const Rect q = intersect(offsetRect(r, bounds_.left, bounds_.top), bounds_);
  if (q.empty()) return;
  RECT rc{q.left, q.top, q.right, q.bottom};
  InvalidateRect(window_, &rc, FALSE);
}

void Win32PlayerPresenter::updateNow() {
  // The player asks for this at the end of every frame it composes, and the
  // paint comes back before UpdateWindow returns. So the frame is recorded
  // here: recorded any later (in OnProgress, say), each frame would seem to
  // reach the window with the next frame's paint, and the last one with
  // whatever paints the window next.
  if (trace_ && player_) trace_->composed(player_->Style(), player_->Progress(), player_->Step(), player_->Delay());
  UpdateWindow(window_);
}

void Win32PlayerPresenter::paint(HDC hdc, const RECT& rcPaint) {
  if (!player_ || !player_->Visible()) return;
  const Rect dirty = intersect(Rect{rcPaint.left, rcPaint.top, rcPaint.right, rcPaint.bottom}, bounds_);
  if (dirty.empty()) return;
  const Rect area = offsetRect(dirty, -bounds_.left, -bounds_.top);
  if (!player_->Paint(area)) return;
  presentBitmap(hdc, player_->PaintBuffer(), area, bounds_.left, bounds_.top);
  if (trace_) trace_->presented();
}

namespace {

bool contains(const Rect& r, int32_t x, int32_t y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

TShiftState shiftOf(WPARAM keys) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  return s;
}

}  // namespace

// A double click comes as down, up, double-click, up: the double-click
// message stands for the second press (a down with ssDouble) and raises
// OnDblClick; a left release over the control is a click.
void Win32PlayerPresenter::mouseButton(UINT msg, WPARAM keys, int32_t x, int32_t y) {
  if (!player_ || !contains(bounds_, x, y)) return;
  TCustomTransitionPlayer& p = *player_;
  const bool dbl = msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
  const bool up = msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP;
  const TMouseButton button = msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP || msg == WM_LBUTTONDBLCLK
                                  ? TMouseButton::mbLeft
                              : msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP || msg == WM_RBUTTONDBLCLK
                                  ? TMouseButton::mbRight
                                  : TMouseButton::mbMiddle;
  TShiftState shift = shiftOf(keys);
  if (dbl) shift |= ssDouble;
  if (dbl && button == TMouseButton::mbLeft && p.OnDblClick) p.OnDblClick(p);
  const TMouseEvent& event = up ? p.OnMouseUp : p.OnMouseDown;
  if (event) event(p, button, shift, x - bounds_.left, y - bounds_.top);
  if (up && button == TMouseButton::mbLeft && p.OnClick) p.OnClick(p);
}

bool Win32PlayerPresenter::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC hdc = BeginPaint(window_, &ps);
      paint(hdc, ps.rcPaint);
      EndPaint(window_, &ps);
      result = 0;
      return true;
    }
    case WM_ERASEBKGND:
      // The player paints every pixel of its area itself; erasing first
      // would only flicker.
      if (player_ && player_->Visible()) {
        result = 1;
        return true;
      }
      return false;
    case kPlayerSyncMessage:
      calls_.serve();
      result = 0;
      return true;
    case WM_MOUSEMOVE: {
      if (!player_) return false;
      const int32_t x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
      const bool inside = contains(bounds_, x, y);
      if (inside != mouseInside_) {
        mouseInside_ = inside;
        if (inside) {
          // Leaving the window sends no move to it: ask for word of that.
          TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, window_, 0};
          TrackMouseEvent(&tme);
          player_->MouseEntered();
        } else {
          player_->MouseLeft();
        }
      }
      if (inside && player_->OnMouseMove) player_->OnMouseMove(*player_, x - bounds_.left, y - bounds_.top);
      return false;  // the window may want the move as well
    }
    case WM_MOUSELEAVE:
      if (player_ && mouseInside_) {
        mouseInside_ = false;
        player_->MouseLeft();
      }
      return false;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
      mouseButton(msg, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return false;  // the window may want the button as well
    default:
      return false;
  }
}

}  // namespace vorn

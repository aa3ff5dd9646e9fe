#include "show/win32/win32_timer.h"

namespace vorn::show::win32 {

Win32IntervalTimer::~Win32IntervalTimer() {
  if (running_ && IsWindow(hwnd_)) KillTimer(hwnd_, id_);
}

void Win32IntervalTimer::update() {
  if (running_) KillTimer(hwnd_, id_);
  running_ = false;
  // Interval 0 never fires: the item stays until the user ends the show.
  if (enabled_ && interval_ > 0) running_ = SetTimer(hwnd_, id_, interval_, nullptr) != 0;
}

void Win32IntervalTimer::setEnabled(bool on) {
  if (on == enabled_) return;  // turning on a running timer keeps its phase
  enabled_ = on;
  update();
}

void Win32IntervalTimer::setInterval(uint32_t ms) {
  if (ms == interval_) return;
  interval_ = ms;
  if (enabled_) update();
}

bool Win32IntervalTimer::handle(UINT msg, WPARAM wp) {
  if (msg != WM_TIMER || wp != id_) return false;
  if (enabled_ && OnTimer) OnTimer();
  return true;
}

}  // namespace vorn::show::win32

#pragma once
// Timer1 over SetTimer on the show window: WM_TIMER with our id calls OnTimer.
#include <windows.h>

#include <functional>

#include "show/show_ports.h"

namespace vorn::show::win32 {

class Win32IntervalTimer final : public IntervalTimer {
 public:
  Win32IntervalTimer(HWND window, UINT_PTR id) : hwnd_(window), id_(id) {}
  ~Win32IntervalTimer() override;
  void setEnabled(bool on) override;
  bool enabled() const override { return enabled_; }
  // Like the component: a new interval restarts a running timer.
  void setInterval(uint32_t ms) override;
  uint32_t interval() const override { return interval_; }

  // From the window procedure; true when the message was this timer's.
  bool handle(UINT msg, WPARAM wp);
  std::function<void()> OnTimer;

 private:
  void update();
  HWND hwnd_;
  UINT_PTR id_;
  bool enabled_ = false;
  bool running_ = false;
  uint32_t interval_ = 1;
};

}  // namespace vorn::show::win32

#pragma once
// The show window without a screen, for the tests and the soak: a form of a
// fixed size whose close asks the session first, as the real one does, and
// Timer1 on a fake clock, which whoever runs the show fires when it is due.
#include <cstdint>

#include "platform/fake/fake_clock.h"
#include "show/show_ports.h"
#include "show/show_session.h"

namespace vorn::fake {

struct FakeShowWindow : show::ShowForm {
  FakeShowWindow(int32_t width, int32_t height) : W(width), H(height) {}
  show::ShowSession* session = nullptr;
  int32_t W, H;
  bool closed = false;
  int terminateRequests = 0;

  void hideApplicationWindow() override {}
  void setColor(Color) override {}
  int32_t width() override { return W; }
  int32_t height() override { return H; }
  void alignShowControlsToClient() override {}
  void setPlayerVisible(bool) override {}
  void setMovieBoxVisible(bool) override {}
  void setMovieBoxColor(Color) override {}
  int32_t movieBoxWidth() override { return W; }
  int32_t movieBoxHeight() override { return H; }
  void close() override {
    if (closed) return;
    bool can = true;
    session->FormCloseQuery(can);
    if (!can) return;
    closed = true;
    session->FormClose();
  }
  void requestTerminate() override { ++terminateRequests; }
};

// Runs from startedAt on: due when clock.now - startedAt reaches ms.
struct FakeIntervalTimer : show::IntervalTimer {
  FakeIntervalTimer(FakeClock& c, uint32_t initialMs) : clock(c), ms(initialMs) {}
  FakeClock& clock;
  bool on = false;
  uint32_t ms;
  uint32_t startedAt = 0;

  void setEnabled(bool v) override {
    if (v && !on) startedAt = clock.now;
    on = v;
  }
  bool enabled() const override { return on; }
  void setInterval(uint32_t v) override {
    ms = v;
    if (on) startedAt = clock.now;
  }
  uint32_t interval() const override { return ms; }
};

}  // namespace vorn::fake

#pragma once
// The show window's parts the soak plays without a screen: timer, caption,
// media players, wave sound, cursor, password, scheduler and message pump.
// They count what they are asked to do and hold nothing that grows.
#include <cstdint>
#include <string>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_file_system.h"
#include "show/fake/fake_show_window.h"
#include "show/show_session.h"

namespace vorn::soak {

// The window and Timer1 are the tests' own (the soak's loop fires the
// timer); neither keeps a record, so nothing grows over the hours.
struct SoakWindow final : fake::FakeShowWindow {
  SoakWindow() : FakeShowWindow(80, 60) {}
};

struct SoakTimer final : fake::FakeIntervalTimer {
  explicit SoakTimer(fake::FakeClock& c) : FakeIntervalTimer(c, 1000) {}
};

// An MCI device: opens what exists on the disk unless its first byte is
// 'X' (a file the device refuses).
struct SoakMediaPlayer final : show::MediaPlayer {
  explicit SoakMediaPlayer(fake::FakeFileSystem& f) : fs(f) {}
  fake::FakeFileSystem& fs;
  std::string fileName;
  bool isOpen = false;
  uint64_t opens = 0, refused = 0, plays = 0;
  void setFileName(const std::string& p) override { fileName = p; }
  Status open() override {
    isOpen = false;
    auto bytes = fs.contents(fileName);
    if (!bytes || (!bytes->empty() && (*bytes)[0] == 'X')) {
      ++refused;
      return makeError("MCI open failed");
    }
    isOpen = true;
    ++opens;
    return {};
  }
  Status close() override {
    isOpen = false;
    return {};
  }
  Status play() override {
    if (!isOpen) return makeError("not open");
    ++plays;
    return {};
  }
  Status stop() override { return isOpen ? Status{} : makeError("not open"); }
  show::DisplayRect displayRect() override { return isOpen ? show::DisplayRect{0, 0, 32, 24} : show::DisplayRect{}; }
  void setDisplayRect(const show::DisplayRect&) override {}
};

struct SoakWave final : show::WaveSound {
  uint64_t once = 0, looped = 0;
  void playOnce(const std::string&) override { ++once; }
  void playLooped(const std::string&) override { ++looped; }
  void stop() override {}
};

struct SoakCaption final : show::CaptionControl {
  std::string text;
  int32_t size = 0;
  uint64_t shown = 0;
  void setFontName(const std::string&) override {}
  void setFontSize(int32_t p) override { size = p; }
  void setFontColor(Color) override {}
  void setText(const std::string& t) override { text = t; }
  int32_t width() override { return int32_t(text.size()) * 7; }
  int32_t height() override { return size * 2 + 1; }
  void setPosition(int32_t, int32_t) override {}
  void setVisible(bool v) override { shown += v; }
};

// The mouse rests where the show started, then wanders inside the square
// that does not end the show.
struct SoakCursor final : show::CursorSource {
  Point at{400, 300};
  Point cursorPos() override { return at; }
};

struct SoakPassword final : show::PasswordCheck {
  bool verifyPassword() override { return true; }
};

// MoveTimer's part is the soak's loop; this only records the calls.
struct SoakScheduler final : show::Scheduler {
  bool started = false, stopped = false;
  void start() override { started = true; }
  void stepDue() override {}
  void stop() override { stopped = true; }
};

struct SoakPump final : MessagePump {
  uint64_t dispatches = 0;
  void processMessages() override { ++dispatches; }
};

}  // namespace vorn::soak

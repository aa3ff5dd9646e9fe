#pragma once
// A show window made of fakes around one ShowSession, on a fake clock: the
// rig's run loop plays Timer1 and the scheduler's 2 ms poll, the fake player
// plays transitions of ten frames 31 ms apart, so a test runs hours of show
// in milliseconds. Every fake writes what it is asked into one shared log.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/fake/fake_clock.h"
#include "show/fake/fake_show_window.h"
#include "collection/item_kind.h"
#include "show/show_session.h"
#include "text/cp1250.h"

namespace vorn::show::testing {

using Log = std::vector<std::string>;

// The window records what the session asks of it.
struct FakeWindow : fake::FakeShowWindow {
  Log& log;
  explicit FakeWindow(Log& l) : FakeShowWindow(1024, 768), log(l) {}
  Color color = 0, movieBoxColor = 0;
  bool playerVisible = false, movieBoxVisible = false, aligned = false;
  int closeRequests = 0;

  void hideApplicationWindow() override { log.push_back("window.hideApp"); }
  void setColor(Color c) override { color = c; }
  void alignShowControlsToClient() override { aligned = true; }
  void setPlayerVisible(bool v) override { playerVisible = v; }
  void setMovieBoxVisible(bool v) override { movieBoxVisible = v; }
  void setMovieBoxColor(Color c) override { movieBoxColor = c; }
  void close() override {
    ++closeRequests;
    FakeShowWindow::close();
  }
};

struct FakeTimer : fake::FakeIntervalTimer {
  Log& log;
  FakeTimer(Log& l, fake::FakeClock& c) : FakeIntervalTimer(c, 1), log(l) {}
  std::vector<uint32_t> intervalsSet;
  void setEnabled(bool v) override {
    if (v != on) log.push_back(v ? "timer.on" : "timer.off");
    FakeIntervalTimer::setEnabled(v);
  }
  void setInterval(uint32_t v) override {
    intervalsSet.push_back(v);
    FakeIntervalTimer::setInterval(v);
  }
};

struct FakeMediaPlayer : MediaPlayer {
  Log& log;
  std::string name;
  FakeMediaPlayer(Log& l, std::string n) : log(l), name(std::move(n)) {}
  std::string fileName;
  bool isOpen = false, playing = false;
  std::set<std::string> failOpen;
  bool failPlay = false;
  DisplayRect own{0, 0, 320, 240};
  DisplayRect put;
  std::vector<std::string> opened;

  void setFileName(const std::string& p) override { fileName = p; }
  Status open() override {
    isOpen = false;
    log.push_back(name + ".open " + fileName);
    if (failOpen.count(fileName)) return makeError("MCI open failed");
    isOpen = true;
    opened.push_back(fileName);
    return {};
  }
  Status close() override {
    log.push_back(name + ".close");
    isOpen = playing = false;
    return {};
  }
  Status play() override {
    log.push_back(name + ".play");
    if (!isOpen || failPlay) return makeError("MCI play failed");
    playing = true;
    return {};
  }
  Status stop() override {
    log.push_back(name + ".stop");
    if (!isOpen) return makeError("not open");
    playing = false;
    return {};
  }
  DisplayRect displayRect() override { return isOpen ? own : DisplayRect{}; }
  void setDisplayRect(const DisplayRect& r) override { put = r; }
};

struct FakeWave : WaveSound {
  Log& log;
  explicit FakeWave(Log& l) : log(l) {}
  void playOnce(const std::string& p) override { log.push_back("wave.once " + p); }
  void playLooped(const std::string& p) override { log.push_back("wave.loop " + p); }
  void stop() override { log.push_back("wave.stop"); }
};

struct FakeCaption : CaptionControl {
  std::string font, text;
  int32_t size = 0;
  Color color = 0;
  int32_t left = -1, top = -1;
  bool visible = false;
  void setFontName(const std::string& n) override { font = n; }
  void setFontSize(int32_t p) override { size = p; }
  void setFontColor(Color c) override { color = c; }
  void setText(const std::string& t) override { text = t; }
  // A text control that sizes itself: 7 pixels a letter, two lines' worth high.
  int32_t width() override { return int32_t(text.size()) * 7; }
  int32_t height() override { return size * 2 + 1; }
  void setPosition(int32_t l, int32_t t) override { left = l, top = t; }
  void setVisible(bool v) override { visible = v; }
};

struct FakeCursor : CursorSource {
  Point at{500, 400};
  Point cursorPos() override { return at; }
};

struct FakePassword : PasswordCheck {
  Log& log;
  explicit FakePassword(Log& l) : log(l) {}
  bool allow = true;
  bool verifyPassword() override {
    log.push_back("password");
    return allow;
  }
};

struct FakeScheduler : Scheduler {
  Log& log;
  explicit FakeScheduler(Log& l) : log(l) {}
  bool started = false, stopped = false;
  int hints = 0;
  void start() override { started = true; }
  void stepDue() override { ++hints; }
  void stop() override {
    log.push_back("scheduler.stop");
    stopped = true;
  }
};

// Runs whatever the test queued as "messages", plus a hook that sees every
// dispatch (where a test makes the user press a key mid-step).
struct FakePump : MessagePump {
  std::deque<std::function<void()>> queue;
  std::function<void()> onDispatch;
  int dispatches = 0;
  void processMessages() override {
    ++dispatches;
    if (onDispatch) onDispatch();
    while (!queue.empty()) {
      auto f = std::move(queue.front());
      queue.pop_front();
      f();
    }
  }
};

struct FakeSlidePlayer : SlidePlayer {
  Log& log;
  fake::FakeClock& clock;
  FakeSlidePlayer(Log& l, fake::FakeClock& c) : log(l), clock(c) {}
  ShowSession* session = nullptr;
  std::set<std::string> badFiles;
  std::string picture;
  bool busy = false, stopping = false;
  uint8_t style = 0;
  Color color = 0;
  bool stretch = false, stretchFine = false;
  int framesRun = 0;
  std::vector<std::string> loaded;
  std::vector<uint8_t> styles;
  std::vector<uint32_t> completedAt;
  std::vector<uint32_t> startedAt;
  std::vector<std::string> prefetched;
  std::function<void(int frame)> onFrame;

  void clearPictures() override { picture.clear(); }
  void clearScreen() override {}
  void stopTransition() override {
    if (!busy) return;
    log.push_back("player.stop");
    stopping = true;
  }
  Status loadPicture(const std::string& p) override {
    log.push_back("player.load " + p);
    if (badFiles.count(p)) return makeError("bad picture");
    picture = p;
    loaded.push_back(p);
    return {};
  }
  Status startTransition() override {
    if (busy || picture.empty()) return {};
    log.push_back("player.start");
    styles.push_back(style);
    startedAt.push_back(clock.now);
    busy = true;
    stopping = false;
    for (int f = 1; f <= 10; ++f) {
      clock.advance(31);
      ++framesRun;
      if (onFrame) onFrame(f);
      session->TransitionPlayer1Progress();
      if (stopping) break;
    }
    bool normal = !stopping;
    busy = stopping = false;
    if (normal) {
      completedAt.push_back(clock.now);
      session->TransitionPlayer1Complete();
    }
    return {};
  }
  void setStyle(uint8_t s) override { style = s; }
  void setColor(Color c) override { color = c; }
  void setStretch(bool on) override { stretch = on; }
  void setStretchFine(bool on) override { stretchFine = on; }
  void prefetchPicture(const std::string& p, Color, bool, int) override { prefetched.push_back(p); }
};

// The collection: items held behind a pointer that release() frees, so a
// use after the close is a test failure (and a fault under ASan).
struct FakeCollection : ShowCollection {
  Log& log;
  explicit FakeCollection(Log& l) : log(l), held(std::make_unique<Held>()) {}
  struct Held {
    ShowHeader header;
    std::vector<ShowItem> items;
  };
  std::unique_ptr<Held> held;
  bool loadFailed = false;
  bool testRun = false;
  std::string mediaDir = "C:\\Saver\\Vorn\\";
  std::set<std::string> files;  // what exists on "disk"

  void requireHeld() {
    if (!held) {
      ADD_FAILURE() << "the collection was used after the close released it";
      throw std::runtime_error("released");
    }
  }
  bool initAll() override {
    log.push_back("initAll");
    return loadFailed;
  }
  const ShowHeader& header() override {
    requireHeld();
    return held->header;
  }
  bool getItem(int32_t index, ShowItem& out) override {
    requireHeld();
    if (index < 0 || index >= int32_t(held->items.size())) return false;
    out = held->items[size_t(index)];
    return true;
  }
  std::string locateMediaFile(const std::string& stored) override {
    return testRun ? stored : mediaDir + fileNamePart(stored);
  }
  std::string locateBckSound(const std::string& stored) override {
    return testRun ? stored : mediaDir + "BckSnd\\" + fileNamePart(stored);
  }
  bool fileExists(const std::string& p) override { return files.count(p) > 0; }
  void release() override {
    log.push_back("collection.release");
    held.reset();
  }
};

// The fakes around one session that every rig of the show shares: all but
// the slide player, Timer1 and the clock, which each rig picks for itself.
struct ShowFakes {
  Log log;
  LcgRandom random{7};
  FakeWindow window{log};
  FakeCaption caption;
  FakeMediaPlayer mediaPlayer1{log, "MediaPlayer1"};
  FakeMediaPlayer bckSndMIDI{log, "BckSndMIDI"};
  FakeMediaPlayer mediaPrev{log, "MediaPrev"};
  FakeWave wave{log};
  FakeCursor cursor;
  FakeCollection collection{log};
  FakePassword password{log};
  FakeScheduler scheduler{log};
  FakePump pump;
  ShowState state;

  // The parts with the fake collection, or with `source` in its place.
  ShowParts parts(IntervalTimer& timer1, SlidePlayer& player, Clock& clock, ShowCollection* source = nullptr) {
    return ShowParts{state, window, timer1, player, caption, mediaPlayer1, bckSndMIDI, mediaPrev, wave, cursor,
                     source ? *source : collection, password, scheduler, pump, clock, random};
  }

  ShowHeader& header() { return collection.held->header; }

  // Adds an item whose file exists in the media folder.
  ShowItem& addItem(const std::string& name, int32_t chgInt = 5) {
    ShowItem it;
    it.MediaPath = "D:\\Gen\\" + name;
    it.ChgInt = chgInt;
    it.EffectNum = 1;
    collection.held->items.push_back(it);
    collection.files.insert(collection.mediaDir + name);
    header().ItemCount = int32_t(collection.held->items.size());
    return collection.held->items.back();
  }
};

struct ShowRig : ShowFakes {
  fake::FakeClock clock;
  FakeTimer timer{log, clock};
  FakeSlidePlayer player{log, clock};
  ShowSession session{parts(timer, player, clock)};
  int stepsRun = 0;

  ShowRig() {
    window.session = &session;
    player.session = &session;
    clock.now = 1000;
  }

  // Adds one such item for each name, in order.
  void addItems(std::initializer_list<const char*> names, int32_t chgInt = 5) {
    for (const char* name : names) addItem(name, chgInt);
  }
  std::string mediaFile(const std::string& name) { return collection.mediaDir + name; }
  // Names the collection's background sound and puts it in BckSnd; gives
  // the path the show finds it at.
  std::string addBackgroundSound(const std::string& name) {
    header().AllBckSound = "D:\\Gen\\" + name;
    std::string at = collection.mediaDir + "BckSnd\\" + name;
    collection.files.insert(at);
    return at;
  }

  void start() {
    session.SS1BeforeMainSaverActive();
    session.FormShow();
  }

  // Plays the show for `ms` of fake time: Timer1 fires at its interval, the
  // scheduler hands over the step every 2 ms.
  void run(uint32_t ms) {
    uint32_t end = clock.now + ms;
    while (clock.now < end && !window.closed) {
      clock.advance(1);
      if (timer.on && timer.ms > 0 && clock.now - timer.startedAt >= timer.ms) {
        timer.startedAt = clock.now;
        session.Timer1Timer();
      }
      if (scheduler.started && !scheduler.stopped && clock.now % 2 == 0) {
        if (session.StepDue) ++stepsRun;
        session.ShowNextItem();
      }
    }
  }

  size_t countLog(const std::string& prefix) const {
    size_t n = 0;
    for (const auto& e : log) n += e.rfind(prefix, 0) == 0;
    return n;
  }
};

}  // namespace vorn::show::testing

#pragma once
// The main window's side of the full-screen show: activation, the exits on
// user input, the close, the timer and transition hooks, and the slide step
// ShowNextItem that the scheduler thread hands to the user-interface thread.
// Everything here runs on the user-interface thread.
#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "platform/message_pump.h"
#include "platform/random.h"
#include "show/show_ports.h"
#include "show/show_settings.h"

namespace vorn::show {

// Whether a show runs, whether it is only the preview, and where the mouse
// stood when the show began. One value for the whole program: only the
// session's handlers write it, the form and the configuration panel read it.
// It lives with the form, since the preview and the configuration box set it
// before any session exists.
struct ShowState {
  bool SaverActive = false;
  bool InPreview = false;
  Point StartCursorPos;
};

// Runs f and swallows what it throws: for the work whose failure may cost
// an item or a sound, never the show (each step of the close, the parts of
// the slide step outside its guarded block).
template <typename F>
void ignoringErrors(F&& f) {
  try {
    f();
  } catch (...) {
  }
}

// The form's components and services the show drives; all owned elsewhere
// and alive for as long as the session.
struct ShowParts {
  ShowState& state;
  ShowForm& window;
  IntervalTimer& timer1;
  SlidePlayer& transitionPlayer1;
  CaptionControl& picText;
  MediaPlayer& mediaPlayer1;  // movies, in MovieBox
  MediaPlayer& bckSndMIDI;    // background sound that is not WAV
  MediaPlayer& mediaPrev;     // item sounds that are not WAV
  WaveSound& waveSound;
  CursorSource& cursor;
  ShowCollection& collection;
  PasswordCheck& password;
  Scheduler& scheduler;
  MessagePump& pump;
  Clock& clock;
  LcgRandom& random;
};

class ShowSession {
 public:
  explicit ShowSession(const ShowParts& parts) : p_(parts) {}
  ShowSession(const ShowSession&) = delete;
  ShowSession& operator=(const ShowSession&) = delete;

  // The state's part of the handlers of the modes that run no show: the
  // preview's comes before its session is made, the configuration box has
  // none.
  static void ScreenSaver1BeforePreviewActive(ShowState& state) { state.InPreview = true; }
  static void SS1BeforeConfigBoxActive(ShowState& state) {
    state.SaverActive = false;
    state.InPreview = false;
  }

  // Handlers of the form and its components.
  void SS1BeforeMainSaverActive();
  void FormShow();
  void FormKeyDown();
  void FormMouseMove();
  void TransitionPlayer1Click();
  void FormCloseQuery(bool& canClose);
  void FormClose();
  void Timer1Timer();
  void TransitionPlayer1Complete();
  void TransitionPlayer1Progress();

  // The slide step and its helpers (the scheduler's routines).
  void ShowNextItem();
  void PlaceCaption();
  void PlayItemSound(const std::string& path, bool loop);

  const ShowState& state() const { return p_.state; }

  // Where the slide step stands.
  bool StepDue = false;
  int32_t CurrentIndex = 0;
  ShowItem CurrentItem;

  // True from the first step of the close on: nothing of the show may run,
  // and a step that finds it set after a dispatch returns at once.
  bool closing() const { return closing_; }

 private:
  // Lets the platform dispatch pending messages; false when a close ran
  // meanwhile (the caller must then return without touching anything).
  bool dispatch();
  void showCurrentItem();
  bool showPicture(const std::string& file);
  bool showMovie(const std::string& file);
  uint32_t nextInterval(const ShowHeader& h) const;
  void playBackgroundSound(const ShowHeader& h);
  void stopThenClose(MediaPlayer& player);
  void prefetchNextPicture();

  ShowParts p_;
  bool closing_ = false;
  bool schedulerStarted_ = false;
};

}  // namespace vorn::show

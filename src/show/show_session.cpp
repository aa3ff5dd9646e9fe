// Activation, the exits on user input, the close and the small hooks that
// tie Timer1 and the transition player to the slide step.
#include "show/show_session.h"

#include "collection/item_kind.h"

namespace vorn::show {

namespace {

// Half the side of the square around StartCursorPos in which the mouse may
// wander without ending the show (31 x 31 pixels).
constexpr int32_t kMouseSlack = 15;

}  // namespace

bool ShowSession::dispatch() {
  p_.pump.processMessages();
  return !closing_;
}

void ShowSession::SS1BeforeMainSaverActive() {
  p_.window.hideApplicationWindow();
  p_.state.SaverActive = true;
  p_.state.StartCursorPos = p_.cursor.cursorPos();
  p_.random.seed(p_.clock.tickCount());
  // A collection that cannot be used ends the program once the message loop
  // runs again; the rest of the activation still runs.
  if (p_.collection.initAll()) p_.window.requestTerminate();
  const ShowHeader& h = p_.collection.header();
  if (!h.DisableAllSounds) ignoringErrors([&] { playBackgroundSound(h); });
  p_.window.alignShowControlsToClient();
  CurrentIndex = 0;
  StepDue = true;
  p_.state.InPreview = false;
  p_.scheduler.stepDue();
}

void ShowSession::playBackgroundSound(const ShowHeader& h) {
  // An empty name would locate the folder itself: no file, no sound.
  if (fileNamePart(h.AllBckSound).empty()) return;
  std::string path = p_.collection.locateBckSound(h.AllBckSound);
  if (!p_.collection.fileExists(path)) return;
  if (isWaveSound(path)) {
    p_.waveSound.playLooped(path);
    return;
  }
  // Plays once; not restarted at its end. Errors leave the show silent.
  p_.bckSndMIDI.setFileName(path);
  if (p_.bckSndMIDI.open()) (void)p_.bckSndMIDI.play();
}

void ShowSession::FormShow() {
  if (p_.state.InPreview || schedulerStarted_ || closing_) return;
  schedulerStarted_ = true;
  p_.scheduler.start();
}

void ShowSession::FormKeyDown() {
  if (closing_ || !p_.state.SaverActive) return;
  p_.window.close();
}

void ShowSession::FormMouseMove() {
  if (closing_ || !p_.state.SaverActive || p_.collection.header().NoMouseMoveExit) return;
  Point at = p_.cursor.cursorPos();
  // The square is fixed at activation: slow drifts add up and end the show.
  const Point start = p_.state.StartCursorPos;
  int64_t dx = int64_t(at.x) - start.x, dy = int64_t(at.y) - start.y;
  if (dx >= -kMouseSlack && dx <= kMouseSlack && dy >= -kMouseSlack && dy <= kMouseSlack) return;
  p_.transitionPlayer1.stopTransition();
  p_.window.close();
}

void ShowSession::TransitionPlayer1Click() {
  if (closing_ || !p_.state.SaverActive || p_.collection.header().NoMouseMoveExit) return;
  p_.window.close();
}

void ShowSession::FormCloseQuery(bool& canClose) {
  canClose = p_.password.verifyPassword();
}

void ShowSession::stopThenClose(MediaPlayer& player) {
  // Nothing open makes the stop fail; the close is then skipped.
  if (player.stop()) (void)player.close();
}

void ShowSession::FormClose() {
  if (closing_) return;
  // Set first: a step that this close interrupts (it runs inside one of the
  // step's dispatches) sees it when the dispatch returns and ends there.
  closing_ = true;
  if (!p_.state.InPreview) ignoringErrors([&] { PlayItemSound("", false); });
  ignoringErrors([&] { p_.timer1.setEnabled(false); });
  ignoringErrors([&] { p_.transitionPlayer1.stopTransition(); });
  ignoringErrors([&] { p_.pump.processMessages(); });
  ignoringErrors([&] { stopThenClose(p_.mediaPrev); });
  ignoringErrors([&] { stopThenClose(p_.mediaPlayer1); });
  if (schedulerStarted_) ignoringErrors([&] { p_.scheduler.stop(); });
  if (!p_.state.InPreview) ignoringErrors([&] { p_.collection.release(); });
}

void ShowSession::Timer1Timer() {
  if (closing_) return;
  StepDue = true;
  p_.scheduler.stepDue();
}

void ShowSession::TransitionPlayer1Complete() {
  // The item's interval counts from the end of its transition.
  if (closing_) return;
  p_.timer1.setEnabled(true);
}

void ShowSession::TransitionPlayer1Progress() { p_.pump.processMessages(); }

void ShowSession::PlayItemSound(const std::string& path, bool loop) {
  if (path.empty()) {
    if (p_.mediaPrev.stop()) (void)p_.mediaPrev.close();
    p_.waveSound.stop();
    return;
  }
  if (p_.collection.header().DisableAllSounds) return;
  if (isWaveSound(path)) {
    if (loop)
      p_.waveSound.playLooped(path);
    else
      p_.waveSound.playOnce(path);
    return;
  }
  // Sounds through the media player are never looped.
  p_.mediaPrev.setFileName(path);
  if (p_.mediaPrev.open()) (void)p_.mediaPrev.play();
}

}  // namespace vorn::show

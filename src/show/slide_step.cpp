// The slide step ShowNextItem and the caption placement. The step runs on
// the user-interface thread, handed over by the scheduler thread; it
// dispatches messages at fixed points, so the close can run in the middle of
// it: after every dispatch it checks for that and then leaves everything
// (the collection, CurrentItem, the timer) alone.
#include <algorithm>
#include <limits>

#include "collection/item_kind.h"
#include "show/show_session.h"

namespace vorn::show {

namespace {

// A stored name without a file-name part locates the folder itself, which is
// no file to play or show.
bool namesFile(const std::string& stored) { return !fileNamePart(stored).empty(); }

int32_t clampToInt32(int64_t v) {
  return int32_t(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                     std::numeric_limits<int32_t>::max()));
}

// Seconds to Timer1's milliseconds. A value that is not positive starts no
// timer (Interval 0), like a stored 0: the item stays until the user ends it.
uint32_t secondsToInterval(int64_t seconds) {
  if (seconds <= 0) return 0;
  return uint32_t(std::min<int64_t>(seconds * 1000, std::numeric_limits<uint32_t>::max()));
}

}  // namespace

void ShowSession::ShowNextItem() {
  if (closing_ || !StepDue) return;
  // A failure here (nothing open yet, no memory) must not end the step
  // before StepDue is cleared and the index moves on.
  ignoringErrors([&] { (void)p_.mediaPlayer1.stop(); });
  ignoringErrors([&] {
    p_.transitionPlayer1.clearPictures();
    p_.transitionPlayer1.clearScreen();
  });
  // Lets the control repaint in its plain colour, so every transition
  // starts from the background, never from the previous picture.
  if (!dispatch()) return;
  p_.timer1.setEnabled(false);
  StepDue = false;

  try {
    showCurrentItem();
  } catch (...) {
    // Media errors are swallowed; the show goes on with the next item.
  }
  if (closing_) return;

  int64_t last = int64_t(p_.collection.header().ItemCount) - 1;
  CurrentIndex = CurrentIndex + 1 > last ? 0 : CurrentIndex + 1;
  // For a picture whose transition ended normally the timer already runs;
  // for a movie, a missing file or an error the interval starts here.
  p_.timer1.setEnabled(true);
  // Only a hint: without it the next step loads its picture itself.
  ignoringErrors([&] { prefetchNextPicture(); });
}

// Everything from stopping the last transition to starting the next is one
// guarded block. Any failure ends it at once, without a message; so does a
// close that ran in one of its dispatches.
void ShowSession::showCurrentItem() {
  p_.transitionPlayer1.stopTransition();
  p_.picText.setVisible(false);
  if (!dispatch()) return;

  const ShowHeader& h = p_.collection.header();
  p_.collection.getItem(CurrentIndex, CurrentItem);
  const ShowItem& item = CurrentItem;

  if (!h.DisableAllSounds) {
    PlayItemSound("", false);
    // The check file is looked for in the media folder (not BckSnd): an
    // item sound plays only when no such file lies there.
    std::string sound = p_.collection.locateMediaFile(item.SoundPath);
    std::string check = p_.collection.locateMediaFile(h.AllBckSound);
    bool checkExists = namesFile(h.AllBckSound) && p_.collection.fileExists(check);
    if (namesFile(item.SoundPath) && p_.collection.fileExists(sound) && !checkExists)
      PlayItemSound(sound, item.SoundLoop);
  }

  const SlideOptions options = slideOptionsOf(h, item);
  const int style = options.fixedStyle();
  // Random styles are 1..121: never 0 (no effect) nor the last ones.
  p_.transitionPlayer1.setStyle(style < 0 ? uint8_t(1 + p_.random.next(121)) : uint8_t(style));

  p_.transitionPlayer1.setColor(options.BckColor);
  p_.window.setColor(options.BckColor);
  p_.window.setMovieBoxColor(options.BckColor);  // common: through its parent colour

  p_.transitionPlayer1.setStretch(options.stretch());
  p_.transitionPlayer1.setStretchFine(options.stretch());

  p_.timer1.setInterval(nextInterval(h));

  if (!namesFile(item.MediaPath)) return;
  std::string file = p_.collection.locateMediaFile(item.MediaPath);
  if (!p_.collection.fileExists(file)) return;  // nothing new for this item
  if (isMovie(item.MediaPath))
    showMovie(file);
  else
    showPicture(file);
}

uint32_t ShowSession::nextInterval(const ShowHeader& h) const {
  if (!h.UseCommonOptions) return secondsToInterval(CurrentItem.ChgInt);
  if (h.ChgIntMode == 0) return secondsToInterval(h.ChgInt);
  // Whole seconds from ChgIntMin up to ChgIntMax - 1; equal bounds (or a
  // maximum below the minimum) give ChgIntMin.
  int32_t span = clampToInt32(int64_t(h.ChgIntMax) - h.ChgIntMin);
  return secondsToInterval(int64_t(h.ChgIntMin) + p_.random.next(span));
}

bool ShowSession::showPicture(const std::string& file) {
  p_.window.setPlayerVisible(true);
  p_.window.setMovieBoxVisible(false);
  if (!dispatch()) return false;
  if (!p_.transitionPlayer1.loadPicture(file)) return false;
  PlaceCaption();
  if (closing_) return false;
  // The whole transition runs inside this call; its normal end turns
  // Timer1 on (TransitionPlayer1Complete).
  Status started = p_.transitionPlayer1.startTransition();
  return started.ok() && !closing_;
}

bool ShowSession::showMovie(const std::string& file) {
  p_.window.setPlayerVisible(false);
  p_.window.setMovieBoxVisible(false);
  if (!dispatch()) return false;
  p_.mediaPlayer1.setFileName(file);
  if (!p_.mediaPlayer1.open()) return false;
  PlaceCaption();
  if (closing_) return false;
  int32_t W = p_.window.movieBoxWidth(), H = p_.window.movieBoxHeight();
  DisplayRect r;
  // Movies keep their item's own placement, also under common options.
  if (CurrentItem.ShowMode != 0) {
    r = {1, 1, W - 1, H - 1};  // fills the box, one pixel in from its corner
  } else {
    // Right after the open the player reports the movie's own size.
    DisplayRect own = p_.mediaPlayer1.displayRect();
    r = {W / 2 - own.width / 2, H / 2 - own.height / 2, own.width, own.height};
  }
  p_.mediaPlayer1.setDisplayRect(r);
  p_.window.setMovieBoxVisible(true);
  // Returns at once; the next step stops the movie wherever it is.
  return p_.mediaPlayer1.play().ok();
}

void ShowSession::PlaceCaption() {
  const ShowItem& item = CurrentItem;
  if (item.PicText.empty()) {
    p_.picText.setVisible(false);
  } else {
    p_.picText.setFontName(item.PicTextFont);
    p_.picText.setFontSize(item.PicTextSize);
    p_.picText.setFontColor(item.PicTextColor);
    p_.picText.setText(item.PicText);
    int32_t FW = p_.window.width(), FH = p_.window.height();
    int32_t TW = p_.picText.width(), TH = p_.picText.height();
    int32_t centreX = FW / 2 - TW / 2, middleY = FH / 2 - TH / 2;
    int32_t left = centreX, top = FH - TH - 10;  // bottom, also for unknown values
    switch (item.PicTextPos) {
      case 0: top = middleY; break;
      case 1: top = 10; break;
      case 2: left = FW - TW - 10; top = middleY; break;
      case 4: left = 10; top = middleY; break;
      default: break;
    }
    p_.picText.setPosition(left, top);
    p_.picText.setVisible(true);
  }
  p_.pump.processMessages();
}

void ShowSession::prefetchNextPicture() {
  // Decoding the next picture while this one stands makes the next step
  // start at once; the step itself still loads when the hint came to nothing.
  ShowItem next;
  if (!p_.collection.getItem(CurrentIndex, next)) return;
  if (!namesFile(next.MediaPath) || isMovie(next.MediaPath)) return;
  std::string file = p_.collection.locateMediaFile(next.MediaPath);
  if (!p_.collection.fileExists(file)) return;
  const SlideOptions options = slideOptionsOf(p_.collection.header(), next);
  p_.transitionPlayer1.prefetchPicture(file, options.BckColor, options.stretch(), options.fixedStyle());
}

}  // namespace vorn::show

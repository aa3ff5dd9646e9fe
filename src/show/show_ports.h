#pragma once
// What the show needs from the window, the players and the collection, as
// small interfaces. The Windows side implements them over the real form, MCI
// and PlaySound; the tests over fakes that run hours of show in seconds.
// Every text is Windows-1250 bytes; every colour 0x00BBGGRR.
#include <cstdint>
#include <string>

#include "platform/result.h"
#include "raster/bitmap24.h"
#include "raster/rect.h"
#include "show/show_settings.h"

namespace vorn::show {

// The show window (the main form) and the panels it holds.
class ShowForm {
 public:
  virtual ~ShowForm() = default;
  // The application's own hidden top-level window: hide it and make it a
  // topmost tool window (extended style exactly 0x88), so no task-bar button.
  virtual void hideApplicationWindow() = 0;
  virtual void setColor(Color c) = 0;
  // Outer size of the form, used to place the caption.
  virtual int32_t width() = 0;
  virtual int32_t height() = 0;
  // Movie box and transition player fill the client area from now on.
  virtual void alignShowControlsToClient() = 0;
  virtual void setPlayerVisible(bool visible) = 0;
  virtual void setMovieBoxVisible(bool visible) = 0;
  virtual void setMovieBoxColor(Color c) = 0;
  virtual int32_t movieBoxWidth() = 0;
  virtual int32_t movieBoxHeight() = 0;
  // The form's Close: runs the close query and, when it agrees, the close.
  virtual void close() = 0;
  // The application ends when control is back in the message loop.
  virtual void requestTerminate() = 0;
};

// Timer1: fires its OnTimer every Interval ms while Enabled. Turning on a
// running timer does not restart its interval; Interval 0 never fires.
class IntervalTimer {
 public:
  virtual ~IntervalTimer() = default;
  virtual void setEnabled(bool on) = 0;
  virtual bool enabled() const = 0;
  virtual void setInterval(uint32_t ms) = 0;
  virtual uint32_t interval() const = 0;
};

// Display rectangle of a movie: left, top, width, height in the display window.
struct DisplayRect {
  int32_t left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const DisplayRect&, const DisplayRect&) = default;
};

// One media player over MCI. Open, play, stop and close fail with an error
// as the device does; get and set of the display rectangle do nothing unless
// a device with video is open.
class MediaPlayer {
 public:
  virtual ~MediaPlayer() = default;
  virtual void setFileName(const std::string& path) = 0;
  virtual Status open() = 0;   // closes a device still open first
  virtual Status close() = 0;  // nothing open: nothing to do, no error
  virtual Status play() = 0;   // returns at once; plays once to the end
  virtual Status stop() = 0;   // error when nothing is open
  virtual DisplayRect displayRect() = 0;
  virtual void setDisplayRect(const DisplayRect& r) = 0;
};

// The process-wide wave sound (one at a time; a new one ends the old).
class WaveSound {
 public:
  virtual ~WaveSound() = default;
  virtual void playOnce(const std::string& path) = 0;
  virtual void playLooped(const std::string& path) = 0;
  virtual void stop() = 0;
};

// PicTEXT: a static text that sizes itself to its text.
class CaptionControl {
 public:
  virtual ~CaptionControl() = default;
  virtual void setFontName(const std::string& name) = 0;
  virtual void setFontSize(int32_t points) = 0;
  virtual void setFontColor(Color c) = 0;
  virtual void setText(const std::string& text) = 0;
  virtual int32_t width() = 0;  // after setText
  virtual int32_t height() = 0;
  virtual void setPosition(int32_t left, int32_t top) = 0;
  virtual void setVisible(bool visible) = 0;
};

class CursorSource {
 public:
  virtual ~CursorSource() = default;
  virtual Point cursorPos() = 0;  // screen pixels
};

// TransitionPlayer1 as the step drives it.
class SlidePlayer {
 public:
  virtual ~SlidePlayer() = default;
  virtual void clearPictures() = 0;  // BgPicture and Picture emptied
  virtual void clearScreen() = 0;
  virtual void stopTransition() = 0;
  virtual Status loadPicture(const std::string& path) = 0;  // into Picture
  // Runs the whole transition inside the call, dispatching messages between
  // frames (OnProgress) and raising OnComplete at a normal end.
  virtual Status startTransition() = 0;
  virtual void setStyle(uint8_t style) = 0;
  virtual void setColor(Color c) = 0;
  virtual void setStretch(bool on) = 0;
  virtual void setStretchFine(bool on) = 0;
  // The picture the next step will most likely load, and the colour,
  // stretch and style it will most likely be shown with; a player may decode and place
  // it ahead so that step starts at once. A hint only: loadPicture and
  // startTransition decide.
  // `style` is the player style the step will set, -1 when drawn at random.
  virtual void prefetchPicture(const std::string& path, Color color, bool stretch, int style) {}
};

// The collection as the show sees it (INITAll, the held items, the location
// rules and the release at the close).
class ShowCollection {
 public:
  virtual ~ShowCollection() = default;
  // Runs INITAll; returns LoadFailed.
  virtual bool initAll() = 0;
  virtual const ShowHeader& header() = 0;
  // Copies item `index` into `out`; an index outside the items held leaves
  // `out` as it was and returns false.
  virtual bool getItem(int32_t index, ShowItem& out) = 0;
  virtual std::string locateMediaFile(const std::string& storedPath) = 0;
  virtual std::string locateBckSound(const std::string& storedPath) = 0;
  virtual bool fileExists(const std::string& path) = 0;
  // Releases CurrentItem and the file manager.
  virtual void release() = 0;
};

// The screen-saver password check of the host.
class PasswordCheck {
 public:
  virtual ~PasswordCheck() = default;
  virtual bool verifyPassword() = 0;
};

// The scheduler thread MoveTimer as the session starts and stops it.
class Scheduler {
 public:
  virtual ~Scheduler() = default;
  virtual void start() = 0;
  // StepDue was set: a thread that waits instead of polling wakes now.
  virtual void stepDue() = 0;
  // No step runs after this returns.
  virtual void stop() = 0;
};

}  // namespace vorn::show

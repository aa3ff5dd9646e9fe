#pragma once
// The picture-show control: shows one picture and animates the change to the
// next one through one of 128 transition styles. It has no window of its
// own; it composes every paint off-screen (PaintBuffer) and a PlayerHost
// shows that on the parent window. Clock, message pump, random source,
// worker threads and host are injected, so a whole transition runs in a test
// with fakes and no window.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "codecs/picture.h"
#include "platform/clock.h"
#include "platform/message_pump.h"
#include "platform/random.h"
#include "platform/result.h"
#include "raster/bitmap24.h"
#include "raster/rect.h"
#include "transition/player_host.h"
#include "transition/prepared_start.h"
#include "transition/worker_thread.h"

namespace vorn {

class Canvas;
class TAnimateThread;
class TCustomTransitionPlayer;

enum class TBackgroundMode { bmNone, bmTiled, bmStretched, bmCentered };
// Only the two alignments the program uses: none (AdjustSize applies) and
// filling the parent's client area.
enum class TAlign { alNone, alClient };
using TShowStyle = uint8_t;  // 0..127

// The platform's window colour, the default Color of a new control.
constexpr Color kWindowColor = rgb(255, 255, 255);

using TNotifyEvent = std::function<void(TCustomTransitionPlayer& Sender)>;
enum class TMouseButton { mbLeft, mbRight, mbMiddle };
// Keys and buttons held during a mouse event, as bits.
using TShiftState = uint8_t;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64;
// X and Y in the control's client coordinates.
using TMouseEvent = std::function<void(TCustomTransitionPlayer& Sender, TMouseButton Button, TShiftState Shift,
                                       int32_t X, int32_t Y)>;
// Picture is NewImage, Screen is ScreenBitmap.
using TCustomDrawEvent =
    std::function<void(TCustomTransitionPlayer& Sender, const Bitmap24& Picture, Bitmap24& Screen)>;

// Everything the player talks to outside itself.
struct PlayerServices {
  PlayerHost& host;
  Clock& clock;
  MessagePump& pump;
  Random& random;
  WorkerThreads& threads;
};

class TCustomTransitionPlayer {
 public:
  explicit TCustomTransitionPlayer(const PlayerServices& services);
  virtual ~TCustomTransitionPlayer();
  TCustomTransitionPlayer(const TCustomTransitionPlayer&) = delete;
  TCustomTransitionPlayer& operator=(const TCustomTransitionPlayer&) = delete;

  // --- properties -------------------------------------------------------
  TPicture& Picture() { return Picture_; }
  TPicture& BgPicture() { return BgPicture_; }
  // An empty value clears the held graphic; otherwise the picture is copied.
  void SetPicture(const TPicture& value);
  void SetBgPicture(const TPicture& value);

  TBackgroundMode BgMode() const { return BgMode_; }
  void SetBgMode(TBackgroundMode value);
  bool AutoSize() const { return AutoSize_; }
  void SetAutoSize(bool value);
  bool Center() const { return Center_; }
  void SetCenter(bool value);
  bool Stretch() const { return Stretch_; }
  void SetStretch(bool value);
  bool StretchFine() const { return StretchFine_; }
  void SetStretchFine(bool value);
  bool Threaded() const { return Threaded_; }
  void SetThreaded(bool value) { Threaded_ = value; }
  TThreadPriority ThreadPriority() const { return ThreadPriority_; }
  void SetThreadPriority(TThreadPriority value) { ThreadPriority_ = value; }
  bool Manual() const { return Manual_; }
  // Clearing Manual while Busy plays on from Progress; an error there ends
  // the run (Busy cleared, no OnComplete) and passes on to the caller.
  void SetManual(bool value);
  bool Reverse() const { return Reverse_; }
  void SetReverse(bool value) { Reverse_ = value; }
  TShowStyle Style() const { return Style_; }
  // Style numbers live in one byte of 0..127; larger values keep the low
  // seven bits rather than reach past the style table.
  void SetStyle(int value) { Style_ = TShowStyle(value & 127); }
  uint16_t Step() const { return Step_; }
  void SetStep(int value);  // 0 is stored as 1, values above 100 as 100
  uint16_t Delay() const { return Delay_; }
  void SetDelay(uint16_t value) { Delay_ = value; }
  vorn::Color Color() const { return Color_; }
  void SetColor(vorn::Color value);
  TAlign Align() const { return Align_; }
  void SetAlign(TAlign value) { Align_ = value; }
  bool Visible() const { return Visible_; }
  void SetVisible(bool value);

  // --- state ------------------------------------------------------------
  uint8_t Progress() const { return Progress_; }
  void SetProgress(int value);
  bool Busy() const { return Busy_; }
  const Bitmap24& ScreenBitmap() const { return ScreenBitmap_; }
  // Writable: what the player knew the screen to hold is forgotten.
  Bitmap24& ScreenBitmap() {
    screenHolds_ = ScreenHolds::Unknown;
    return ScreenBitmap_;
  }
  const Bitmap24& PaintBuffer() const { return PaintBuffer_; }
  Rect PicRect() const { return PicRect_; }
  bool Painting() const { return Painting_; }
  // Where ScreenBitmap is shown in the control (client coordinates).
  Rect DisplayRect() const;
  int32_t ClientWidth() const { return s_.host.clientWidth(); }
  int32_t ClientHeight() const { return s_.host.clientHeight(); }

  // --- operations -------------------------------------------------------
  // Ignored while Busy or without a picture. Unthreaded, the whole run takes
  // place inside this call (messages are dispatched meanwhile).
  Status StartTransition();
  void StopTransition();
  // With `released`, the cleared screen's memory is handed there instead of
  // freed, for the caller to free where it costs nothing.
  void ClearScreen(Bitmap24* released = nullptr);
  // Composes the frame of the current Progress into ScreenBitmap. A step of
  // SetProgress; public for the frame tool and the benchmark.
  void RenderFrame();
  // A start made ahead for the current picture (prepared_start.h). The next
  // StartTransition takes its images when they are exactly what it would
  // make itself, and drops it otherwise.
  void SetPreparedStart(std::unique_ptr<PreparedStart> ahead) { ahead_ = std::move(ahead); }
  // Whether the last start took the images made ahead.
  bool LastStartWasPrepared() const { return lastStartPrepared_; }

  // --- notifications from the host --------------------------------------
  // A paint request for the given client area (all of it by default):
  // composes PaintBuffer there; false when the request was dropped (nested,
  // or not on the main thread). The host then copies PaintBuffer out.
  bool Paint();
  bool Paint(const Rect& area);
  // The control's size changed.
  void Resized();
  void MouseEntered();
  void MouseLeft();

  // --- events -----------------------------------------------------------
  TNotifyEvent OnChange;
  TNotifyEvent OnProgress;
  TNotifyEvent OnComplete;
  TCustomDrawEvent OnBeforeNewFrame;
  TCustomDrawEvent OnAfterNewFrame;
  TCustomDrawEvent OnCustomDraw;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  std::function<void(TCustomTransitionPlayer& Sender, int32_t x, int32_t y)> OnMouseMove;

 protected:
  void PrepareTransition();
  void Animate();
  void AnimationStep();
  void AnimationFinished();
  void UpdatePicRect();
  void AdjustSize();
  void InvalidatePicRect(const Rect& r);
  void Invalidate();
  void PictureChanged();
  void BgPictureChanged();

 private:
  friend class TAnimateThread;
  int nextProgress() const;
  bool runEnded() const;
  void composePaint(const Rect& area);
  void releaseImages();
  void reapThreads();
  void threadEnded(TAnimateThread* t);
  void threadFailed(TAnimateThread* t);
  // Frees the images and clears Busy without OnComplete.
  void endFailedRun();
  bool takePreparedStart();
  // How the player places its picture now.
  Placement placement() const;

  PlayerServices s_;
  TPicture Picture_;
  TPicture BgPicture_;
  TBackgroundMode BgMode_ = TBackgroundMode::bmTiled;
  bool AutoSize_ = true;
  bool Center_ = false;
  bool Stretch_ = false;
  bool StretchFine_ = false;
  bool Threaded_ = true;
  TThreadPriority ThreadPriority_ = TThreadPriority::tpNormal;
  TShowStyle Style_ = 51;
  uint16_t Step_ = 4;
  vorn::Color Color_;
  TAlign Align_ = TAlign::alNone;
  bool Visible_ = true;

  // Read by the worker thread as well, hence atomic (the worker only reads).
  std::atomic<uint8_t> Progress_{0};
  std::atomic<bool> Busy_{false};
  std::atomic<bool> Manual_{false};
  std::atomic<bool> Reverse_{false};
  std::atomic<bool> Stopping_{false};
  std::atomic<uint16_t> Delay_{40};

  Bitmap24 ScreenBitmap_;
  // Kept for the player's life so that a frame allocates nothing; it draws
  // on ScreenBitmap_ whatever size that has.
  std::unique_ptr<Canvas> screenCanvas_;
  Rect PicRect_;
  std::unique_ptr<TAnimateThread> thread_;
  std::vector<std::unique_ptr<TAnimateThread>> endedThreads_;  // joined later
  bool Painting_ = false;
  Bitmap24 PaintBuffer_;
  std::unique_ptr<Bitmap24> OldImage_;
  std::unique_ptr<Bitmap24> NewImage_;
  bool destroying_ = false;
  int workerCallDepth_ = 0;  // inside a synchronous step of the worker
  bool rendering_ = false;   // inside RenderFrame: images are released after it
  std::vector<std::unique_ptr<Bitmap24>> retiredImages_;
  std::unique_ptr<PreparedStart> ahead_;
  bool lastStartPrepared_ = false;
  // What ScreenBitmap is known to hold since the last frame or start: the
  // old or the new image of a start made ahead. A frame need not draw what
  // is there already, and a paint copies the control's look made ahead.
  enum class ScreenHolds : uint8_t { Unknown, OldImage, NewImage };
  ScreenHolds screenHolds_ = ScreenHolds::Unknown;
  struct ShownAhead {
    Bitmap24 oldShown, newShown;
    vorn::Color color = 0;
    bool stretch = false;
    Rect picRect, displayRect;
  };
  std::unique_ptr<ShownAhead> shown_;
  bool paintFromShownAhead(const Rect& area, bool background);
  // Cleared by the destructor: a loop that dispatched messages checks it
  // before it touches the player again.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// Publishes the properties; the program's control.
class TTransitionPlayer : public TCustomTransitionPlayer {
 public:
  using TCustomTransitionPlayer::TCustomTransitionPlayer;
};

}  // namespace vorn

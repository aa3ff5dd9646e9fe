#include "transition/transition_player.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <stdexcept>

#include "raster/canvas.h"
#include "raster/region.h"
#include "transition/animate_thread.h"
#include "transition/frame_context.h"
#include "transition/style_catalogue.h"
#include "transition/placement.h"

namespace vorn {

namespace {

// Clears a flag when the scope ends, also when an error passes.
struct FlagGuard {
  explicit FlagGuard(bool& f) : flag(f) { flag = true; }
  ~FlagGuard() { flag = false; }
  bool& flag;
};

}  // namespace

TCustomTransitionPlayer::TCustomTransitionPlayer(const PlayerServices& services)
    : s_(services), Color_(kWindowColor), screenCanvas_(std::make_unique<Canvas>(ScreenBitmap_)) {
  Picture_.OnChange = [this] { PictureChanged(); };
  BgPicture_.OnChange = [this] { BgPictureChanged(); };
}

TCustomTransitionPlayer::~TCustomTransitionPlayer() {
  destroying_ = true;
  *alive_ = false;
  std::vector<std::unique_ptr<TAnimateThread>> threads = std::move(endedThreads_);
  if (thread_) threads.push_back(std::move(thread_));
  for (const std::unique_ptr<TAnimateThread>& t : threads) t->Terminate();
  for (const std::unique_ptr<TAnimateThread>& t : threads) {
    // A worker whose step we are inside of waits for us: waiting for it
    // would wait for ourselves.
    if (t->InStep())
      t->Abandon();
    else if (!t->Finished())
      t->WaitFor();  // serves its last calls and its end notification
  }
  threads.clear();
  Picture_.OnChange = nullptr;
  BgPicture_.OnChange = nullptr;
}

// --- property setters ---------------------------------------------------

void TCustomTransitionPlayer::SetPicture(const TPicture& value) {
  if (!value.hasGraphic())
    Picture_.clear();
  else
    Picture_.assign(value);
}

void TCustomTransitionPlayer::SetBgPicture(const TPicture& value) {
  if (!value.hasGraphic())
    BgPicture_.clear();
  else
    BgPicture_.assign(value);
}

void TCustomTransitionPlayer::SetBgMode(TBackgroundMode value) {
  if (value == BgMode_) return;
  BgMode_ = value;
  if (BgPicture_.hasGraphic() && !Painting_) Invalidate();
}

void TCustomTransitionPlayer::SetAutoSize(bool value) {
  if (value == AutoSize_) return;
  AutoSize_ = value;
  if (value) AdjustSize();
}

void TCustomTransitionPlayer::SetCenter(bool value) {
  if (value == Center_) return;
  Center_ = value;
  if (Picture_.hasGraphic()) {
    UpdatePicRect();
    if (!ScreenBitmap_.empty() && !Painting_) Invalidate();
  }
}

void TCustomTransitionPlayer::SetStretch(bool value) {
  if (value == Stretch_) return;
  Stretch_ = value;
  if (!ScreenBitmap_.empty() && !Painting_) Invalidate();
}

void TCustomTransitionPlayer::SetStretchFine(bool value) {
  if (value == StretchFine_) return;
  StretchFine_ = value;
  if (!ScreenBitmap_.empty() && !Painting_) Invalidate();
}

void TCustomTransitionPlayer::SetStep(int value) {
  Step_ = uint16_t(std::clamp(value, 1, 100));
}

void TCustomTransitionPlayer::SetManual(bool value) {
  if (value == Manual_) return;
  Manual_ = value;
  if (!Busy_) {
    Progress_ = Reverse_ ? 100 : 0;  // no frame: nothing is playing
  } else if (!value) {
    const std::shared_ptr<bool> alive = alive_;
    try {
      Animate();
    } catch (...) {
      if (*alive) endFailedRun();
      throw;
    }
  }
}

void TCustomTransitionPlayer::SetColor(vorn::Color value) {
  if (value == Color_) return;
  Color_ = value;
  if (!Painting_) Invalidate();
}

void TCustomTransitionPlayer::SetVisible(bool value) {
  if (value == Visible_) return;
  Visible_ = value;
  Invalidate();
}

// --- notifications ------------------------------------------------------

void TCustomTransitionPlayer::PictureChanged() {
  if (destroying_) return;
  if (Picture_.hasGraphic() && AutoSize_) AdjustSize();
  if (OnChange) OnChange(*this);
}

void TCustomTransitionPlayer::BgPictureChanged() {
  if (BgMode_ != TBackgroundMode::bmNone && !Painting_) Invalidate();
}

void TCustomTransitionPlayer::AdjustSize() {
  if (Picture_.hasGraphic() && Align_ == TAlign::alNone)
    s_.host.setClientSize(Picture_.width(), Picture_.height());
}

void TCustomTransitionPlayer::Resized() {
  if (!Picture_.hasGraphic()) return;
  UpdatePicRect();
  if (!ScreenBitmap_.empty() && !Painting_) Invalidate();
}

void TCustomTransitionPlayer::MouseEntered() {
  if (OnMouseEnter) OnMouseEnter(*this);
}

void TCustomTransitionPlayer::MouseLeft() {
  if (OnMouseLeave) OnMouseLeave(*this);
}

// --- placement ----------------------------------------------------------

Placement TCustomTransitionPlayer::placement() const {
  return Placement{s_.host.clientWidth(), s_.host.clientHeight(), Center_, Stretch_, StretchFine_};
}

void TCustomTransitionPlayer::UpdatePicRect() {
  if (ScreenBitmap_.empty()) return;
  PicRect_ = picRectIn(ScreenBitmap_.width(), ScreenBitmap_.height(), placement());
}

Rect TCustomTransitionPlayer::DisplayRect() const { return displayRectIn(PicRect_, placement()); }

void TCustomTransitionPlayer::InvalidatePicRect(const Rect& r) {
  if (PicRect_.empty()) return;
  Rect q;
  if (Stretch_) {
    q = mapToDisplay(r, DisplayRect(), PicRect_);
  } else {
    q = Center_ ? offsetRect(r, PicRect_.left, PicRect_.top) : r;
    q = intersect(q, PicRect_);
  }
  if (!destroying_ && !q.empty()) s_.host.invalidate(q);
}

void TCustomTransitionPlayer::Invalidate() {
  if (destroying_) return;
  s_.host.invalidate(Rect{0, 0, s_.host.clientWidth(), s_.host.clientHeight()});
}

// --- paint --------------------------------------------------------------

bool TCustomTransitionPlayer::Paint() {
  return Paint(Rect{0, 0, s_.host.clientWidth(), s_.host.clientHeight()});
}

bool TCustomTransitionPlayer::Paint(const Rect& area) {
  if (Painting_ || !s_.host.isMainThread()) return false;
  FlagGuard painting(Painting_);
  composePaint(area);
  return true;
}

namespace {

// Draws the graphic at its own size over the rectangle, row by row and
// column by column; the last row and column may reach past it.
void TileGraphic(Bitmap24& surface, const Rect& r, TGraphic* graphic) {
  if (!graphic || graphic->empty()) return;
  const int32_t gw = graphic->width(), gh = graphic->height();
  const int32_t rows = r.height() / gh, columns = r.width() / gw;
  for (int32_t i = 0; i <= rows; ++i)
    for (int32_t j = 0; j <= columns; ++j) {
      const int32_t x = r.left + gw * j, y = r.top + gh * i;
      graphic->draw(surface, Rect{x, y, x + gw, y + gh});
    }
}

}  // namespace

void TCustomTransitionPlayer::composePaint(const Rect& requested) {
  const int32_t cw = std::max(0, s_.host.clientWidth()), ch = std::max(0, s_.host.clientHeight());
  const Rect client{0, 0, cw, ch};
  Rect area = intersect(requested, client);
  if (PaintBuffer_.width() != cw || PaintBuffer_.height() != ch) {
    PaintBuffer_.resize(cw, ch);
    area = client;
  }
  const bool background = BgPicture_.hasGraphic() && BgMode_ != TBackgroundMode::bmNone;
  // A graphic draws itself without our clip, so a background repaints all.
  if (background) area = client;
  if (area.empty()) return;
  if (paintFromShownAhead(area, background)) return;

  Canvas canvas(PaintBuffer_);
  canvas.fillRect(area, Color_);
  if (background) {
    TGraphic* g = BgPicture_.graphic();
    switch (BgMode_) {
      case TBackgroundMode::bmTiled:
        TileGraphic(PaintBuffer_, client, g);
        break;
      case TBackgroundMode::bmStretched:
        g->draw(PaintBuffer_, client);
        break;
      case TBackgroundMode::bmCentered: {
        const int32_t x = (cw - g->width()) / 2, y = (ch - g->height()) / 2;
        g->draw(PaintBuffer_, Rect{x, y, x + g->width(), y + g->height()});
        break;
      }
      case TBackgroundMode::bmNone:
        break;
    }
  }
  if (ScreenBitmap_.empty()) return;
  const bool clipped = area != client;
  if (clipped) canvas.selectClip(Region::rect(area));
  DrawScreenOnControl(canvas, ScreenBitmap_, Stretch_, PicRect_, DisplayRect());
  if (clipped) canvas.removeClip();
}

bool TCustomTransitionPlayer::paintFromShownAhead(const Rect& area, bool background) {
  if (!shown_ || background || screenHolds_ == ScreenHolds::Unknown) return false;
  const ShownAhead& a = *shown_;
  const Bitmap24& look = screenHolds_ == ScreenHolds::OldImage ? a.oldShown : a.newShown;
  if (look.width() != PaintBuffer_.width() || look.height() != PaintBuffer_.height()) return false;
  if (a.color != Color_ || a.stretch != Stretch_ || a.picRect != PicRect_ || a.displayRect != DisplayRect())
    return false;
  // Clipping a whole paint to the area gives the whole paint's pixels there.
  const size_t left = size_t(area.left) * 3, bytes = size_t(area.width()) * 3;
  for (int32_t y = area.top; y < area.bottom; ++y)
    std::memcpy(PaintBuffer_.row(y) + left, look.row(y) + left, bytes);
  return true;
}

// --- the run ------------------------------------------------------------

Status TCustomTransitionPlayer::StartTransition() {
  if (Busy_ || !Picture_.hasGraphic()) {
    ahead_.reset();
    return {};
  }
  reapThreads();
  const std::shared_ptr<bool> alive = alive_;
  Busy_ = true;
  std::string error;
  try {
    PrepareTransition();
    if (*alive && !Manual_ && Busy_) Animate();
    return {};
  } catch (const std::exception& e) {
    error = e.what();
  } catch (...) {
    error = "transition failed";
  }
  if (*alive) endFailedRun();
  return makeError(error);
}

void TCustomTransitionPlayer::endFailedRun() {
  // Its worker, if any, winds down without finishing the run.
  if (thread_) {
    thread_->Terminate();
    endedThreads_.push_back(std::move(thread_));
  }
  releaseImages();
  Busy_ = false;
}

void TCustomTransitionPlayer::threadFailed(TAnimateThread* t) {
  if (thread_.get() == t) endFailedRun();
}

bool TCustomTransitionPlayer::takePreparedStart() {
  std::unique_ptr<PreparedStart> a = std::move(ahead_);
  if (!a || a->picture.graphic() != Picture_.graphic()) return false;
  const StartLayout& l = a->layout;
  const int32_t cw = s_.host.clientWidth(), ch = s_.host.clientHeight();
  // The images were made for a picture of this size placed as the player
  // places it now, in a control showing only this colour, and a screen that
  // starts empty (so in the colour as well).
  if (!ScreenBitmap_.empty() || l.color != Color_ || static_cast<const Placement&>(l) != placement()) return false;
  if (PaintBuffer_.width() != cw || PaintBuffer_.height() != ch || !IsUniform(PaintBuffer_, Color_)) return false;
  if (a->screen.width() != Picture_.width() || a->screen.height() != Picture_.height()) return false;
  ScreenBitmap_ = std::move(a->screen);
  PicRect_ = a->picRect;
  // A screen made as the new picture is right only for a style 0 run whose
  // first frame follows at once with nobody looking in between; otherwise
  // the screen starts in the colour, as it would here.
  const int first = Reverse_ ? 100 : 0;
  const bool atOnce = familyOf(Style_) == StyleFamily::Appear && !Reverse_ && !OnCustomDraw &&
                      !OnBeforeNewFrame && Progress_ != first;
  screenHolds_ = ScreenHolds::OldImage;
  if (a->screenIsNew) {
    if (atOnce)
      screenHolds_ = ScreenHolds::NewImage;
    else
      ScreenBitmap_.fill(Color_);
  }
  OldImage_ = std::make_unique<Bitmap24>(std::move(a->oldImage));
  NewImage_ = std::make_unique<Bitmap24>(std::move(a->newImage));
  shown_ = std::make_unique<ShownAhead>();
  shown_->oldShown = std::move(a->oldShown);
  shown_->newShown = std::move(a->newShown);
  shown_->color = Color_;
  shown_->stretch = Stretch_;
  shown_->picRect = PicRect_;
  shown_->displayRect = a->displayRect;
  return true;
}

void TCustomTransitionPlayer::PrepareTransition() {
  screenHolds_ = ScreenHolds::Unknown;
  shown_.reset();
  lastStartPrepared_ = takePreparedStart();
  if (lastStartPrepared_) {
    SetProgress(Reverse_ ? 100 : 0);
    return;
  }
  const int32_t w = Picture_.width(), h = Picture_.height();
  // The new size keeps what was shown at the top-left corner; the rest
  // takes the fill colour.
  if (ScreenBitmap_.width() != w || ScreenBitmap_.height() != h) {
    Bitmap24 resized(w, h);
    resized.fill(Color_);
    if (!ScreenBitmap_.empty()) Canvas(resized).draw(ScreenBitmap_, 0, 0);
    ScreenBitmap_ = std::move(resized);
  }
  UpdatePicRect();

  // A control that has not been painted at its size yet has nothing to
  // start from; compose what it would show.
  if (PaintBuffer_.width() != s_.host.clientWidth() || PaintBuffer_.height() != s_.host.clientHeight()) {
    FlagGuard painting(Painting_);
    composePaint(Rect{0, 0, s_.host.clientWidth(), s_.host.clientHeight()});
  }
  auto oldImage = std::make_unique<Bitmap24>(w, h);
  DrawOldImage(*oldImage, PaintBuffer_, DisplayRect(), Color_);
  auto newImage = std::make_unique<Bitmap24>(w, h);
  DrawNewImage(*newImage, *Picture_.graphic());
  OldImage_ = std::move(oldImage);
  NewImage_ = std::move(newImage);

  SetProgress(Reverse_ ? 100 : 0);
}

void TCustomTransitionPlayer::SetProgress(int value) {
  value = std::clamp(value, 0, 100);
  if (!Busy_ || value == Progress_) return;
  if (value < Progress_ && !Painting_)
    InvalidatePicRect(Rect{0, 0, ScreenBitmap_.width(), ScreenBitmap_.height()});
  Progress_ = uint8_t(value);
  RenderFrame();
  if (!destroying_ && OnProgress) OnProgress(*this);
}

int TCustomTransitionPlayer::nextProgress() const {
  const int progress = Progress_, step = Step_;
  if (Reverse_) return progress < step ? 0 : progress - step;
  return progress + step;
}

bool TCustomTransitionPlayer::runEnded() const {
  return Reverse_ ? Progress_ == 0 : Progress_ == 100;
}

void TCustomTransitionPlayer::AnimationStep() { SetProgress(nextProgress()); }

void TCustomTransitionPlayer::Animate() {
  if (Threaded_) {
    if (thread_) {
      // A worker that is still winding down must not finish this run.
      std::unique_ptr<TAnimateThread> old = std::move(thread_);
      old->Terminate();
      if (workerCallDepth_ == 0) old->WaitFor();
      endedThreads_.push_back(std::move(old));
    }
    thread_ = std::make_unique<TAnimateThread>(*this);
    return;
  }
  const std::shared_ptr<bool> alive = alive_;
  bool done = false;
  do {
    const uint32_t t0 = s_.clock.tickCount();
    AnimationStep();
    if (!*alive) return;
    done = runEnded();
    if (done) break;
    for (;;) {
      s_.pump.processMessages();
      if (!*alive) return;  // a dispatched message destroyed the player
      if (!Busy_ || Manual_ || Stopping_) break;
      if (uint32_t(s_.clock.tickCount() - t0) > Delay_) break;  // unsigned: wraps harmlessly
      // Rest between looks at the queue instead of spinning a core.
      s_.clock.sleep(1);
    }
  } while (Busy_ && !Manual_ && !Stopping_);
  // A stop from inside the last frame's events has finished the run already.
  if (done && Busy_) AnimationFinished();
}

void TCustomTransitionPlayer::threadEnded(TAnimateThread* t) {
  if (thread_.get() == t) AnimationFinished();
}

void TCustomTransitionPlayer::AnimationFinished() {
  if (thread_) endedThreads_.push_back(std::move(thread_));
  if (!Stopping_ && Manual_) return;  // paused: stays Busy
  Busy_ = false;
  releaseImages();
  if (OnComplete && !destroying_ && !Stopping_) OnComplete(*this);
}

void TCustomTransitionPlayer::StopTransition() {
  if (!Busy_ || Stopping_) return;
  Stopping_ = true;
  struct ClearStopping {
    std::atomic<bool>& f;
    ~ClearStopping() { f = false; }
  } clear{Stopping_};
  if (thread_ && workerCallDepth_ == 0) {
    TAnimateThread* t = thread_.get();
    t->Terminate();
    t->WaitFor();  // serves the worker's calls; its end runs AnimationFinished
    if (thread_.get() == t) AnimationFinished();
  } else {
    // Unthreaded, or called from inside the worker's own step (waiting for
    // the worker there would wait for ourselves): end the run now and let
    // the worker wind down by itself.
    if (thread_) thread_->Terminate();
    AnimationFinished();
  }
  reapThreads();
}

void TCustomTransitionPlayer::ClearScreen(Bitmap24* released) {
  // The surface counts as locked while a paint composes from it.
  if (Busy_ || ScreenBitmap_.empty() || Painting_) return;
  if (released) std::swap(*released, ScreenBitmap_);
  ScreenBitmap_ = Bitmap24();
  screenHolds_ = ScreenHolds::Unknown;
  shown_.reset();
  Invalidate();
}

void TCustomTransitionPlayer::releaseImages() {
  if (rendering_) {
    // A handler stopped the run from inside the frame being composed.
    if (OldImage_) retiredImages_.push_back(std::move(OldImage_));
    if (NewImage_) retiredImages_.push_back(std::move(NewImage_));
    return;
  }
  OldImage_.reset();
  NewImage_.reset();
}

void TCustomTransitionPlayer::reapThreads() {
  std::erase_if(endedThreads_, [](const std::unique_ptr<TAnimateThread>& t) { return t->Finished(); });
}

}  // namespace vorn

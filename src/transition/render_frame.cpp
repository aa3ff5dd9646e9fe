#include <memory>

#include "raster/canvas.h"
#include "raster/region.h"
#include "transition/frame_context.h"
#include "transition/masked_compose.h"
#include "transition/style_catalogue.h"
#include "transition/styles_rectangle.h"
#include "transition/transition_player.h"

namespace vorn {

namespace {

// What a frame's finish adds, for a progress of 1..99, over what the
// style's builder did: a rectangle style's final copy, a masked style's new
// picture through its region; style 0 and the pixel styles are done.
void finishFrame(StyleFamily family, FrameContext& f, Canvas& screen) {
  switch (family) {
    case StyleFamily::Rectangle:
      screen.stretchCopy(f.D, f.newImage, f.R);
      return;
    case StyleFamily::Masked:
      if (!f.M) {
        // No region (a style without a builder): the new picture at once.
        screen.draw(f.newImage, 0, 0);
        return;
      }
      screen.selectClip(*f.M);
      screen.draw(f.newImage, 0, 0);
      screen.removeClip();
      return;
    case StyleFamily::Appear:
    case StyleFamily::Pixel:
      return;
  }
}

}  // namespace

void TCustomTransitionPlayer::RenderFrame() {
  if (!OldImage_ || !NewImage_) return;
  const Bitmap24& oldImage = *OldImage_;
  const Bitmap24& newImage = *NewImage_;
  {
    struct Rendering {
      bool& flag;
      explicit Rendering(bool& f) : flag(f) { flag = true; }
      ~Rendering() { flag = false; }
    } rendering(rendering_);
    Canvas& screen = *screenCanvas_;
    screen.removeClip();
    // Only a start made ahead tracks what the screen holds.
    const ScreenHolds held = shown_ ? screenHolds_ : ScreenHolds::Unknown;
    screenHolds_ = ScreenHolds::Unknown;
    const int style = Style_;
    const StyleInfo& info = styleInfo(style);
    const StyleFamily family = info.family;
    // A style 0 frame draws the old picture and then the new one over it;
    // a screen holding the new one already needs neither.
    const bool keepNew = held == ScreenHolds::NewImage && family == StyleFamily::Appear && !Reverse_ &&
                         !OnCustomDraw && !OnBeforeNewFrame;
    const int32_t W = newImage.width(), H = newImage.height();
    // A masked frame between 0 and 100 sets every pixel from one picture or
    // the other, so it is composed in one pass at the end instead of on top
    // of the old picture; not when a handler wants to see the old picture
    // laid down first.
    const bool betweenEnds = Progress_ > 0 && Progress_ < 100 && !OnBeforeNewFrame &&
                             ScreenBitmap_.width() == W && ScreenBitmap_.height() == H &&
                             oldImage.width() == W && oldImage.height() == H;
    const bool oneMaskedPass = betweenEnds && family == StyleFamily::Masked;
    // So is a pixel frame, which reads the old picture where it needs it.
    const bool onePixelPass = betweenEnds && family == StyleFamily::Pixel && held != ScreenHolds::OldImage;
    if (held == ScreenHolds::OldImage || keepNew || oneMaskedPass || onePixelPass) {
      // the screen holds what it should, or every pixel is set at the end
    } else if (betweenEnds && family == StyleFamily::Rectangle) {
      // The final copy overwrites every pixel of its area whatever lies
      // there, so the old picture is laid down only around it.
      RectCopy copies[kMaxRectCopies];
      const size_t n = rectangleCopies(style, FrameGeometry::compute(W, H, Progress_, Step_), copies);
      const Rect hole = n > 0 ? screen.stretchCopyArea(copies[n - 1].D, newImage, copies[n - 1].R) : Rect{};
      screen.drawAround(oldImage, hole);
    } else {
      screen.draw(oldImage, 0, 0);
    }
    if (OnBeforeNewFrame) OnBeforeNewFrame(*this, newImage, ScreenBitmap_);
    bool extraCopies = false;  // a rectangle style drew more than its last copy

    FrameContext f{ScreenBitmap_,
                   newImage,
                   oldImage,
                   FrameGeometry::compute(W, H, Progress_, Step_),
                   s_.random,
                   Rect{0, 0, W, H},
                   Rect{0, 0, W, H},
                   nullptr,
                   [this, &extraCopies](const Rect& r) {
                     if (!r.empty()) extraCopies = true;
                     InvalidatePicRect(r);
                   },
                   &screen,
                   onePixelPass ? &oldImage : nullptr};
    // Style 0 builds here because it talks to the player (OnCustomDraw,
    // Progress); a custom-drawn style 0 keeps the handler's frame between 1
    // and 99.
    if (family == StyleFamily::Appear) {
      if (OnCustomDraw)
        OnCustomDraw(*this, newImage, ScreenBitmap_);
      else
        Progress_ = Reverse_ ? 0 : 100;  // the run ends with this frame, either way
    } else if (info.build) {
      info.build(style, f);
    }

    const int progress = Progress_;  // read again: style 0 may have moved it
    if (oneMaskedPass) {
      // Masked styles leave Progress alone, so it is still within 1..99.
      if (f.M)
        composeMasked(ScreenBitmap_, oldImage, newImage, *f.M);
      else
        screen.draw(newImage, 0, 0);
    } else if (progress == 100) {
      if (!keepNew) screen.draw(newImage, 0, 0);
    }
    else if (progress > 0)
      finishFrame(family, f, screen);
    f.M.reset();
    // At 100 the whole new picture was drawn; D alone can miss pixels that
    // no copy ever reached (the middle pixel of style 54 on odd sizes), which
    // would stay stale on the screen after the run.
    InvalidatePicRect(progress == 100 ? Rect{0, 0, W, H} : f.D);
    if (OnAfterNewFrame)
      OnAfterNewFrame(*this, newImage, ScreenBitmap_);
    else if (progress == 100)
      screenHolds_ = ScreenHolds::NewImage;
    else if (progress == 0 && !OnBeforeNewFrame && !(family == StyleFamily::Appear && OnCustomDraw) &&
             info.oldImageUntouchedAtZero && !extraCopies)
      screenHolds_ = ScreenHolds::OldImage;
  }
  retiredImages_.clear();
  if (!Painting_) s_.host.updateNow();
}

}  // namespace vorn

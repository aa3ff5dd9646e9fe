#pragma once
// What one frame of a transition works with. RenderFrame fills it, hands it
// to the builder of the current style, and then finishes the frame by
// what the family left in D, R or M.
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/random.h"
#include "raster/bitmap24.h"
#include "raster/rect.h"

namespace vorn {

class Canvas;
class Region;

// The symbols every style formula uses (all integer; div truncates toward
// zero; MulDiv rounds to nearest).
struct FrameGeometry {
  int32_t W = 0, H = 0;  // size of NewImage (= ScreenBitmap = OldImage)
  int32_t p = 0;         // Progress, 0..100
  int32_t X = 0, Y = 0;  // horizontal and vertical extents, from the longer side
  int32_t S = 0;         // snap distance, MulDiv(max(W, H), Step, 90)
  int32_t a = 0, b = 0, c = 0, d = 0;  // (W-X)/2, (W+X)/2, (H-Y)/2, (H+Y)/2
  int32_t hx = 0, hy = 0, cw = 0, ch = 0;  // X/2, Y/2, W/2, H/2

  static FrameGeometry compute(int32_t W, int32_t H, int32_t progress, int32_t step);
};

struct FrameContext {
  Bitmap24& screen;          // ScreenBitmap, holding OldImage when the family runs (but see `under`)
  const Bitmap24& newImage;  // NewImage
  const Bitmap24& oldImage;  // OldImage
  FrameGeometry g;
  Random& random;
  Rect D;                    // destination in ScreenBitmap; starts (0, 0, W, H)
  Rect R;                    // source in NewImage; starts (0, 0, W, H)
  std::unique_ptr<Region> M; // clip region of a masked style; none at start
  // InvalidatePicRect of an extra copy's destination (ScreenBitmap coordinates).
  std::function<void(const Rect&)> invalidate;
  // The frame's canvas on `screen`, when the caller has one (the player
  // keeps one so that a frame allocates nothing); null: make your own.
  Canvas* canvas = nullptr;
  // Set when `screen` does not hold OldImage yet (a pixel frame composes
  // from both pictures in one pass): the picture to take instead.
  const Bitmap24* under = nullptr;
};

// The builders of the three families, one file each; the style table says
// which one a style uses. They see the context once RenderFrame
// has laid the old picture down (or knows that it need not) and called
// OnBeforeNewFrame, and only for progress 1..99 need to leave a result (the
// frame at 100 is the new picture whatever they do).
void rectangleStyle(int style, FrameContext& f);  // sets D and R, makes extra copies
void maskedStyle(int style, FrameContext& f);     // builds M
void pixelStyle(int style, FrameContext& f);      // changes f.screen

}  // namespace vorn

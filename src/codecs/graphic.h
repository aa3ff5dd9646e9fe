#pragma once
// A decoded picture as the container holds it: a size, an empty test and a
// draw onto a 24-bit surface. Drawing into a rectangle of the graphic's own
// size copies it pixel for pixel; any other rectangle gets the high-quality
// stretch (scale.h). Both are clipped to the surface.
//
// Decoding happens when the file is loaded, so a broken file fails the load
// and the container keeps what it had; the 24-bit form of the current frame
// (bitmap()) is made from the decoded pixels on first use and kept.
#include <cstdint>
#include <functional>

#include "raster/bitmap24.h"
#include "raster/rect.h"

namespace vorn {

class TGraphic {
 public:
  virtual ~TGraphic() = default;
  TGraphic(const TGraphic&) = delete;
  TGraphic& operator=(const TGraphic&) = delete;

  virtual int32_t width() const = 0;
  virtual int32_t height() const = 0;
  bool empty() const { return width() <= 0 || height() <= 0; }

  // The 24-bit picture of the current frame, made on first use and kept.
  virtual const Bitmap24& bitmap() = 0;

  // Draws the current frame into `dest` (surface coordinates) on `dst`.
  // Opaque graphics replace the pixels; icons blend through their mask.
  virtual void draw(Bitmap24& dst, const Rect& dest);

  // Fired when the graphic changes after its load (no decoder does so today:
  // a GIF shows its first image only).
  std::function<void()> OnChange;

 protected:
  TGraphic() = default;
  void changed() {
    if (OnChange) OnChange();
  }
};

// Copies `src` with its top-left corner at (x, y), clipped to `dst`.
void copyUnscaled(const Bitmap24& src, Bitmap24& dst, int32_t x, int32_t y);

}  // namespace vorn

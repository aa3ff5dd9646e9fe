#include "raster/rect.h"
#include "transition/frame_context.h"
#include "transition/pixel_styles.h"

namespace vorn {

namespace {

// Pivots of the rotation styles, just outside one corner each.
struct Pivot {
  bool right, bottom;
};
constexpr Pivot kPivots[] = {
    {false, false},  // 119: top-left
    {false, true},   // 120: bottom-left
    {true, false},   // 121: top-right
    {true, true},    // 122: bottom-right
};

}  // namespace

void pixelStyle(int style, FrameContext& f) {
  const int32_t W = f.newImage.width(), H = f.newImage.height();
  if (style == 118) {
    BlendImages(f.screen, f.newImage, f.g.p, f.under);
    return;
  }
  if (style < 119 || style > 122) {
    if (f.under) f.screen = *f.under;
    return;
  }
  const Pivot& pv = kPivots[style - 119];
  RotateImage(f.screen, f.newImage, pv.right ? W : -1, pv.bottom ? H : -1, rotationAngle(f.g.p), f.under);
}

}  // namespace vorn

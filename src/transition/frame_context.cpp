#include "transition/frame_context.h"

#include <algorithm>

#include "raster/muldiv.h"

namespace vorn {

FrameGeometry FrameGeometry::compute(int32_t W, int32_t H, int32_t progress, int32_t step) {
  FrameGeometry g;
  g.W = W;
  g.H = H;
  g.p = progress;
  if (W >= H) {
    g.X = MulDiv(W, progress, 100);
    g.Y = W == 0 ? 0 : MulDiv(g.X, H, W);
  } else {
    g.Y = MulDiv(H, progress, 100);
    g.X = MulDiv(g.Y, W, H);
  }
  g.S = MulDiv(std::max(W, H), step, 90);
  g.a = (W - g.X) / 2;
  g.b = (W + g.X) / 2;
  g.c = (H - g.Y) / 2;
  g.d = (H + g.Y) / 2;
  g.hx = g.X / 2;
  g.hy = g.Y / 2;
  g.cw = W / 2;
  g.ch = H / 2;
  return g;
}

}  // namespace vorn

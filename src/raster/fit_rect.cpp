#include "raster/fit_rect.h"

#include "raster/muldiv.h"

namespace vorn {

Rect FitRect(const Rect& r, const Rect& t) {
  const int32_t w = r.width(), h = r.height();
  const int32_t tw = t.width(), th = t.height();
  if (w <= 0 || h <= 0) return Rect{t.left, t.top, t.left, t.top};
  int32_t width, height;
  // th / h > tw / w as real numbers, compared exactly by cross-multiplying.
  if (int64_t(th) * w > int64_t(tw) * h) {
    width = tw;
    height = MulDiv(h, tw, w);
  } else {
    width = MulDiv(w, th, h);
    height = th;
  }
  const int32_t left = t.left + (tw - width) / 2;
  const int32_t top = t.top + (th - height) / 2;
  return Rect{left, top, left + width, top + height};
}

}  // namespace vorn

#include "codecs/graphic.h"

#include <algorithm>
#include <cstring>

#include "codecs/scale.h"

namespace vorn {

void copyUnscaled(const Bitmap24& src, Bitmap24& dst, int32_t x, int32_t y) {
  const Rect placed{x, y, x + src.width(), y + src.height()};
  const Rect vis = intersect(placed, Rect{0, 0, dst.width(), dst.height()});
  if (vis.empty()) return;
  const size_t bytes = size_t(vis.width()) * 3;
  for (int32_t dy = vis.top; dy < vis.bottom; ++dy)
    std::memcpy(dst.row(dy) + size_t(vis.left) * 3,
                src.row(dy - y) + size_t(vis.left - x) * 3, bytes);
}

void TGraphic::draw(Bitmap24& dst, const Rect& dest) {
  if (empty() || dest.empty()) return;
  const Bitmap24& src = bitmap();
  if (dest.width() == src.width() && dest.height() == src.height())
    copyUnscaled(src, dst, dest.left, dest.top);
  else
    stretchHighQuality(src, dst, dest);
}

}  // namespace vorn

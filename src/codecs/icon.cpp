#include "codecs/icon.h"

#include "codecs/scale.h"

namespace vorn {
namespace {

inline uint8_t mul255(uint32_t a, uint32_t b) { return uint8_t((a * b + 127) / 255); }

}  // namespace

const Bitmap24& TIcon::bitmap() {
  if (overBlack_.empty() && !colour_.empty()) {
    overBlack_ = Bitmap24(colour_.width(), colour_.height());
    for (int32_t y = 0; y < colour_.height(); ++y) {
      const uint8_t* s = colour_.row(y);
      uint8_t* d = overBlack_.row(y);
      for (int32_t x = 0; x < colour_.width(); ++x) {
        const uint8_t a = coverage(x, y);
        for (int c = 0; c < 3; ++c) d[3 * x + c] = mul255(s[3 * x + c], a);
      }
    }
  }
  return overBlack_;
}

void TIcon::draw(Bitmap24& dst, const Rect& dest) {
  if (empty() || dest.empty()) return;
  const Rect vis = intersect(dest, Rect{0, 0, dst.width(), dst.height()});
  if (vis.empty()) return;
  const Bitmap24& pre = bitmap();  // colour times coverage
  if (dest.width() == width() && dest.height() == height()) {
    for (int32_t y = vis.top; y < vis.bottom; ++y) {
      const uint8_t* s = pre.row(y - dest.top);
      uint8_t* d = dst.row(y);
      for (int32_t x = vis.left; x < vis.right; ++x) {
        const int32_t sx = x - dest.left;
        const uint32_t keep = 255u - coverage(sx, y - dest.top);
        for (int c = 0; c < 3; ++c) d[3 * x + c] = uint8_t(s[3 * sx + c] + mul255(d[3 * x + c], keep));
      }
    }
    return;
  }
  // Stretched: scale the premultiplied colour and the coverage alike, then
  // blend; both scale linearly, so edges stay free of dark fringes.
  Bitmap24 cov(width(), height());
  for (int32_t y = 0; y < height(); ++y)
    for (int32_t x = 0; x < width(); ++x) {
      uint8_t* p = cov.row(y) + 3 * size_t(x);
      p[0] = p[1] = p[2] = coverage(x, y);
    }
  Bitmap24 sc(vis.width(), vis.height()), sa(vis.width(), vis.height());
  const Rect local = offsetRect(dest, -vis.left, -vis.top);
  stretchHighQuality(pre, sc, local);
  stretchHighQuality(cov, sa, local);
  for (int32_t y = vis.top; y < vis.bottom; ++y) {
    const uint8_t* s = sc.row(y - vis.top);
    const uint8_t* a = sa.row(y - vis.top);
    uint8_t* d = dst.row(y) + size_t(vis.left) * 3;
    for (int32_t i = 0; i < vis.width() * 3; ++i) {
      const uint32_t v = s[i] + mul255(d[i], 255u - a[i]);
      d[i] = uint8_t(v > 255 ? 255 : v);
    }
  }
}

}  // namespace vorn

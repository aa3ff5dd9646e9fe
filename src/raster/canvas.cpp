#include "raster/canvas.h"

#include <algorithm>
#include <cstring>

#include "raster/stretch_map.h"

namespace vorn {

Canvas::Canvas(Bitmap24& target) : target_(target) {}

void Canvas::selectClip(const Region& r) {
  // Only the part over the bitmap matters; keeping just that bounds the
  // clip's size by the bitmap's.
  Region inside = Region::combine(r, Region::rect(0, 0, target_.width(), target_.height()), CombineOp::And);
  if (hasClip_)
    clip_.intersect(inside);
  else
    clip_ = std::move(inside);
  hasClip_ = true;
}

void Canvas::removeClip() {
  clip_.clear();
  hasClip_ = false;
}

// Calls fn(y, x0, x1, sameAsAbove) for every row piece of `area` (already
// inside the bitmap) that the clip lets through; sameAsAbove tells that row
// y-1 had exactly the same pieces.
template <class SpanFn>
void Canvas::forEachSpan(const Rect& area, SpanFn&& fn) {
  if (area.empty()) return;
  if (!hasClip_) {
    for (int32_t y = area.top; y < area.bottom; ++y) fn(y, area.left, area.right, y > area.top);
    return;
  }
  const size_t n = clip_.bandCount();
  for (size_t i = clip_.firstBandBelow(area.top); i < n; ++i) {
    const Region::Band b = clip_.band(i);
    if (b.top >= area.bottom) break;
    const int32_t y0 = std::max(b.top, area.top), y1 = std::min(b.bottom, area.bottom);
    for (int32_t y = y0; y < y1; ++y)
      for (const Region::Span* s = b.first; s != b.last; ++s) {
        const int32_t x0 = std::max(s->left, area.left), x1 = std::min(s->right, area.right);
        if (x0 < x1) fn(y, x0, x1, y > y0);
      }
  }
}

void Canvas::draw(const Bitmap24& src, int32_t x, int32_t y) {
  stretchCopy(Rect{x, y, x + src.width(), y + src.height()}, src, Rect{0, 0, src.width(), src.height()});
}

namespace {

// Destination columns (rows) [v0, v1) that the destination extent covers
// inside [0, limit): from `origin` with signed length `len`.
void coveredRange(int64_t origin, int64_t len, int64_t limit, int64_t& v0, int64_t& v1) {
  if (len > 0) {
    v0 = origin;
    v1 = origin + len;
  } else {
    v0 = origin + len + 1;
    v1 = origin + 1;
  }
  v0 = std::max<int64_t>(v0, 0);
  v1 = std::min<int64_t>(v1, limit);
}

// For destination position v, the source positions (clipped to [0, srcLimit))
// whose pixels it takes; count 0 when none is inside the source.
void sourcesFor(int64_t v, int64_t dOrigin, int64_t dLen, int64_t sOrigin, int64_t sLen,
                int64_t srcLimit, int64_t& first, int64_t& count) {
  const int64_t k = dLen > 0 ? v - dOrigin : dOrigin - v;
  const StretchRange r = stretchSources(k, sLen < 0 ? -sLen : sLen, dLen < 0 ? -dLen : dLen);
  int64_t a, b;
  if (sLen > 0) {
    a = sOrigin + r.first;
    b = a + r.count;
  } else {
    b = sOrigin - r.first + 1;
    a = b - r.count;
  }
  a = std::max<int64_t>(a, 0);
  b = std::min<int64_t>(b, srcLimit);
  first = a;
  count = b > a ? b - a : 0;
}

inline void copyPixel(uint8_t* d, const uint8_t* s) {
  d[0] = s[0];
  d[1] = s[1];
  d[2] = s[2];
}

}  // namespace

void Canvas::stretchCopy(const Rect& dst, const Bitmap24& src, const Rect& srcRect) {
  const int64_t dw = int64_t(dst.right) - dst.left, dh = int64_t(dst.bottom) - dst.top;
  const int64_t sw = int64_t(srcRect.right) - srcRect.left, sh = int64_t(srcRect.bottom) - srcRect.top;
  if (dw == 0 || dh == 0 || sw == 0 || sh == 0 || src.empty() || target_.empty()) return;
  int64_t x0, x1, y0, y1;
  coveredRange(dst.left, dw, target_.width(), x0, x1);
  coveredRange(dst.top, dh, target_.height(), y0, y1);
  if (x0 >= x1 || y0 >= y1) return;

  // Destination pixels whose sources all lie outside src stay as they are.
  // They can only be at the ends of each axis (the mapping is monotonic), so
  // trimming them leaves every remaining pixel with at least one source.
  auto trim = [](std::vector<Run>& v, int64_t& lo, int64_t& hi) {
    size_t a = 0, b = v.size();
    while (a < b && v[a].count == 0) ++a;
    while (b > a && v[b - 1].count == 0) --b;
    v.erase(v.begin() + ptrdiff_t(b), v.end());
    v.erase(v.begin(), v.begin() + ptrdiff_t(a));
    hi = lo + int64_t(b);
    lo += int64_t(a);
  };
  cols_.resize(size_t(x1 - x0));
  for (int64_t x = x0; x < x1; ++x) {
    int64_t f, c;
    sourcesFor(x, dst.left, dw, srcRect.left, sw, src.width(), f, c);
    cols_[size_t(x - x0)] = Run{int32_t(f * 3), int32_t(c)};
  }
  trim(cols_, x0, x1);
  rows_.resize(size_t(y1 - y0));
  for (int64_t y = y0; y < y1; ++y) {
    int64_t f, c;
    sourcesFor(y, dst.top, dh, srcRect.top, sh, src.height(), f, c);
    rows_[size_t(y - y0)] = Run{int32_t(f), int32_t(c)};
  }
  trim(rows_, y0, y1);
  if (x0 >= x1 || y0 >= y1) return;
  bool contiguous = true, single = true;
  for (size_t i = 0; i < cols_.size(); ++i) {
    if (cols_[i].count != 1) single = false;
    if (cols_[i].count != 1 || cols_[i].first != cols_[0].first + 3 * int32_t(i)) contiguous = false;
  }

  const Run* cols = cols_.data();
  const Run* rows = rows_.data();
  const int32_t cx0 = int32_t(x0), cy0 = int32_t(y0);
  auto rowFrom = [&](uint8_t* d, const uint8_t* s, int32_t a, int32_t b, bool combine) {
    if (contiguous && !combine) {
      std::memcpy(d + 3 * size_t(a), s + cols[a - cx0].first, 3 * size_t(b - a));
      return;
    }
    for (int32_t x = a; x < b; ++x) {
      const Run& r = cols[x - cx0];
      uint8_t* p = d + 3 * size_t(x);
      if (single && !combine) {
        copyPixel(p, s + r.first);
        continue;
      }
      const uint8_t* q = s + r.first;
      uint8_t b0 = q[0], b1 = q[1], b2 = q[2];
      for (int32_t k = 1; k < r.count; ++k) {
        b0 &= q[3 * k];
        b1 &= q[3 * k + 1];
        b2 &= q[3 * k + 2];
      }
      if (combine) {
        p[0] &= b0;
        p[1] &= b1;
        p[2] &= b2;
      } else {
        p[0] = b0;
        p[1] = b1;
        p[2] = b2;
      }
    }
  };
  forEachSpan(Rect{cx0, cy0, int32_t(x1), int32_t(y1)}, [&](int32_t y, int32_t a, int32_t b, bool sameAbove) {
    const Run& r = rows[y - cy0];
    uint8_t* d = target_.row(y);
    if (sameAbove) {
      const Run& up = rows[y - 1 - cy0];
      if (up.first == r.first && up.count == r.count) {
        std::memcpy(d + 3 * size_t(a), target_.row(y - 1) + 3 * size_t(a), 3 * size_t(b - a));
        return;
      }
    }
    rowFrom(d, src.row(r.first), a, b, false);
    for (int32_t k = 1; k < r.count; ++k) rowFrom(d, src.row(r.first + k), a, b, true);
  });
}

void Canvas::fillRect(const Rect& r, Color c) {
  const Rect a = intersect(r, Rect{0, 0, target_.width(), target_.height()});
  const uint8_t px[3] = {blueOf(c), greenOf(c), redOf(c)};
  forEachSpan(a, [&](int32_t y, int32_t x0, int32_t x1, bool) {
    uint8_t* d = target_.row(y) + 3 * size_t(x0);
    for (int32_t x = x0; x < x1; ++x, d += 3) copyPixel(d, px);
  });
}

}  // namespace vorn

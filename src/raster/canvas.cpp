#include "raster/canvas.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "raster/copy_bytes.h"
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

inline uint32_t load4(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
inline void store4(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }
static_assert(std::endian::native == std::endian::little, "pixels are moved as little-endian words");

// Eight pixels, px(0) .. px(7) (each in the low three bytes of a word), put
// at p as three 8-byte words: exactly the 24 bytes, fewer stores than one
// per pixel.
template <class PixelFn>
inline void put8(uint8_t* p, PixelFn&& px) {
  uint64_t v[8];
  for (int32_t i = 0; i < 8; ++i) v[i] = px(i) & 0xFFFFFFu;
  const uint64_t w0 = v[0] | v[1] << 24 | v[2] << 48;
  const uint64_t w1 = v[2] >> 16 | v[3] << 8 | v[4] << 32 | v[5] << 56;
  const uint64_t w2 = v[5] >> 8 | v[6] << 16 | v[7] << 40;
  std::memcpy(p, &w0, 8);
  std::memcpy(p + 8, &w1, 8);
  std::memcpy(p + 16, &w2, 8);
}

}  // namespace

// Destination pixels [a, b) of one row, each from the one source pixel at
// byte offset cols[x].first. Whole words are moved; the byte each word puts
// on the next pixel is overwritten by that pixel, and the last pixel of the
// span is moved bytewise so nothing outside the span changes.
void Canvas::gatherRow(uint8_t* d, const uint8_t* s, const Run* cols, int32_t a, int32_t b, bool wide) {
  int32_t x = a;
  if (wide)
    for (; x + 1 < b; ++x) store4(d + 3 * size_t(x), load4(s + cols[x].first));
  for (; x < b; ++x) copyPixel(d + 3 * size_t(x), s + cols[x].first);
}

// The reference rule, byte by byte: destination pixels [a, b), each the
// AND of its source pixels, `rows` source rows from s on, `stride` apart,
// and the columns of cols[x].
void Canvas::referenceRow(uint8_t* d, const uint8_t* s, size_t stride, int32_t rows, const Run* cols, int32_t a,
                          int32_t b) {
  for (int32_t x = a; x < b; ++x) {
    const uint8_t* q = s + cols[x].first;
    uint8_t b0 = 0xFF, b1 = 0xFF, b2 = 0xFF;
    for (int32_t r = 0; r < rows; ++r, q += stride)
      for (int32_t k = 0; k < cols[x].count; ++k) {
        b0 &= q[3 * k];
        b1 &= q[3 * k + 1];
        b2 &= q[3 * k + 2];
      }
    uint8_t* p = d + 3 * size_t(x);
    p[0] = b0;
    p[1] = b1;
    p[2] = b2;
  }
}

// Rows combined, columns one to one (a squeeze along y only): n bytes at p
// are the AND of `rows` source row pieces from q on, `stride` apart, a loop
// the compiler vectorizes.
void Canvas::andRows(uint8_t* p, const uint8_t* q, size_t stride, int32_t rows, size_t n) {
  std::memcpy(p, q, n);
  for (int32_t k = 1; k < rows; ++k) {
    q += stride;
    for (size_t i = 0; i < n; ++i) p[i] &= q[i];
  }
}

// The reference rule a word per pixel: the last pixel, and every pixel when
// the source has no byte behind its last one, goes by the reference.
void Canvas::andRow(uint8_t* d, const uint8_t* s, size_t stride, int32_t rows, const Run* cols, int32_t a,
                    int32_t b, bool wide) {
  int32_t x = a;
  if (wide && rows == 1)
    for (; x + 1 < b; ++x) {
      // One source row (squeezing sideways): most pixels combine one or two.
      const uint8_t* q = s + cols[x].first;
      const int32_t n = cols[x].count;
      uint32_t v = load4(q);
      if (n == 2)
        v &= load4(q + 3);
      else
        for (int32_t k = 1; k < n; ++k) v &= load4(q + 3 * k);
      store4(d + 3 * size_t(x), v);
    }
  if (wide)
    for (; x + 1 < b; ++x) {
      const uint8_t* q = s + cols[x].first;
      const int32_t n = cols[x].count;
      uint32_t v = ~0u;
      for (int32_t r = 0; r < rows; ++r, q += stride)
        for (int32_t k = 0; k < n; ++k) v &= load4(q + 3 * k);
      store4(d + 3 * size_t(x), v);
    }
  referenceRow(d, s, stride, rows, cols, x, b);
}

// Destination pixels [a, b) from source pixels running backwards from s0
// (a mirrored copy at equal size).
void Canvas::reverseRow(uint8_t* d, const uint8_t* s0, int32_t a, int32_t b, bool wide) {
  uint8_t* p = d + 3 * size_t(a);
  const uint8_t* q = s0;
  int32_t n = b - a;
  // Four pixels at a time: the twelve source bytes A B C D (D at q) become
  // D C B A, rearranged in registers.
  for (; n >= 4; n -= 4, p += 12, q -= 12) {
    const uint8_t* s = q - 9;
    uint64_t lo;
    std::memcpy(&lo, s, 8);
    const uint32_t hi = load4(s + 8);
    const uint32_t w0 = (hi >> 8) | uint32_t((lo >> 48) & 0xFF) << 24;
    const uint32_t w1 = uint32_t((lo >> 56) & 0xFF) | (hi & 0xFF) << 8 | uint32_t((lo >> 24) & 0xFFFF) << 16;
    const uint32_t w2 = uint32_t((lo >> 40) & 0xFF) | uint32_t(lo & 0xFFFFFF) << 8;
    store4(p, w0);
    store4(p + 4, w1);
    store4(p + 8, w2);
  }
  if (wide)
    for (; n > 1; --n, p += 3, q -= 3) store4(p, load4(q));
  for (; n > 0; --n, p += 3, q -= 3) copyPixel(p, q);
}

bool Canvas::mapStretch(const Rect& dst, const Bitmap24& src, const Rect& srcRect, Rect& area) {
  const int64_t dw = int64_t(dst.right) - dst.left, dh = int64_t(dst.bottom) - dst.top;
  const int64_t sw = int64_t(srcRect.right) - srcRect.left, sh = int64_t(srcRect.bottom) - srcRect.top;
  if (dw == 0 || dh == 0 || sw == 0 || sh == 0 || src.empty() || target_.empty()) return false;
  int64_t x0, x1, y0, y1;
  coveredRange(dst.left, dw, target_.width(), x0, x1);
  coveredRange(dst.top, dh, target_.height(), y0, y1);
  if (x0 >= x1 || y0 >= y1) return false;

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
  if (x0 >= x1 || y0 >= y1) return false;
  area = Rect{int32_t(x0), int32_t(y0), int32_t(x1), int32_t(y1)};
  return true;
}

Rect Canvas::stretchCopyArea(const Rect& dst, const Bitmap24& src, const Rect& srcRect) {
  Rect area;
  return mapStretch(dst, src, srcRect, area) ? area : Rect{};
}

void Canvas::drawAround(const Bitmap24& src, const Rect& hole) {
  const int32_t w = std::min(src.width(), target_.width()), h = std::min(src.height(), target_.height());
  const Rect in = intersect(hole, Rect{0, 0, w, h});
  if (hasClip_ || in.empty()) return draw(src, 0, 0);
  for (int32_t y = 0; y < h; ++y) {
    uint8_t* d = target_.row(y);
    const uint8_t* s = src.row(y);
    if (y < in.top || y >= in.bottom) {
      std::memcpy(d, s, 3 * size_t(w));
    } else {
      std::memcpy(d, s, 3 * size_t(in.left));
      std::memcpy(d + 3 * size_t(in.right), s + 3 * size_t(in.right), 3 * size_t(w - in.right));
    }
  }
}

// What the columns of a copy allow, found once per copy; with a row's
// number of source rows it picks the row's path.
struct Canvas::StretchPlan {
  bool single = true;      // one source column per destination pixel
  bool contiguous = true;  // ... and those columns follow each other in order
  bool reversed = true;    // ... or in reverse order (a mirror at equal size)
  bool windows = false;    // a sideways squeeze made of two windows per pixel
  bool selfCopy = false;   // the source is the target itself
};

// The one place a row's path is chosen; every path writes the pixels the
// reference rule gives (held to it by the tests of every stretch shape).
Canvas::StretchPath Canvas::choosePath(const StretchPlan& plan, int32_t sourceRows) {
  if (plan.contiguous && sourceRows > 1 && !plan.selfCopy) return StretchPath::AndRows;
  if (plan.windows) return StretchPath::Windows;
  if (sourceRows > 1 || !plan.single) return StretchPath::AndWords;
  if (plan.contiguous) return StretchPath::Copy;
  if (plan.reversed) return StretchPath::Reverse;
  return StretchPath::Gather;
}

Canvas::StretchPlan Canvas::planColumns(const Bitmap24& src) {
  StretchPlan plan;
  plan.selfCopy = &src == &target_;
  int32_t most = 0;
  for (size_t i = 0; i < cols_.size(); ++i) {
    if (cols_[i].count != 1) plan.single = false;
    most = std::max(most, cols_[i].count);
    if (cols_[i].first != cols_[0].first + 3 * int32_t(i)) plan.contiguous = false;
    if (cols_[i].first != cols_[0].first - 3 * int32_t(i)) plan.reversed = false;
  }
  plan.contiguous = plan.contiguous && plan.single;
  plan.reversed = plan.reversed && plan.single;
  if (plan.single || plan.selfCopy) return plan;

  // For a sideways squeeze, each destination pixel is the AND of n >= 1
  // neighbouring source pixels, n being k or k + 1 across the row. With L
  // the largest power of two not above k, the ANDs of L neighbours cover any
  // such run as two overlapping windows: the one at its first pixel and the
  // one ending at its last. Those windows are built for the whole row in a
  // few passes (loops the compiler vectorizes), and then every destination
  // pixel takes two words.
  // Where the source rectangle reaches past the source, the runs at its
  // ends are cut short and the counts may spread wider than that; those
  // copies take the general row loop.
  int32_t fewest = most;
  for (const Run& c : cols_) fewest = std::min(fewest, c.count);
  window_ = int32_t(std::bit_floor(uint32_t(fewest)));
  plan.windows = most <= 2 * window_;
  if (!plan.windows) return plan;
  rowRoom_ = 3 * size_t(src.width()) + 8;
  if (merged_.size() < 3 * rowRoom_) merged_.resize(3 * rowRoom_);
  gatherA_.resize(cols_.size());
  gatherB_.resize(cols_.size());
  for (size_t i = 0; i < cols_.size(); ++i) {
    gatherA_[i] = cols_[i].first;
    gatherB_[i] = cols_[i].first + 3 * (cols_[i].count - window_);
  }
  // A gentle squeeze (one or two source pixels each, in order) is mostly
  // runs of pixels copied one to one between the pairs: those go as byte
  // runs, when they are long enough to beat a word per pixel.
  pieces_.clear();
  if (window_ == 1 && cols_.back().first > cols_.front().first) {
    for (size_t i = 0; i < cols_.size();) {
      size_t j = i + 1;
      if (cols_[i].count == 1)
        while (j < cols_.size() && cols_[j].count == 1 && cols_[j].first == cols_[j - 1].first + 3) ++j;
      pieces_.push_back(Piece{int32_t(i), cols_[i].count == 1 ? int32_t(j - i) : 0});
      i = j;
    }
    if (pieces_.size() * 4 > cols_.size()) pieces_.clear();
  }
  return plan;
}

void Canvas::stretchCopy(const Rect& dst, const Bitmap24& src, const Rect& srcRect) {
  Rect area;
  if (!mapStretch(dst, src, srcRect, area)) return;
  const StretchPlan plan = planColumns(src);
  const Run* cols = cols_.data() - area.left;  // indexed by destination x
  const Run* rows = rows_.data() - area.top;   // indexed by destination y
  // A 4-byte load at a pixel reads one byte past it; only the last pixel of
  // the last row can have nothing behind it.
  const bool tight = src.stride() == 3 * size_t(src.width());
  forEachSpan(area, [&](int32_t y, int32_t a, int32_t b, bool sameAbove) {
    const Run& r = rows[y];
    uint8_t* d = target_.row(y);
    if (sameAbove && rows[y - 1].first == r.first && rows[y - 1].count == r.count) {
      // The row above came from the same source rows: copy it.
      std::memcpy(d + 3 * size_t(a), target_.row(y - 1) + 3 * size_t(a), 3 * size_t(b - a));
      return;
    }
    const uint8_t* s = src.row(r.first);
    const bool wide = !(tight && r.first + r.count == src.height());
    switch (choosePath(plan, r.count)) {
      case StretchPath::AndRows:
        andRows(d + 3 * size_t(a), s + cols[a].first, src.stride(), r.count, 3 * size_t(b - a));
        return;
      case StretchPath::Windows:
        squeezeSideways(d, s, src.stride(), r.count, wide, a - area.left, b - area.left, a);
        return;
      case StretchPath::AndWords:
        andRow(d, s, src.stride(), r.count, cols, a, b, wide);
        return;
      case StretchPath::Copy:
        std::memcpy(d + 3 * size_t(a), s + cols[a].first, 3 * size_t(b - a));
        return;
      case StretchPath::Reverse:
        reverseRow(d, s + cols[a].first, a, b, wide);
        return;
      case StretchPath::Gather:
        gatherRow(d, s, cols, a, b, wide);
        return;
    }
  });
}

// One destination row piece of a sideways squeeze: columns [i0, i1) of the
// maps, written from destination pixel x on. The `rows` source rows from s
// are ANDed into a buffer first unless there is just one and a word may be
// read behind its pixels (`wide`), in which case it is read where it is.
void Canvas::squeezeSideways(uint8_t* d, const uint8_t* s, size_t stride, int32_t rows, bool wide, int32_t i0,
                             int32_t i1, int32_t x) {
  const Run& fa = cols_[size_t(i0)];
  const Run& fb = cols_[size_t(i1 - 1)];
  const size_t lo = size_t(std::min(fa.first, fb.first));
  const size_t hi = size_t(std::max(fa.first + 3 * fa.count, fb.first + 3 * fb.count));
  const uint8_t* t = s;
  uint8_t* spare[2] = {merged_.data() + rowRoom_, merged_.data() + 2 * rowRoom_};
  if (rows > 1 || !wide) {
    uint8_t* m = merged_.data();
    std::memcpy(m + lo, s + lo, hi - lo);
    const uint8_t* q = s;
    for (int32_t k = 1; k < rows; ++k) {
      q += stride;
      for (size_t i = lo; i < hi; ++i) m[i] &= q[i];
    }
    t = m;
  }
  // ANDs of j neighbours, valid on [lo, hi - 3 (j - 1)), make those of 2 j.
  for (int32_t j = 1, n = 0; j < window_; j *= 2, n ^= 1) {
    uint8_t* out = spare[n];
    const size_t end = hi - 3 * size_t(2 * j - 1), step = 3 * size_t(j);
    for (size_t i = lo; i < end; ++i) out[i] = t[i] & t[i + step];
    t = out;
  }
  if (!pieces_.empty() && i0 == 0 && size_t(i1) == cols_.size() && window_ == 1) {
    byPieces(d + 3 * size_t(x), t);
    return;
  }
  const int32_t* ga = gatherA_.data() + i0 - x;
  const int32_t* gb = gatherB_.data() + i0 - x;
  const int32_t b = x + (i1 - i0);
  for (; x + 8 <= b; x += 8)
    put8(d + 3 * size_t(x), [&](int32_t i) { return load4(t + ga[x + i]) & load4(t + gb[x + i]); });
  for (; x + 1 < b; ++x) store4(d + 3 * size_t(x), load4(t + ga[x]) & load4(t + gb[x]));
  if (x == b) return;
  // The last pixel bytewise: its word could reach past the source.
  uint8_t* p = d + 3 * size_t(x);
  for (int32_t c = 0; c < 3; ++c) p[c] = t[ga[x] + c] & t[gb[x] + c];
}

// A whole destination row of a gentle squeeze from row t, piece by piece:
// runs copied as bytes, pairs ANDed. A pair's word puts a byte on the next
// piece, which is written after it; the row's last piece is exact.
void Canvas::byPieces(uint8_t* d, const uint8_t* t) const {
  const size_t n = pieces_.size();
  for (size_t k = 0; k < n; ++k) {
    const Piece& pc = pieces_[k];
    uint8_t* p = d + 3 * size_t(pc.first);
    const uint8_t* q = t + cols_[size_t(pc.first)].first;
    if (pc.run > 0) {
      copyBytes(p, q, 3 * size_t(pc.run));
    } else if (k + 1 < n) {
      store4(p, load4(q) & load4(q + 3));
    } else {
      for (int32_t c = 0; c < 3; ++c) p[c] = q[c] & q[c + 3];
    }
  }
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

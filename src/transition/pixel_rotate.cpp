#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "transition/pixel_styles.h"
#include "transition/rotate_rows.h"
#include "transition/under_picture.h"

namespace vorn {

long double rotationAngle(int32_t p) {
  constexpr long double kPi = 3.1415926535897932385L;
  return (long double)(100 - p) * kPi / 200.0L;
}

namespace {

// The exact coordinate: the extended-precision products and difference
// (or sum), rounded to the nearest integer with halves to even.
inline int64_t exactTerm(int64_t a, long double ca, int64_t b, long double cb, bool minus) {
  const long double pa = (long double)a * ca;
  const long double pb = (long double)b * cb;
  return (int64_t)std::nearbyint(minus ? pa - pb : pa + pb);
}

using namespace rotate;

// The fast form of a coordinate: sin and cos as integers in units of 2^-44
// (each off by at most half a unit), so that dx cos - dy sin is an exact
// integer sum and stepping x by one adds the same integer every time, with
// no error building up along a row. With |dx|, |dy| <= 2^16 the sum is
// within 2^17 * 2^-45 = 2^-28 of the extended form, which is itself within
// 2^-45 of the real value of its products. A sum whose fraction lies more
// than kMargin from a half therefore rounds to the same integer as the
// extended form; the few that lie nearer are worked out exactly.
constexpr int64_t kMaxOffset = int64_t(1) << 16;

inline bool nearHalf(int64_t e) { return ((uint64_t(e) + kMargin - kHalf) & kFracMask) < 2 * kMargin; }
// Nearest integer of e (in units of 2^-44) when it is not near a half.
inline int64_t nearest(int64_t e) { return (e + int64_t(kHalf)) >> kFracBits; }

struct Rotation {
  int32_t cx, cy;
  long double s, c;  // extended sin and cos, for the exact form
  int64_t S, C;      // the same in units of 2^-44

  int64_t uAt(int64_t dx, int64_t dy) const {
    const int64_t e = dx * C - dy * S;
    return cx + (nearHalf(e) ? exactTerm(dx, c, dy, s, true) : nearest(e));
  }
  int64_t vAt(int64_t dx, int64_t dy) const {
    const int64_t e = dx * S + dy * C;
    return cy + (nearHalf(e) ? exactTerm(dx, s, dy, c, false) : nearest(e));
  }
};

// Columns [a, b) of row y whose source pixel lies inside the source. The
// rounding and the extended products are monotonic, so u and v are
// monotonic along the row and those pixels form one run; its ends are found
// by bisection on the exact coordinates.
void runOfRow(const Rotation& r, int32_t y, int32_t w, int32_t sw, int32_t sh, int32_t& a, int32_t& b) {
  const int64_t dy = int64_t(y) - r.cy;
  auto firstWhere = [&](auto&& pred) {  // pred false..true along [0, w)
    int32_t lo = 0, hi = w;
    while (lo < hi) {
      const int32_t mid = lo + (hi - lo) / 2;
      if (pred(mid))
        hi = mid;
      else
        lo = mid + 1;
    }
    return lo;
  };
  auto runOf = [&](auto&& at, int64_t limit, int32_t& lo, int32_t& hi) {
    if (at(0) <= at(w - 1)) {
      lo = firstWhere([&](int32_t x) { return at(x) >= 0; });
      hi = firstWhere([&](int32_t x) { return at(x) >= limit; });
    } else {
      lo = firstWhere([&](int32_t x) { return at(x) < limit; });
      hi = firstWhere([&](int32_t x) { return at(x) < 0; });
    }
  };
  int32_t ua, ub, va, vb;
  runOf([&](int32_t x) { return r.uAt(int64_t(x) - r.cx, dy); }, sw, ua, ub);
  if (ua >= ub) {
    a = b = 0;
    return;
  }
  runOf([&](int32_t x) { return r.vAt(int64_t(x) - r.cx, dy); }, sh, va, vb);
  a = std::max(ua, va);
  b = std::max(a, std::min(ub, vb));
}

// The plain per-pixel form, for pivots so far from the picture that the
// integer sums could lose their margin.
void rotatePlain(Bitmap24& target, const Bitmap24& source, const Rotation& r, int32_t w, int32_t h) {
  for (int32_t y = 0; y < h; ++y) {
    const int64_t dy = int64_t(y) - r.cy;
    uint8_t* t = target.row(y);
    for (int32_t x = 0; x < w; ++x) {
      const int64_t dx = int64_t(x) - r.cx;
      const int64_t u = r.cx + exactTerm(dx, r.c, dy, r.s, true);
      const int64_t v = r.cy + exactTerm(dx, r.s, dy, r.c, false);
      if (u < 0 || u >= source.width() || v < 0 || v >= source.height()) continue;
      std::memcpy(t + 3 * size_t(x), source.row(int32_t(v)) + 3 * size_t(u), 3);
    }
  }
}

// The picture is copied in tiles: the rows of a tile read a band of the
// source about a tile wide at the angle, which stays in the caches from one
// row to the next; whole rows at once would walk across thousands of source
// rows (and pages) for every target row at the steep angles. 64 pixels are
// 192 bytes, whole cache lines, so neighbouring tiles do not share lines of
// a target row.
constexpr int32_t kTileWidth = 64, kTileHeight = 64;

CopyFn widestCopy() { return haveAvx512() ? copyAvx512 : haveAvx2() ? copyAvx2 : copyPlain; }

}  // namespace

void RotateImage(Bitmap24& target, const Bitmap24& source, int32_t cx, int32_t cy, long double theta,
                 const Bitmap24* under) {
  // The old picture goes only where no source pixel will.
  under = readableUnder(target, source, under);
  const int32_t w = std::min(target.width(), source.width());
  const int32_t h = std::min(target.height(), source.height());
  if (w <= 0 || h <= 0) return;
  const int32_t sw = source.width(), sh = source.height();
  Rotation r{cx, cy, std::sin(theta), std::cos(theta), 0, 0};
  const bool nearPivot = std::max(std::abs(int64_t(cx)), std::abs(int64_t(w) - 1 - cx)) <= kMaxOffset &&
                         std::max(std::abs(int64_t(cy)), std::abs(int64_t(h) - 1 - cy)) <= kMaxOffset;
  if (!nearPivot) {
    if (under) target = *under;
    return rotatePlain(target, source, r, w, h);
  }
  r.S = (int64_t)std::llrint(std::ldexp(r.s, kFracBits));
  r.C = (int64_t)std::llrint(std::ldexp(r.c, kFracBits));

  std::vector<int32_t> runs(2 * size_t(h));
  int32_t first = w, last = 0;
  for (int32_t y = 0; y < h; ++y) {
    runOfRow(r, y, w, sw, sh, runs[2 * size_t(y)], runs[2 * size_t(y) + 1]);
    if (runs[2 * size_t(y)] < runs[2 * size_t(y) + 1]) {
      first = std::min(first, runs[2 * size_t(y)]);
      last = std::max(last, runs[2 * size_t(y) + 1]);
    }
  }

  if (under)
    for (int32_t y = 0; y < h; ++y) {
      const int32_t a = runs[2 * size_t(y)], b = std::max(a, runs[2 * size_t(y) + 1]);
      uint8_t* t = target.row(y);
      const uint8_t* o = under->row(y);
      if (a >= b) {
        std::memcpy(t, o, 3 * size_t(w));
        continue;
      }
      std::memcpy(t, o, 3 * size_t(a));
      std::memcpy(t + 3 * size_t(b), o + 3 * size_t(b), 3 * size_t(w - b));
    }

  // Each coordinate is kept with the pivot and a half added, so that its
  // integer part is the rounded coordinate itself and "near a half" becomes
  // "near an integer".
  const int64_t uBias = int64_t(cx) * kOne + int64_t(kHalf), vBias = int64_t(cy) * kOne + int64_t(kHalf);
  const Segment run{source.data(), int64_t(source.stride()), int64_t(source.sizeBytes()) - 4, r.C, r.S};
  static const CopyFn copy = widestCopy();
  for (int32_t ys = 0; ys < h; ys += kTileHeight)
    for (int32_t xs = first; xs < last; xs += kTileWidth) {
      const int32_t xe = std::min(last, xs + kTileWidth), ye = std::min(h, ys + kTileHeight);
      for (int32_t y = ys; y < ye; ++y) {
        const int32_t a = std::max(xs, runs[2 * size_t(y)]), b = std::min(xe, runs[2 * size_t(y) + 1]);
        if (a >= b) continue;
        const int64_t dy = int64_t(y) - cy;
        uint8_t* row = target.row(y);
        int32_t x = a;
        while (x < b) {
          const int64_t dx = int64_t(x) - cx;
          const int64_t eu = dx * r.C - dy * r.S + uBias, ev = dx * r.S + dy * r.C + vBias;
          x = copy(run, row + 3 * size_t(x), eu, ev, x, b);
          if (x == b) break;
          // Near a half: the exact form decides this pixel.
          const int64_t u = r.uAt(int64_t(x) - cx, dy), v = r.vAt(int64_t(x) - cx, dy);
          std::memcpy(row + 3 * size_t(x), source.row(int32_t(v)) + 3 * size_t(u), 3);
          ++x;
        }
      }
    }
}

}  // namespace vorn

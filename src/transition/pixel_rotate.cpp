#include <algorithm>
#include <cmath>
#include <cstring>

#include "transition/pixel_styles.h"

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

// The fast estimate in double, away from the extended result by far less
// than kMargin: |dx|, |dy| < 2^16, so the double forms of sin and cos (off by
// at most 2^-54 of themselves), the two roundings of the products and the one
// of the difference add up to well under 2^-33; with the shift below and the
// steps along a block (see RotateImage) it stays under 2^-29. When the estimate lies within kMargin of a half, the rounding
// could go either way and the exact form decides; otherwise both round to
// the same integer. The result is therefore the exact formula's, pixel for
// pixel (the tests compare whole frames with a plain extended version).
constexpr double kMargin = 1.0 / 1048576.0;  // 2^-20
constexpr double kShift = 262144.0;            // 2^18 > any |coordinate| + 1
constexpr int32_t kBlock = 64;

// Nearest integer of e, or false when e is too close to a half to say.
inline bool roundSure(double e, int64_t& out) {
  const double t = e + kShift;  // positive, so truncation is floor
  const int64_t i = (int64_t)t;
  const double frac = t - (double)i;
  if (std::fabs(frac - 0.5) < kMargin) return false;
  out = i - (int64_t)kShift + (frac > 0.5 ? 1 : 0);
  return true;
}

}  // namespace

void RotateImage(Bitmap24& target, const Bitmap24& source, int32_t cx, int32_t cy, long double theta) {
  const int32_t w = std::min(target.width(), source.width());
  const int32_t h = std::min(target.height(), source.height());
  if (w <= 0 || h <= 0) return;
  const int32_t sw = source.width(), sh = source.height();
  const long double s = std::sin(theta), c = std::cos(theta);
  const double sd = (double)s, cd = (double)c;
  for (int32_t y = 0; y < h; ++y) {
    const int64_t dy = int64_t(y) - cy;
    const double uRow = double(dy) * sd, vRow = double(dy) * cd;
    // The exact coordinates of pixel x of this row.
    auto uAt = [&](int32_t x) {
      const int64_t dx = int64_t(x) - cx;
      int64_t r;
      if (!roundSure(double(dx) * cd - uRow, r)) r = exactTerm(dx, c, dy, s, true);
      return cx + r;
    };
    auto vAt = [&](int32_t x) {
      const int64_t dx = int64_t(x) - cx;
      int64_t r;
      if (!roundSure(double(dx) * sd + vRow, r)) r = exactTerm(dx, s, dy, c, false);
      return cy + r;
    };
    // Rounding and the extended products are monotonic, so u and v are
    // monotonic along the row and the pixels that find a source pixel form
    // one run; find its ends by bisection on the exact coordinates.
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
    auto runOf = [&](auto&& at, int64_t limit, int32_t& a, int32_t& b) {
      if (at(0) <= at(w - 1)) {
        a = firstWhere([&](int32_t x) { return at(x) >= 0; });
        b = firstWhere([&](int32_t x) { return at(x) >= limit; });
      } else {
        a = firstWhere([&](int32_t x) { return at(x) < limit; });
        b = firstWhere([&](int32_t x) { return at(x) < 0; });
      }
    };
    int32_t ua, ub, va, vb;
    runOf(uAt, sw, ua, ub);
    if (ua >= ub) continue;
    runOf(vAt, sh, va, vb);
    const int32_t x0 = std::max(ua, va), x1 = std::min(ub, vb);
    uint8_t* t = target.row(y);
    const uint8_t* src = source.data();
    const size_t stride = source.stride();
    for (int32_t xb = x0; xb < x1; xb += kBlock) {
      // Estimates stepped along the block from an exact start: each step
      // adds at most 2^-36 of error, a block at most 2^-30 in all.
      const int32_t xe = std::min(x1, xb + kBlock);
      double eu = double(int64_t(xb) - cx) * cd - uRow;
      double ev = double(int64_t(xb) - cx) * sd + vRow;
      for (int32_t x = xb; x < xe; ++x, eu += cd, ev += sd) {
        int64_t ru, rv;
        if (!roundSure(eu, ru) || !roundSure(ev, rv)) {
          const int64_t dx = int64_t(x) - cx;
          ru = exactTerm(dx, c, dy, s, true);
          rv = exactTerm(dx, s, dy, c, false);
        }
        const uint8_t* q = src + size_t(cy + rv) * stride + 3 * size_t(cx + ru);
        uint8_t* d = t + 3 * size_t(x);
        d[0] = q[0];
        d[1] = q[1];
        d[2] = q[2];
      }
    }
  }
}

}  // namespace vorn

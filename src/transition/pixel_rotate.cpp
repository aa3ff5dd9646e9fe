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
// of the difference add up to well under 2^-33; with the shift below it stays
// under 2^-30. When the estimate lies within kMargin of a half, the rounding
// could go either way and the exact form decides; otherwise both round to
// the same integer. The result is therefore the exact formula's, pixel for
// pixel (the tests compare whole frames with a plain extended version).
constexpr double kMargin = 1.0 / 1048576.0;  // 2^-20
constexpr double kShift = 262144.0;            // 2^18 > any |coordinate| + 1

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
  const long double s = std::sin(theta), c = std::cos(theta);
  const double sd = (double)s, cd = (double)c;
  for (int32_t y = 0; y < h; ++y) {
    const int64_t dy = int64_t(y) - cy;
    const double uRow = double(dy) * sd, vRow = double(dy) * cd;
    uint8_t* t = target.row(y);
    for (int32_t x = 0; x < w; ++x) {
      const int64_t dx = int64_t(x) - cx;
      const double dxd = double(dx);
      int64_t ru, rv;
      if (!roundSure(dxd * cd - uRow, ru)) ru = exactTerm(dx, c, dy, s, true);
      const int64_t u = cx + ru;
      if (u < 0 || u >= source.width()) continue;
      if (!roundSure(dxd * sd + vRow, rv)) rv = exactTerm(dx, s, dy, c, false);
      const int64_t v = cy + rv;
      if (v < 0 || v >= source.height()) continue;
      const uint8_t* q = source.row(int32_t(v)) + 3 * size_t(u);
      uint8_t* d = t + 3 * size_t(x);
      d[0] = q[0];
      d[1] = q[1];
      d[2] = q[2];
    }
  }
}

}  // namespace vorn

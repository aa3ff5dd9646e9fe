// Separable resampling in two passes per output row:
//  1. vertical: the source rows that cover the output row are summed with
//     16-bit weights into one row of 16-bit sums (Q7: value * 128),
//  2. horizontal: each output pixel sums its columns of that row with
//     Q14 weights into 32-bit totals, rounded back to 8 bits.
// Weights along a shrinking axis are the exact coverage of each source pixel
// by the output pixel's footprint (area averaging); along a growing axis the
// two nearest source pixels by their distance from the output pixel's centre
// (bilinear). The weights of one output pixel sum to exactly the fixed-point
// one, so a flat colour comes out unchanged.
//
// The vertical pass computes ((p << 8) * w) >> 16 per tap, which is what
// SSE2's unsigned high multiply gives for sixteen bytes at once; the scalar
// path below computes the same integers, so both paths agree bit for bit.
#include "codecs/scale.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <system_error>
#include <thread>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define VORN_SCALE_SSE2 1
#endif

namespace vorn {
namespace {

constexpr int kVTotal = 65535;  // vertical weights: Q16, largest that fits 16 bits
constexpr int kHBits = 14;      // horizontal weights: Q14
constexpr int kHTotal = 1 << kHBits;
constexpr int kShift = 7 + kHBits;  // Q7 sums times Q14 weights

// The taps of every output pixel along one axis, `taps` per pixel (padded
// with zero weights); the first tap's source index is `start[i]`.
struct AxisTable {
  int taps = 0;
  std::vector<int32_t> start;
  std::vector<int32_t> weight;  // outputs * taps
};

// Output pixels [o0, o1) of an axis of `dstLen` pixels over `srcLen` source pixels.
AxisTable makeAxis(int32_t srcLen, int64_t dstLen, int32_t o0, int32_t o1, int total, int padTo) {
  AxisTable t;
  const bool shrink = srcLen > dstLen;
  const double scale = double(srcLen) / double(dstLen);
  int taps = shrink ? int(std::ceil(scale)) + 1 : 2;
  taps = std::min(taps, int(srcLen));
  taps = (taps + padTo - 1) / padTo * padTo;
  t.taps = taps;
  const int n = o1 - o0;
  t.start.resize(size_t(n));
  t.weight.assign(size_t(n) * size_t(taps), 0);
  std::vector<double> w(static_cast<size_t>(taps));
  for (int k = 0; k < n; ++k) {
    const int64_t i = o0 + k;
    std::fill(w.begin(), w.end(), 0.0);
    int32_t first;
    if (shrink) {
      const double a = double(i) * scale, b = double(i + 1) * scale;
      first = std::clamp(int32_t(std::floor(a)), int32_t(0), srcLen - 1);
      const int32_t s0 = std::min<int32_t>(first, std::max(0, srcLen - taps));
      for (int j = 0; j < taps; ++j) {
        const double lo = std::max(a, double(s0 + j)), hi = std::min(b, double(s0 + j + 1));
        if (hi > lo && s0 + j < srcLen) w[size_t(j)] = (hi - lo) / scale;
      }
      first = s0;
    } else {
      double c = (double(i) + 0.5) * scale - 0.5;
      c = std::clamp(c, 0.0, double(srcLen - 1));
      const int32_t j0 = int32_t(std::floor(c));
      const double f = c - j0;
      first = std::min<int32_t>(j0, std::max(0, srcLen - taps));
      w[size_t(j0 - first)] += 1.0 - f;
      if (f > 0 && j0 + 1 < srcLen) w[size_t(j0 + 1 - first)] += f;
    }
    t.start[size_t(k)] = first;
    // Round each weight, then give the remainder to the largest so the
    // weights sum to exactly `total`.
    int32_t* q = &t.weight[size_t(k) * size_t(taps)];
    int sum = 0, big = 0;
    double wsum = 0;
    for (int j = 0; j < taps; ++j) wsum += w[size_t(j)];
    for (int j = 0; j < taps; ++j) {
      q[j] = int32_t(std::lround(w[size_t(j)] / wsum * total));
      sum += q[j];
      if (q[j] > q[big]) big = j;
    }
    q[big] += total - sum;
  }
  return t;
}

struct Plan {
  Rect vis;           // visible part of dest, in dst coordinates
  AxisTable h, v;     // tables for the visible columns and rows
  int32_t col0 = 0, col1 = 0;  // source columns any visible pixel reads
};

bool makePlan(const Bitmap24& src, const Bitmap24& dst, const Rect& dest, Plan& p) {
  if (src.empty() || dst.empty()) return false;
  const int64_t dw = int64_t(dest.right) - dest.left, dh = int64_t(dest.bottom) - dest.top;
  if (dw <= 0 || dh <= 0) return false;
  p.vis = intersect(dest, Rect{0, 0, dst.width(), dst.height()});
  if (p.vis.empty()) return false;
  p.h = makeAxis(src.width(), dw, int32_t(int64_t(p.vis.left) - dest.left),
                 int32_t(int64_t(p.vis.right) - dest.left), kHTotal, 2);
  p.v = makeAxis(src.height(), dh, int32_t(int64_t(p.vis.top) - dest.top),
                 int32_t(int64_t(p.vis.bottom) - dest.top), kVTotal, 1);
  p.col0 = p.h.start.front();
  p.col1 = 0;
  for (int32_t s : p.h.start) p.col1 = std::max(p.col1, s + p.h.taps);
  p.col1 = std::min(p.col1, src.width());
  return true;
}

// acc[i] = (sum over taps of ((row[i] << 8) * w) >> 16) >> 1, for bytes [b0, b1).
void verticalScalar(const Bitmap24& src, const int32_t* w, int taps, int32_t first, size_t b0,
                    size_t b1, uint16_t* acc) {
  std::fill(acc + b0, acc + b1, uint16_t(0));
  for (int t = 0; t < taps; ++t) {
    if (w[t] == 0) continue;
    const uint8_t* s = src.row(first + t);
    const uint32_t wt = uint32_t(w[t]);
    for (size_t i = b0; i < b1; ++i) acc[i] = uint16_t(acc[i] + ((uint32_t(s[i]) << 8) * wt >> 16));
  }
  for (size_t i = b0; i < b1; ++i) acc[i] >>= 1;
}

void horizontalScalar(const Plan& p, const uint16_t* acc, uint8_t* out) {
  const int taps = p.h.taps;
  const int n = p.vis.width();
  for (int k = 0; k < n; ++k) {
    const int32_t* w = &p.h.weight[size_t(k) * size_t(taps)];
    const uint16_t* a = acc + size_t(p.h.start[size_t(k)]) * 3;
    int32_t s0 = 0, s1 = 0, s2 = 0;
    for (int t = 0; t < taps; ++t, a += 3) {
      s0 += int32_t(a[0]) * w[t];
      s1 += int32_t(a[1]) * w[t];
      s2 += int32_t(a[2]) * w[t];
    }
    const int32_t r = 1 << (kShift - 1);
    out[3 * k] = uint8_t(std::min(255, (s0 + r) >> kShift));
    out[3 * k + 1] = uint8_t(std::min(255, (s1 + r) >> kShift));
    out[3 * k + 2] = uint8_t(std::min(255, (s2 + r) >> kShift));
  }
}

#ifdef VORN_SCALE_SSE2
// The taps with a weight, as row pointers and broadcast weights.
// __m128i in a struct for containers. Always read with loadu: 32-bit MinGW's
// heap gives 8-byte alignment whatever the type asks for.
struct Vec {
  __m128i v;
};

struct VerticalTaps {
  std::vector<const uint8_t*> rows;
  std::vector<Vec> weights;
};

void verticalSse2(const Bitmap24& src, const int32_t* w, int taps, int32_t first, size_t b0,
                  size_t b1, uint16_t* acc, VerticalTaps& vt) {
  vt.rows.clear();
  vt.weights.clear();
  for (int t = 0; t < taps; ++t)
    if (w[t] != 0) {
      vt.rows.push_back(src.row(first + t));
      vt.weights.push_back(Vec{_mm_set1_epi16(int16_t(uint16_t(w[t])))});
    }
  const size_t n = vt.rows.size();
  const uint8_t* const* rows = vt.rows.data();
  const Vec* wv = vt.weights.data();
  const size_t vecEnd = b0 + (b1 - b0) / 16 * 16;
  const __m128i zero = _mm_setzero_si128();
  // Sixteen bytes at a time, all taps, so the sums stay in registers.
  for (size_t i = b0; i < vecEnd; i += 16) {
    __m128i lo = zero, hi = zero;
    for (size_t t = 0; t < n; ++t) {
      const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[t] + i));
      lo = _mm_add_epi16(lo, _mm_mulhi_epu16(_mm_unpacklo_epi8(zero, px), _mm_loadu_si128(&wv[t].v)));
      hi = _mm_add_epi16(hi, _mm_mulhi_epu16(_mm_unpackhi_epi8(zero, px), _mm_loadu_si128(&wv[t].v)));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(acc + i), _mm_srli_epi16(lo, 1));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(acc + i + 8), _mm_srli_epi16(hi, 1));
  }
  if (vecEnd < b1) verticalScalar(src, w, taps, first, vecEnd, b1, acc);
}

inline void storePixel(uint8_t* out, __m128i sum, bool last) {
  sum = _mm_srai_epi32(sum, kShift);
  const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(sum, sum), sum);
  const uint32_t v = uint32_t(_mm_cvtsi128_si32(bytes));
  if (!last) {
    std::memcpy(out, &v, 4);  // the fourth byte is the next pixel's, written next
  } else {
    out[0] = uint8_t(v), out[1] = uint8_t(v >> 8), out[2] = uint8_t(v >> 16);
  }
}

// `Pairs` taps pairs per output pixel; 0 means "read it from the table".
template <int Pairs>
void horizontalSse2(const Plan& p, const uint16_t* acc, uint8_t* out, const Vec* wp) {
  const int pairs = Pairs ? Pairs : p.h.taps / 2;
  const int n = p.vis.width();
  const __m128i round = _mm_set1_epi32(1 << (kShift - 1));
  const int32_t* start = p.h.start.data();
  for (int k = 0; k < n; ++k, wp += pairs) {
    const uint16_t* a = acc + size_t(start[k]) * 3;
    __m128i sum = round;
    for (int t = 0; t < pairs; ++t, a += 6) {
      const __m128i pa = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(a));
      const __m128i pb = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(a + 3));
      sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_unpacklo_epi16(pa, pb), _mm_loadu_si128(&wp[t].v)));
    }
    storePixel(out + 3 * k, sum, k + 1 == n);
  }
}

void horizontalSse2Any(const Plan& p, const uint16_t* acc, uint8_t* out, const Vec* wp) {
  switch (p.h.taps / 2) {
    case 1: return horizontalSse2<1>(p, acc, out, wp);
    case 2: return horizontalSse2<2>(p, acc, out, wp);
    case 3: return horizontalSse2<3>(p, acc, out, wp);
    case 4: return horizontalSse2<4>(p, acc, out, wp);
    default: return horizontalSse2<0>(p, acc, out, wp);
  }
}
#endif

// Output rows [y0, y1) of the plan.
void stretchRows(const Plan& p, const Bitmap24& src, Bitmap24& dst, int32_t y0, int32_t y1, bool simd,
                 const void* pairsData) {
  const size_t b0 = size_t(p.col0) * 3, b1 = size_t(p.col1) * 3;
  // Padding: the SIMD horizontal pass reads one sample past a pixel, and a
  // zero-weight tap may sit one pixel past the last column.
  std::vector<uint16_t> acc(size_t(src.width()) * 3 + 16, 0);
#ifdef VORN_SCALE_SSE2
  VerticalTaps vt;
  const Vec* pairs = static_cast<const Vec*>(pairsData);
#endif
  for (int32_t y = y0; y < y1; ++y) {
    const size_t k = size_t(y - p.vis.top);
    const int32_t* w = &p.v.weight[k * size_t(p.v.taps)];
    uint8_t* out = dst.row(y) + size_t(p.vis.left) * 3;
#ifdef VORN_SCALE_SSE2
    if (simd) {
      verticalSse2(src, w, p.v.taps, p.v.start[k], b0, b1, acc.data(), vt);
      horizontalSse2Any(p, acc.data(), out, pairs);
      continue;
    }
#endif
    verticalScalar(src, w, p.v.taps, p.v.start[k], b0, b1, acc.data());
    horizontalScalar(p, acc.data(), out);
  }
}

// Large pictures are done in two halves, the lower one on a second thread:
// the work is one pass over memory and splits evenly.
constexpr int64_t kSplitSourcePixels = 2'000'000;

void stretch(const Bitmap24& src, Bitmap24& dst, const Rect& dest, bool simd) {
  Plan p;
  if (!makePlan(src, dst, dest, p)) return;
  const void* pairsData = nullptr;
#ifdef VORN_SCALE_SSE2
  std::vector<Vec> pairs;
  if (simd) {
    const size_t n = p.h.start.size(), half = size_t(p.h.taps / 2);
    pairs.resize(n * half);
    for (size_t k = 0; k < n; ++k)
      for (size_t j = 0; j < half; ++j) {
        const int32_t* w = &p.h.weight[k * size_t(p.h.taps) + 2 * j];
        pairs[k * half + j].v =
            _mm_set1_epi32(int32_t(uint32_t(uint16_t(w[0])) | (uint32_t(uint16_t(w[1])) << 16)));
      }
    pairsData = pairs.data();
  }
#endif
  const int32_t rows = p.vis.height();
  const int64_t work = int64_t(src.width()) * src.height() + int64_t(p.vis.width()) * rows;
  if (simd && rows >= 64 && work >= kSplitSourcePixels) {
    const int32_t mid = p.vis.top + rows / 2;
    std::thread lower;
    try {
      lower = std::thread([&] {
        try {
          stretchRows(p, src, dst, mid, p.vis.bottom, simd, pairsData);
        } catch (...) {
          // Only the row buffer can fail to allocate; those rows stay as they were.
        }
      });
    } catch (const std::system_error&) {
      // No thread to be had: all rows on this one, below.
    }
    if (lower.joinable()) {
      struct Join {
        std::thread& t;
        ~Join() { t.join(); }
      } join{lower};
      stretchRows(p, src, dst, p.vis.top, mid, simd, pairsData);
      return;
    }
  }
  stretchRows(p, src, dst, p.vis.top, p.vis.bottom, simd, pairsData);
}

}  // namespace

void stretchHighQuality(const Bitmap24& src, Bitmap24& dst, const Rect& dest) {
  stretch(src, dst, dest, true);
}

namespace codecs {
void stretchHighQualityReference(const Bitmap24& src, Bitmap24& dst, const Rect& dest) {
  stretch(src, dst, dest, false);
}
}  // namespace codecs

}  // namespace vorn

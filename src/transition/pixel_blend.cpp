#include <algorithm>
#include <cstring>

#include "transition/pixel_styles.h"
#include "transition/under_picture.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vorn {

namespace {

// v div 100 for 0 <= v <= 25500 as (v * 5243) >> 19: 5243 / 2^19 exceeds
// 1/100 by less than 1/(100 * 25500 * 100), so the quotient never reaches
// the next integer in that range (the tests check every value).
constexpr uint32_t kDiv100Mul = 5243;

#if defined(__SSE2__)
// Sixteen bytes at once, in 16-bit lanes: the products fit (at most 25500)
// and the high half of the multiply by 5243, shifted by three, is the
// quotient.
inline __m128i blend16(__m128i t, __m128i s, __m128i keep, __m128i take) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i mul = _mm_set1_epi16(short(kDiv100Mul));
  auto half = [&](__m128i tv, __m128i sv) {
    const __m128i a = _mm_srli_epi16(_mm_mulhi_epu16(_mm_mullo_epi16(tv, keep), mul), 3);
    const __m128i b = _mm_srli_epi16(_mm_mulhi_epu16(_mm_mullo_epi16(sv, take), mul), 3);
    return _mm_add_epi16(a, b);
  };
  const __m128i lo = half(_mm_unpacklo_epi8(t, zero), _mm_unpacklo_epi8(s, zero));
  const __m128i hi = half(_mm_unpackhi_epi8(t, zero), _mm_unpackhi_epi8(s, zero));
  return _mm_packus_epi16(lo, hi);
}
#endif

}  // namespace

void BlendImages(Bitmap24& target, const Bitmap24& source, int32_t p, const Bitmap24* under) {
  p = std::clamp(p, 0, 100);
  under = readableUnder(target, source, under);
  if (p == 0) {
    if (under) target = *under;
    return;
  }
  const int32_t w = std::min(target.width(), source.width());
  const int32_t h = std::min(target.height(), source.height());
  if (w <= 0 || h <= 0) return;
  // The rest of a row, bytewise from two tables made for this frame.
  uint8_t keepOf[256], takeOf[256];
  for (uint32_t v = 0; v < 256; ++v) {
    keepOf[v] = uint8_t(v * uint32_t(100 - p) / 100);
    takeOf[v] = uint8_t(uint32_t(p) * v / 100);
  }
  const size_t bytes = size_t(w) * 3;
#if defined(__SSE2__)
  const __m128i keep = _mm_set1_epi16(short(100 - p)), take = _mm_set1_epi16(short(p));
#endif
  for (int32_t y = 0; y < h; ++y) {
    uint8_t* t = target.row(y);
    const uint8_t* o = under ? under->row(y) : t;
    const uint8_t* s = source.row(y);
    size_t i = 0;
#if defined(__SSE2__)
    for (; i + 16 <= bytes; i += 16) {
      const __m128i tv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(o + i));
      const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(t + i), blend16(tv, sv, keep, take));
    }
#endif
    for (; i < bytes; ++i) t[i] = uint8_t(keepOf[o[i]] + takeOf[s[i]]);
  }
}

}  // namespace vorn

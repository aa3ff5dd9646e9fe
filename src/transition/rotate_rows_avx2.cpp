#include <immintrin.h>

#include "transition/rotate_rows.h"

namespace vorn::rotate {

// Everything below may use AVX2; nothing here runs unless haveAvx2().
#pragma GCC push_options
#pragma GCC target("avx2")

namespace {

// A biased coordinate lies too near a rounding edge to trust: no fraction
// bit at or above 2 kMargin is set in e + kMargin.
inline __m256i unsure(__m256i e) {
  const __m256i margin = _mm256_set1_epi64x(int64_t(kMargin));
  const __m256i sureBits = _mm256_set1_epi64x(int64_t(kFracMask & ~(2 * kMargin - 1)));
  return _mm256_cmpeq_epi64(_mm256_and_si256(_mm256_add_epi64(e, margin), sureBits), _mm256_setzero_si256());
}

inline __m256i offsets(__m256i u, __m256i v, __m256i stride) {
  return _mm256_add_epi64(_mm256_mul_epu32(_mm256_srli_epi64(v, kFracBits), stride),
                          _mm256_mul_epu32(_mm256_srli_epi64(u, kFracBits), _mm256_set1_epi64x(3)));
}

}  // namespace

int32_t copyAvx2(const Segment& g, uint8_t* d, int64_t eu, int64_t ev, int32_t x, int32_t b) {
  // Pixels x .. x+3 in one register, x+4 .. x+7 in the other; the small
  // multiples of the steps are exact integer sums.
  __m256i u0 = _mm256_set_epi64x(eu + 3 * g.C, eu + 2 * g.C, eu + g.C, eu);
  __m256i v0 = _mm256_set_epi64x(ev + 3 * g.S, ev + 2 * g.S, ev + g.S, ev);
  const __m256i c4 = _mm256_set1_epi64x(4 * g.C), s4 = _mm256_set1_epi64x(4 * g.S);
  const __m256i c8 = _mm256_set1_epi64x(8 * g.C), s8 = _mm256_set1_epi64x(8 * g.S);
  const __m256i stride = _mm256_set1_epi64x(g.stride);
  const __m256i wordEnd = _mm256_set1_epi64x(g.wordEnd);
  // Four pixels of each word group packed into its low twelve bytes.
  const __m128i pack = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
  const int* src = reinterpret_cast<const int*>(g.src);
  Lookahead ahead(g, eu, ev);

  for (; x + 8 <= b; x += 8, d += 24) {
    const __m256i u1 = _mm256_add_epi64(u0, c4), v1 = _mm256_add_epi64(v0, s4);
    const __m256i offA = offsets(u0, v0, stride), offB = offsets(u1, v1, stride);
    const __m256i bad = _mm256_or_si256(
        _mm256_or_si256(_mm256_or_si256(unsure(u0), unsure(v0)), _mm256_or_si256(unsure(u1), unsure(v1))),
        _mm256_or_si256(_mm256_cmpgt_epi64(offA, wordEnd), _mm256_cmpgt_epi64(offB, wordEnd)));
    if (!_mm256_testz_si256(bad, bad)) break;
    ahead.next8(g);
    const __m128i pa = _mm_shuffle_epi8(_mm256_i64gather_epi32(src, offA, 1), pack);
    const __m128i pb = _mm_shuffle_epi8(_mm256_i64gather_epi32(src, offB, 1), pack);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_or_si128(pa, _mm_slli_si128(pb, 12)));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(d + 16), _mm_srli_si128(pb, 4));
    u0 = _mm256_add_epi64(u0, c8);
    v0 = _mm256_add_epi64(v0, s8);
    eu += 8 * g.C;
    ev += 8 * g.S;
  }
  return copyPlain(g, d, eu, ev, x, b);
}

#pragma GCC pop_options

}  // namespace vorn::rotate

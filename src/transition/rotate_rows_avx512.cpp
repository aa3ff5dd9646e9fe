#include <immintrin.h>

#include "transition/rotate_rows.h"

namespace vorn::rotate {

// Everything below may use AVX-512; nothing here runs unless haveAvx512().
#pragma GCC push_options
#pragma GCC target("avx512f")
// GCC 12's own AVX-512 headers trip this warning through their undefined
// pass-through operands.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

int32_t copyAvx512(const Segment& g, uint8_t* d, int64_t eu, int64_t ev, int32_t x, int32_t b) {
  // Lane i holds e + i step; the small multiples are exact integer products.
  const __m512i lane = _mm512_setr_epi64(0, 1, 2, 3, 4, 5, 6, 7);
  __m512i u = _mm512_add_epi64(_mm512_set1_epi64(eu), _mm512_mullox_epi64(lane, _mm512_set1_epi64(g.C)));
  __m512i v = _mm512_add_epi64(_mm512_set1_epi64(ev), _mm512_mullox_epi64(lane, _mm512_set1_epi64(g.S)));
  const __m512i u8 = _mm512_set1_epi64(8 * g.C), v8 = _mm512_set1_epi64(8 * g.S);
  const __m512i margin = _mm512_set1_epi64(int64_t(kMargin));
  // sure(e) is "some fraction bit at or above 2 kMargin is set in e + kMargin".
  const __m512i sureBits = _mm512_set1_epi64(int64_t(kFracMask & ~(2 * kMargin - 1)));
  const __m512i stride = _mm512_set1_epi64(g.stride), three = _mm512_set1_epi64(3);
  const __m512i wordEnd = _mm512_set1_epi64(g.wordEnd);
  // Four pixels of each 128-bit half packed into its low twelve bytes, then
  // the two halves' twelve bytes side by side.
  const __m256i pack = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1,  //
                                        0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
  const __m256i join = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7);
  Lookahead ahead(g, eu, ev);

  for (; x + 8 <= b; x += 8, d += 24) {
    const __mmask8 unsure = _mm512_testn_epi64_mask(_mm512_add_epi64(u, margin), sureBits) |
                            _mm512_testn_epi64_mask(_mm512_add_epi64(v, margin), sureBits);
    const __m512i off = _mm512_add_epi64(_mm512_mul_epu32(_mm512_srli_epi64(v, kFracBits), stride),
                                         _mm512_mul_epu32(_mm512_srli_epi64(u, kFracBits), three));
    if (unsure | _mm512_cmpgt_epi64_mask(off, wordEnd)) break;
    ahead.next8(g);
    const __m256i words = _mm512_i64gather_epi32(off, reinterpret_cast<const int*>(g.src), 1);
    const __m256i px = _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(words, pack), join);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm256_castsi256_si128(px));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(d + 16), _mm256_extracti128_si256(px, 1));
    u = _mm512_add_epi64(u, u8);
    v = _mm512_add_epi64(v, v8);
    eu += 8 * g.C;
    ev += 8 * g.S;
  }
  return copyPlain(g, d, eu, ev, x, b);
}

#pragma GCC pop_options

}  // namespace vorn::rotate

#pragma once
// Short byte copies for code that cuts rows into many small pieces (masks,
// gentle squeezes): a piece is moved as at most two overlapping words of a
// fixed size instead of a call with a variable length.
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vorn {

// n bytes, W <= n <= 2W, as two moves of W bytes: the first W and the
// last W (which overlap unless n = 2W).
template <size_t W>
inline void twoMoves(uint8_t* d, const uint8_t* s, size_t n) {
  uint8_t first[W], last[W];
  std::memcpy(first, s, W);
  std::memcpy(last, s + n - W, W);
  std::memcpy(d, first, W);
  std::memcpy(d + n - W, last, W);
}

// n bytes from s to d (which do not overlap).
inline void copyBytes(uint8_t* d, const uint8_t* s, size_t n) {
  if (n >= 32)
    std::memcpy(d, s, n);
  else if (n >= 16)
    twoMoves<16>(d, s, n);
  else if (n >= 8)
    twoMoves<8>(d, s, n);
  else if (n >= 4)
    twoMoves<4>(d, s, n);
  else
    for (size_t i = 0; i < n; ++i) d[i] = s[i];
}

}  // namespace vorn

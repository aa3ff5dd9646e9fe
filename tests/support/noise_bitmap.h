#pragma once
// A bitmap of seeded random bytes: every pixel differs from its neighbours,
// so a copy from the wrong place shows.
#include <cstdint>
#include <random>

#include "raster/bitmap24.h"

namespace vorn::testing {

inline Bitmap24 noise(int32_t w, int32_t h, uint32_t seed) {
  Bitmap24 b(w, h);
  std::mt19937 rng(seed);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w * 3; ++x) b.row(y)[x] = uint8_t(rng());
  return b;
}

}  // namespace vorn::testing

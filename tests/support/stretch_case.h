#pragma once
// A random stretched copy: a destination of any extent and sign drawn from
// `pos` and `len`, and a source about half as far out and half as long.
#include <random>
#include <utility>

#include "raster/rect.h"

namespace vorn::testing {

inline std::pair<Rect, Rect> randomStretch(std::mt19937& rng, std::uniform_int_distribution<int32_t>& pos,
                                           std::uniform_int_distribution<int32_t>& len) {
  Rect dst{pos(rng), pos(rng), 0, 0};
  dst.right = dst.left + len(rng);
  dst.bottom = dst.top + len(rng);
  Rect src{pos(rng) / 2, pos(rng) / 2, 0, 0};
  src.right = src.left + len(rng) / 2;
  src.bottom = src.top + len(rng) / 2;
  return {dst, src};
}

}  // namespace vorn::testing

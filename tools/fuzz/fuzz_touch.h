#pragma once
// Reads every byte a decoded graphic hands out, so the sanitizers see any
// byte that was never written or lies outside its buffer.
#include <cstdint>

#include "codecs/graphic.h"

namespace vorn::fuzz {

inline uint32_t touch(TGraphic& g) {
  uint32_t sum = uint32_t(g.width()) ^ uint32_t(g.height());
  const Bitmap24& b = g.bitmap();
  for (int32_t y = 0; y < b.height(); ++y)
    for (int32_t i = 0; i < b.width() * 3; ++i) sum += b.row(y)[i];
  // A small stretched draw walks the drawing path too.
  Bitmap24 dst(17, 13);
  g.draw(dst, Rect{-3, -2, 20, 11});
  for (size_t i = 0; i < dst.sizeBytes(); ++i) sum += dst.data()[i];
  return sum;
}

}  // namespace vorn::fuzz

#pragma once
// A plain bottom-up 24-bit BMP of a bitmap, for pictures on the fake disk.
#include <cstdint>
#include <vector>

#include "raster/bitmap24.h"

namespace vorn::show::testing {

inline void putLe(std::vector<uint8_t>& b, size_t at, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

inline std::vector<uint8_t> bmpOf(const Bitmap24& pic) {
  const size_t stride = Bitmap24::strideFor(pic.width());
  std::vector<uint8_t> b(54 + stride * size_t(pic.height()), 0);
  b[0] = 'B';
  b[1] = 'M';
  putLe(b, 2, uint32_t(b.size()), 4);  // file size
  putLe(b, 10, 54, 4);                 // pixel data offset
  putLe(b, 14, 40, 4);                 // BITMAPINFOHEADER
  putLe(b, 18, uint32_t(pic.width()), 4);
  putLe(b, 22, uint32_t(pic.height()), 4);  // positive: bottom-up
  putLe(b, 26, 1, 2);                       // planes
  putLe(b, 28, 24, 2);                      // bits per pixel
  for (int32_t y = 0; y < pic.height(); ++y)
    std::copy(pic.row(y), pic.row(y) + stride, b.begin() + 54 + stride * size_t(pic.height() - 1 - y));
  return b;
}

// A picture no two pixels of which are alike in a row.
inline Bitmap24 gradient(int32_t w, int32_t h, uint8_t seed) {
  Bitmap24 p(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) p.setPixel(x, y, rgb(uint8_t(x * 3 + seed), uint8_t(y * 5), uint8_t(x ^ y)));
  return p;
}

}  // namespace vorn::show::testing

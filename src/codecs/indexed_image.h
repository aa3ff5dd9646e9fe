#pragma once
// An 8-bit picture: one palette index per pixel, top row first, no padding.
// The palette always has 256 entries; those beyond the file's own count are
// black, so any index a broken file holds still names a colour (this is how
// every pixel index is checked against its palette without a branch).
#include <array>
#include <cstdint>
#include <vector>

#include "raster/bitmap24.h"

namespace vorn::codecs {

struct IndexedImage {
  int32_t width = 0, height = 0;
  std::vector<uint8_t> pixels;     // width * height
  std::array<Color, 256> palette{};  // 0x00BBGGRR; unused entries black
  int paletteSize = 0;             // entries the file defined (<= 256)

  uint8_t* row(int32_t y) { return pixels.data() + size_t(y) * size_t(width); }
  const uint8_t* row(int32_t y) const { return pixels.data() + size_t(y) * size_t(width); }
  // Sizes must have passed checkPictureSize.
  void allocate(int32_t w, int32_t h) {
    width = w;
    height = h;
    pixels.assign(size_t(w) * size_t(h), 0);
  }
  Bitmap24 toBitmap() const;
};

}  // namespace vorn::codecs

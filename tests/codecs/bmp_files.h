#pragma once
// Generators of small .bmp files for the tests, the fuzz seeds and the
// benchmark. Each writes the file header and a BITMAPINFOHEADER field by field.
#include <cstdint>
#include <vector>

#include "byte_writer.h"
#include "raster/bitmap24.h"

namespace vorn::testing {

struct BmpSpec {
  int32_t width = 2, height = 2;  // height < 0: top-down
  uint16_t bpp = 24;
  uint32_t compression = 0;
  uint32_t clrUsed = 0;
  uint32_t headerSize = 40;
  std::vector<uint32_t> palette;  // 0x00RRGGBB as stored (B, G, R, 0)
  std::vector<uint32_t> masks;    // after a 40-byte header, or inside a longer one
  std::vector<uint8_t> pixels;    // the stored rows, padding included
};

// The file: "BM", size, reserved, offset; the info header; masks; palette; pixels.
std::vector<uint8_t> makeBmp(const BmpSpec& s);
// A 24-bit bottom-up file of the bitmap.
std::vector<uint8_t> bmpOf(const Bitmap24& b);
// A deterministic test picture: gradients with some noise.
Bitmap24 testPattern(int32_t w, int32_t h, uint32_t seed = 1);

}  // namespace vorn::testing

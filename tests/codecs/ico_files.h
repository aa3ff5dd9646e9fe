#pragma once
// Icon files for the tests and fuzz seeds.
#include <cstdint>
#include <vector>

#include "raster/bitmap24.h"

namespace vorn::testing {

struct IcoImageSpec {
  uint8_t dirWidth = 2, dirHeight = 2;  // as in the directory (0 = 256)
  uint16_t dirBitCount = 24;
  std::vector<uint8_t> image;  // the DIB (or PNG) bytes
};

std::vector<uint8_t> makeIco(const std::vector<IcoImageSpec>& images);

// A DIB for an icon: 24 or 32 bits from `colour`, `alpha` used for 32 bits,
// AND mask rows from `mask` (1 = transparent), height stored doubled.
std::vector<uint8_t> iconDib(const Bitmap24& colour, int bpp, const std::vector<uint8_t>& mask,
                             const std::vector<uint8_t>& alpha = {}, bool withMask = true);

}  // namespace vorn::testing

#pragma once
// The device-independent bitmap as stored in .bmp files and in icon images:
// a BITMAPCOREHEADER (12 bytes) or BITMAPINFOHEADER (40) with its V2/V3/V4/V5
// extensions (52, 56, 108, 124), optional bit-field masks, a palette, and the
// rows, bottom-up unless the height is negative. 1, 4, 8, 16, 24 and 32 bits
// per pixel; BI_RGB, BI_RLE8, BI_RLE4, BI_BITFIELDS, BI_ALPHABITFIELDS.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "codecs/indexed_image.h"
#include "platform/result.h"
#include "raster/bitmap24.h"

namespace vorn::codecs {

enum : uint32_t {
  kBiRgb = 0,
  kBiRle8 = 1,
  kBiRle4 = 2,
  kBiBitfields = 3,
  kBiJpeg = 4,
  kBiPng = 5,
  kBiAlphaBitfields = 6,
};

struct DibHeader {
  uint32_t headerSize = 0;
  int32_t width = 0;
  int32_t height = 0;      // rows, always positive once validated
  int64_t rawHeight = 0;   // as stored (negative = top-down)
  bool topDown = false;
  int bpp = 0;
  uint32_t compression = kBiRgb;
  uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
  std::array<Color, 256> palette{};
  int paletteSize = 0;
  size_t afterPalette = 0;  // offset of the first byte after header, masks and palette
};

// Reads the header at `pos`. For icon images the stored height covers the
// colour rows and the mask rows; the caller halves it before decoding.
Result<DibHeader> readDibHeader(const uint8_t* data, size_t size, size_t pos, size_t paletteLimit);

struct DibPixels {
  std::optional<IndexedImage> indexed;  // 8 bits or fewer
  Bitmap24 rgb;                         // 16, 24, 32 bits
  std::vector<uint8_t> alpha;           // 32 bits: the fourth byte of each pixel, top row first
  size_t end = 0;                       // offset just after the pixel rows
};

// Decodes the rows starting at `pixelsAt`. Uncompressed rows must all be in
// the file (the last one may lack its padding); RLE data ends at the end
// marker, at the end of the buffer, or below the last row, whichever is first.
Result<DibPixels> decodeDibPixels(const DibHeader& h, const uint8_t* data, size_t size,
                                  size_t pixelsAt);

// Bytes per stored row: bits rounded up to a multiple of 32.
inline uint64_t dibStride(int64_t width, int bpp) {
  return ((uint64_t(width) * uint64_t(bpp) + 31) / 32) * 4;
}

}  // namespace vorn::codecs

#pragma once
// What the platform needs to show a Bitmap24 without copying it, and the way
// back from a bottom-up DIB. Plain values, so the portable core can fill a
// BITMAPINFOHEADER without including the platform's headers.
#include <cstddef>
#include <cstdint>

#include "raster/bitmap24.h"

namespace vorn {

struct DibHeaderValues {
  uint32_t biSize = 40;
  int32_t biWidth = 0;
  int32_t biHeight = 0;  // negative: rows top to bottom, as Bitmap24 keeps them
  uint16_t biPlanes = 1;
  uint16_t biBitCount = 24;
  uint32_t biCompression = 0;  // BI_RGB
  uint32_t biSizeImage = 0;
};

DibHeaderValues dibHeaderFor(const Bitmap24& b);

// Copies 24-bit DIB bits (rows padded to four bytes; bottom-up when height
// is positive, top-down when negative) into b, resized to fit. False, and b
// untouched, when the size is outside Bitmap24's caps or bits is null.
bool bitmapFromDib24(Bitmap24& b, const uint8_t* bits, int32_t width, int32_t height);

}  // namespace vorn

#pragma once
// Puts an in-memory bitmap into a picture container the way the program
// gets its pictures: as a BMP file, through the container's own loader.
// Tests, the frame tool and the benchmark use it; nothing else needs it.
#include <cstdint>
#include <vector>

#include "codecs/picture.h"
#include "platform/result.h"
#include "raster/bitmap24.h"

namespace vorn::fake {

// A 24-bit bottom-up Windows BMP of the bitmap.
std::vector<uint8_t> encodeBmp24(const Bitmap24& b);
Status loadBitmap(TPicture& picture, const Bitmap24& b);

// Test patterns of any size. Kind 0: new-picture pattern whose every pixel
// names its own position (bit 23 set, x in bits 0..11, y in bits 12..22), so
// a frame shows where each of its pixels came from; kind 1: the same with
// bit 23 clear (an old picture); kinds 2..5: pictures to look at (colour
// bars, rings, checks with a diagonal, quadrants with an arrow).
Bitmap24 makePattern(int kind, int32_t width, int32_t height);
constexpr int kPatternKinds = 6;

// FNV-1a (64-bit) over the pixel bytes of every row, padding left out: the
// checksum the frame tool prints and the stored frame checks compare.
uint64_t frameChecksum(const Bitmap24& b);

}  // namespace vorn::fake

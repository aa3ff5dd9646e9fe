#pragma once
// The largest picture any decoder accepts. Sizes come from files, so each one
// is checked here (in 64 bits) before a single pixel is allocated; a file that
// claims 60000 x 60000 pixels gets an error, not a 10 GB allocation.
// The caps are those of the 24-bit bitmap every picture ends up in.
#include <cstdint>

#include "platform/result.h"
#include "raster/bitmap24.h"

namespace vorn::codecs {

// Largest picture file read into memory at all.
constexpr uint64_t kMaxPictureFileBytes = uint64_t(512) << 20;

inline Status checkPictureSize(int64_t width, int64_t height) {
  if (width <= 0 || height <= 0) return makeError("Picture has no pixels");
  if (!Bitmap24::sizeAllowed(width, height))
    return makeError("Picture is too large (" + std::to_string(width) + " x " +
                     std::to_string(height) + ")");
  return {};
}

// Compressed data can only paint so many pixels per byte, so a picture whose
// declared size is far beyond what its data holds is refused before its
// pixels are allocated: a few hundred bytes never cost hundreds of megabytes.
// The densest files real encoders write stay well below the factor (a flat
// grey JPEG comes to about 255 pixels a byte; an RLE bitmap run paints at
// most 255 pixels for two bytes, and its skips leave pixels unpainted), and
// any picture of up to a megapixel passes whatever its data.
constexpr uint64_t kMaxPixelsPerDataByte = 4096;
constexpr uint64_t kPixelsAnyDataMayClaim = uint64_t(1) << 20;

inline Status checkDataCanFill(int64_t width, int64_t height, uint64_t dataBytes) {
  const uint64_t pixels = uint64_t(width) * uint64_t(height);  // sizes passed checkPictureSize
  if (pixels > kPixelsAnyDataMayClaim && pixels / kMaxPixelsPerDataByte > dataBytes)
    return makeError("Picture data is too short for its size (" + std::to_string(width) + " x " +
                     std::to_string(height) + ")");
  return {};
}

}  // namespace vorn::codecs

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

}  // namespace vorn::codecs

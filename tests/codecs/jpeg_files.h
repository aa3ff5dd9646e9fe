#pragma once
// JPEG files for the tests, fuzz seeds and benchmark, made with libjpeg's
// encoder from our own patterns.
#include <cstdint>
#include <vector>

#include "raster/bitmap24.h"

namespace vorn::testing {

enum class JpegKind { Rgb, Grey, Cmyk, AdobeCmyk, Progressive };

std::vector<uint8_t> makeJpeg(const Bitmap24& picture, JpegKind kind, int quality = 90);
// Finds the SOF marker and returns the offset of its precision byte.
size_t jpegPrecisionOffset(const std::vector<uint8_t>& file);

}  // namespace vorn::testing

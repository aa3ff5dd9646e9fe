#include "raster/bitmap24.h"

#include <cstring>
#include <stdexcept>

namespace vorn {

bool Bitmap24::sizeAllowed(int64_t width, int64_t height) {
  return width >= 0 && height >= 0 && width <= kMaxSide && height <= kMaxSide &&
         width * height <= kMaxPixels;
}

Bitmap24::Bitmap24(int32_t width, int32_t height) { resize(width, height); }

void Bitmap24::resize(int32_t width, int32_t height) {
  if (!sizeAllowed(width, height)) throw std::length_error("bitmap size out of range");
  if (width == 0 || height == 0) width = height = 0;
  const size_t stride = strideFor(width);
  // The pixels first: without memory for them the bitmap stays as it was,
  // never a size its pixels do not have.
  data_.assign(stride * size_t(height), 0);
  width_ = width;
  height_ = height;
  stride_ = stride;
}

void Bitmap24::fill(Color c) {
  if (empty()) return;
  uint8_t* r0 = row(0);
  for (int32_t x = 0; x < width_; ++x) {
    r0[3 * x] = blueOf(c);
    r0[3 * x + 1] = greenOf(c);
    r0[3 * x + 2] = redOf(c);
  }
  for (int32_t y = 1; y < height_; ++y) std::memcpy(row(y), r0, stride_);
}

Color Bitmap24::pixel(int32_t x, int32_t y) const {
  const uint8_t* p = row(y) + 3 * size_t(x);
  return rgb(p[2], p[1], p[0]);
}

void Bitmap24::setPixel(int32_t x, int32_t y, Color c) {
  uint8_t* p = row(y) + 3 * size_t(x);
  p[0] = blueOf(c);
  p[1] = greenOf(c);
  p[2] = redOf(c);
}

bool operator==(const Bitmap24& a, const Bitmap24& b) {
  if (a.width_ != b.width_ || a.height_ != b.height_) return false;
  const size_t bytes = size_t(a.width_) * 3;
  for (int32_t y = 0; y < a.height_; ++y)
    if (std::memcmp(a.row(y), b.row(y), bytes) != 0) return false;
  return true;
}

}  // namespace vorn

#include "raster/dib.h"

#include <cstring>

namespace vorn {

DibHeaderValues dibHeaderFor(const Bitmap24& b) {
  DibHeaderValues h;
  h.biWidth = b.width();
  h.biHeight = -b.height();
  h.biSizeImage = uint32_t(b.sizeBytes());
  return h;
}

bool bitmapFromDib24(Bitmap24& b, const uint8_t* bits, int32_t width, int32_t height) {
  const int64_t h = height < 0 ? -int64_t(height) : height;
  if (bits == nullptr || !Bitmap24::sizeAllowed(width, h)) return false;
  b.resize(width, int32_t(h));
  const size_t stride = Bitmap24::strideFor(width);
  for (int64_t y = 0; y < b.height(); ++y) {
    const int64_t from = height < 0 ? y : h - 1 - y;
    std::memcpy(b.row(int32_t(y)), bits + size_t(from) * stride, size_t(width) * 3);
  }
  return true;
}

}  // namespace vorn

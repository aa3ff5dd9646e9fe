#include "codecs/indexed_image.h"

namespace vorn::codecs {

Bitmap24 IndexedImage::toBitmap() const {
  Bitmap24 out(width, height);
  if (out.empty()) return out;
  uint8_t bgr[256][3];
  for (int i = 0; i < 256; ++i) {
    bgr[i][0] = blueOf(palette[i]);
    bgr[i][1] = greenOf(palette[i]);
    bgr[i][2] = redOf(palette[i]);
  }
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* s = row(y);
    uint8_t* d = out.row(y);
    for (int32_t x = 0; x < width; ++x, d += 3) {
      const uint8_t* c = bgr[s[x]];
      d[0] = c[0];
      d[1] = c[1];
      d[2] = c[2];
    }
  }
  return out;
}

}  // namespace vorn::codecs

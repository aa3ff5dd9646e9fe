#include "transition/fake/picture_source.h"

#include <cmath>

namespace vorn::fake {

namespace {

void put16(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(uint8_t(x));
  v.push_back(uint8_t(x >> 8));
}
void put32(std::vector<uint8_t>& v, uint32_t x) {
  put16(v, x & 0xFFFF);
  put16(v, x >> 16);
}

}  // namespace

std::vector<uint8_t> encodeBmp24(const Bitmap24& b) {
  const uint32_t stride = uint32_t(Bitmap24::strideFor(b.width()));
  const uint32_t image = stride * uint32_t(b.height());
  std::vector<uint8_t> v;
  v.reserve(54 + image);
  v.push_back('B');
  v.push_back('M');
  put32(v, 54 + image);  // file size
  put32(v, 0);           // reserved
  put32(v, 54);          // offset of the pixels
  put32(v, 40);          // BITMAPINFOHEADER
  put32(v, uint32_t(b.width()));
  put32(v, uint32_t(b.height()));  // positive: bottom-up rows
  put16(v, 1);                     // planes
  put16(v, 24);                    // bits per pixel
  put32(v, 0);                     // BI_RGB
  put32(v, image);
  put32(v, 2835);  // 72 dpi
  put32(v, 2835);
  put32(v, 0);
  put32(v, 0);
  for (int32_t y = b.height() - 1; y >= 0; --y) v.insert(v.end(), b.row(y), b.row(y) + stride);
  return v;
}

Status loadBitmap(TPicture& picture, const Bitmap24& b) {
  const std::vector<uint8_t> bytes = encodeBmp24(b);
  return picture.LoadFromBytes("memory.bmp", bytes.data(), bytes.size());
}

uint64_t frameChecksum(const Bitmap24& b) {
  uint64_t h = 14695981039346656037ull;
  for (int32_t y = 0; y < b.height(); ++y) {
    const uint8_t* row = b.row(y);
    for (size_t i = 0; i < size_t(b.width()) * 3; ++i) {
      h ^= row[i];
      h *= 1099511628211ull;
    }
  }
  return h;
}

Bitmap24 makePattern(int kind, int32_t w, int32_t h) {
  Bitmap24 b(w, h);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      Color c = 0;
      const double u = w > 1 ? double(x) / (w - 1) : 0, v = h > 1 ? double(y) / (h - 1) : 0;
      switch (kind) {
        case 0:
        case 1: {
          const uint32_t tag = kind == 0 ? 0x800000u : 0;
          const uint32_t value = tag | (uint32_t(x) & 0xFFF) | ((uint32_t(y) & 0x7FF) << 12);
          c = rgb(uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value));
          break;
        }
        case 2: {  // colour bars over a vertical fade
          static const Color bars[8] = {rgb(255, 255, 255), rgb(255, 255, 0), rgb(0, 255, 255), rgb(0, 255, 0),
                                        rgb(255, 0, 255),   rgb(255, 0, 0),   rgb(0, 0, 255),   rgb(40, 40, 40)};
          const Color bar = bars[std::min(7, int(u * 8))];
          const double f = 0.35 + 0.65 * (1 - v);
          c = rgb(uint8_t(redOf(bar) * f), uint8_t(greenOf(bar) * f), uint8_t(blueOf(bar) * f));
          break;
        }
        case 3: {  // rings around a point left of centre
          const double dx = (u - 0.4) * w, dy = (v - 0.5) * h;
          const double r = std::sqrt(dx * dx + dy * dy) / (std::max(w, h) / 12.0 + 1e-9);
          const bool on = int(r) % 2 == 0;
          c = on ? rgb(250, 200, 40) : rgb(20, uint8_t(60 + 120 * u), 140);
          break;
        }
        case 4: {  // checks with a red diagonal
          const int32_t cell = std::max(1, std::max(w, h) / 10);
          const bool dark = ((x / cell) + (y / cell)) % 2 == 0;
          c = dark ? rgb(30, 30, 90) : rgb(200, 220, 255);
          if (std::abs(x * int64_t(h) - y * int64_t(w)) < int64_t(std::max(w, h)) * 3) c = rgb(230, 20, 20);
          break;
        }
        default: {  // four coloured quadrants and a white arrow pointing right
          static const Color quads[4] = {rgb(200, 40, 40), rgb(40, 160, 40), rgb(40, 80, 200), rgb(220, 200, 40)};
          c = quads[(u >= 0.5 ? 1 : 0) + (v >= 0.5 ? 2 : 0)];
          const double ax = u - 0.25, ay = std::abs(v - 0.5);
          if ((ax >= 0 && ax < 0.3 && ay < 0.05) || (ax >= 0.3 && ax < 0.5 && ay < 0.2 * (0.5 - ax) / 0.2 * 0.75))
            c = rgb(255, 255, 255);
          break;
        }
      }
      b.setPixel(x, y, c);
    }
  }
  return b;
}

}  // namespace vorn::fake

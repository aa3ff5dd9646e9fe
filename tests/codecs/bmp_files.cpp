#include "bmp_files.h"

namespace vorn::testing {

std::vector<uint8_t> makeBmp(const BmpSpec& s) {
  Bytes b;
  const bool masksInside = s.headerSize > 40;
  const uint32_t entry = s.headerSize == 12 ? 3 : 4;  // the core header's palette holds RGB triples
  const uint32_t offBits = 14 + s.headerSize + (masksInside ? 0 : 4 * uint32_t(s.masks.size())) +
                           entry * uint32_t(s.palette.size());
  b.text("BM").u32(offBits + uint32_t(s.pixels.size())).u32(0).u32(offBits);
  b.u32(s.headerSize);
  if (s.headerSize == 12) {
    b.u16(uint32_t(s.width)).u16(uint32_t(s.height)).u16(1).u16(s.bpp);
  } else {
    b.i32(s.width).i32(s.height).u16(1).u16(s.bpp);
    b.u32(s.compression).u32(uint32_t(s.pixels.size())).u32(2835).u32(2835);
    b.u32(s.clrUsed).u32(0);
    if (masksInside) {
      for (size_t i = 0; i < 4; ++i) b.u32(i < s.masks.size() ? s.masks[i] : 0);
      b.zeros(s.headerSize - 56);  // colour space, end points, gamma, V5 fields
    }
  }
  if (!masksInside)
    for (uint32_t m : s.masks) b.u32(m);
  for (uint32_t c : s.palette) entry == 3 ? b.u16(c).u8(c >> 16) : b.u32(c);
  b.raw(s.pixels);
  return b.v;
}

std::vector<uint8_t> bmpOf(const Bitmap24& bm) {
  BmpSpec s;
  s.width = bm.width();
  s.height = bm.height();
  const size_t stride = (size_t(bm.width()) * 3 + 3) & ~size_t(3);
  s.pixels.resize(stride * size_t(bm.height()));
  for (int32_t y = 0; y < bm.height(); ++y)
    for (size_t i = 0; i < size_t(bm.width()) * 3; ++i)
      s.pixels[size_t(bm.height() - 1 - y) * stride + i] = bm.row(y)[i];
  return makeBmp(s);
}

Bitmap24 testPattern(int32_t w, int32_t h, uint32_t seed) {
  Bitmap24 b(w, h);
  uint32_t r = seed;
  for (int32_t y = 0; y < h; ++y) {
    uint8_t* p = b.row(y);
    for (int32_t x = 0; x < w; ++x) {
      r = r * 1103515245u + 12345u;
      p[3 * x] = uint8_t(x * 255 / (w > 1 ? w - 1 : 1));
      p[3 * x + 1] = uint8_t(y * 255 / (h > 1 ? h - 1 : 1));
      p[3 * x + 2] = uint8_t(((x / 8 + y / 8) & 1) ? 200 : 40) ^ uint8_t((r >> 24) & 15);
    }
  }
  return b;
}

}  // namespace vorn::testing

#include "ico_files.h"

#include "byte_writer.h"

namespace vorn::testing {

std::vector<uint8_t> makeIco(const std::vector<IcoImageSpec>& images) {
  Bytes b;
  b.u16(0).u16(1).u16(uint32_t(images.size()));  // reserved, type icon, count
  uint32_t offset = 6 + 16 * uint32_t(images.size());
  for (const auto& im : images) {
    b.u8(im.dirWidth).u8(im.dirHeight).u8(0).u8(0);  // width, height, colours, reserved
    b.u16(1).u16(im.dirBitCount);                   // planes, bits
    b.u32(uint32_t(im.image.size())).u32(offset);   // bytes, offset
    offset += uint32_t(im.image.size());
  }
  for (const auto& im : images) b.raw(im.image);
  return b.v;
}

std::vector<uint8_t> iconDib(const Bitmap24& c, int bpp, const std::vector<uint8_t>& mask,
                             const std::vector<uint8_t>& alpha, bool withMask) {
  Bytes b;
  const int32_t w = c.width(), h = c.height();
  b.u32(40).i32(w).i32(h * 2).u16(1).u16(uint32_t(bpp)).u32(0).u32(0).u32(0).u32(0).u32(0).u32(0);
  const size_t stride = ((size_t(w) * size_t(bpp) + 31) / 32) * 4;
  for (int32_t y = h - 1; y >= 0; --y) {  // bottom-up colour rows
    std::vector<uint8_t> row(stride, 0);
    for (int32_t x = 0; x < w; ++x) {
      const uint8_t* p = c.row(y) + 3 * x;
      uint8_t* d = row.data() + size_t(x) * size_t(bpp / 8);
      d[0] = p[0], d[1] = p[1], d[2] = p[2];
      if (bpp == 32) d[3] = alpha.empty() ? 0 : alpha[size_t(y) * size_t(w) + size_t(x)];
    }
    b.raw(row);
  }
  if (withMask) {
    const size_t ms = ((size_t(w) + 31) / 32) * 4;
    for (int32_t y = h - 1; y >= 0; --y) {
      std::vector<uint8_t> row(ms, 0);
      for (int32_t x = 0; x < w; ++x)
        if (mask[size_t(y) * size_t(w) + size_t(x)]) row[size_t(x) / 8] |= uint8_t(0x80 >> (x & 7));
      b.raw(row);
    }
  }
  return b.v;
}

}  // namespace vorn::testing

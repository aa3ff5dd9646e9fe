#include "codecs/exif_orientation.h"

#include <cstring>

namespace vorn::codecs {
namespace {

// Reads of the TIFF structure inside the EXIF block, in its byte order; a
// read past the end gives 0 and clears `ok`.
struct Tiff {
  const uint8_t* p;
  size_t size;
  bool bigEndian;
  bool ok = true;
  uint32_t u16(size_t at) {
    if (at > size || size - at < 2) return ok = false, 0;
    return bigEndian ? uint32_t(p[at] << 8 | p[at + 1]) : uint32_t(p[at] | p[at + 1] << 8);
  }
  uint32_t u32(size_t at) {
    if (at > size || size - at < 4) return ok = false, 0;
    const uint32_t a = u16(at), b = u16(at + 2);
    return bigEndian ? a << 16 | b : b << 16 | a;
  }
};

int orientationInTiff(const uint8_t* p, size_t size) {
  if (size < 8) return 1;
  Tiff t{p, size, p[0] == 'M'};
  if (!((p[0] == 'I' && p[1] == 'I') || (p[0] == 'M' && p[1] == 'M')) || t.u16(2) != 42) return 1;
  const uint32_t ifd = t.u32(4);
  const uint32_t count = t.u16(ifd);
  if (!t.ok) return 1;
  // Only the first directory is read and no offset is followed, so a block
  // whose offsets point back at themselves cannot make this loop.
  for (uint32_t i = 0; i < count; ++i) {
    const size_t entry = size_t(ifd) + 2 + size_t(i) * 12;
    const uint32_t tag = t.u16(entry), type = t.u16(entry + 2);
    if (!t.ok) return 1;
    if (tag != 0x0112) continue;
    // SHORT as the standard has it; a LONG from a careless writer too.
    const uint32_t v = type == 3 ? t.u16(entry + 8) : type == 4 ? t.u32(entry + 8) : 0;
    return t.ok && v >= 1 && v <= 8 ? int(v) : 1;
  }
  return 1;
}

}  // namespace

int jpegOrientation(const uint8_t* data, size_t size) {
  if (size < 4 || data[0] != 0xFF || data[1] != 0xD8) return 1;
  size_t pos = 2;
  // Every segment moves pos forward by at least two bytes.
  while (size - pos >= 4) {
    if (data[pos] != 0xFF) return 1;
    const uint8_t marker = data[pos + 1];
    if (marker == 0xFF) {  // fill byte
      ++pos;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) return 1;  // the picture data: no EXIF before it
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
      pos += 2;
      continue;
    }
    const size_t len = size_t(data[pos + 2]) << 8 | data[pos + 3];
    if (len < 2 || len > size - pos - 2) return 1;
    const uint8_t* seg = data + pos + 4;
    const size_t segSize = len - 2;
    if (marker == 0xE1 && segSize >= 6 && std::memcmp(seg, "Exif\0\0", 6) == 0)
      return orientationInTiff(seg + 6, segSize - 6);
    pos += 2 + len;
  }
  return 1;
}

Bitmap24 orientUpright(Bitmap24 stored, int orientation) {
  if (orientation < 2 || orientation > 8) return stored;
  // Each orientation is an optional exchange of the axes followed by
  // mirrors: upright (x, y) reads stored (u, v) = swap ? (y, x) : (x, y),
  // each mirrored when its flag is set.
  static constexpr bool kSwap[9] = {false, false, false, false, false, true, true, true, true};
  static constexpr bool kFlipX[9] = {false, false, true, true, false, false, false, true, true};
  static constexpr bool kFlipY[9] = {false, false, false, true, true, false, true, true, false};
  const bool swap = kSwap[orientation], flipX = kFlipX[orientation], flipY = kFlipY[orientation];
  const int32_t sw = stored.width(), sh = stored.height();
  Bitmap24 up(swap ? sh : sw, swap ? sw : sh);
  const ptrdiff_t stride = ptrdiff_t(stored.stride());
  for (int32_t y = 0; y < up.height(); ++y) {
    // Stored position of upright (0, y) and the step to (x + 1, y).
    int32_t u = swap ? y : 0, v = swap ? 0 : y;
    ptrdiff_t step = swap ? stride : 3;
    if (flipX) u = sw - 1 - u;
    if (flipY) v = sh - 1 - v;
    if (swap ? flipY : flipX) step = -step;
    ptrdiff_t at = ptrdiff_t(v) * stride + ptrdiff_t(u) * 3;
    const uint8_t* s = stored.data();
    uint8_t* d = up.row(y);
    for (int32_t x = 0; x < up.width(); ++x, at += step, d += 3) {
      d[0] = s[at];
      d[1] = s[at + 1];
      d[2] = s[at + 2];
    }
  }
  return up;
}

}  // namespace vorn::codecs

#include "codecs/dib.h"

#include <cstring>
#include <string>

#include "codecs/byte_reader.h"
#include "codecs/picture_limits.h"

namespace vorn::codecs {
namespace {

bool isPowerOfTwoMinusOne(uint32_t v) { return (v & (v + 1)) == 0; }

// One bit-field channel: value = (pixel & mask) >> shift, widened to 8 bits.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  int bits = 0;
  uint8_t lut[256] = {};

  Status setup(uint32_t m) {
    mask = m;
    if (m == 0) return {};
    while (!((m >> shift) & 1)) ++shift;
    const uint32_t span = m >> shift;
    if (!isPowerOfTwoMinusOne(span)) return makeError("Bitmap colour masks are not contiguous");
    while (bits < 32 && ((span >> bits) & 1)) ++bits;
    if (bits < 8) {
      const uint32_t maxv = (1u << bits) - 1;
      for (uint32_t v = 0; v <= maxv; ++v) lut[v] = uint8_t((v * 255 + maxv / 2) / maxv);
    }
    return {};
  }
  uint8_t get(uint32_t px) const {
    if (mask == 0) return 0;
    const uint32_t v = (px & mask) >> shift;
    return bits >= 8 ? uint8_t(v >> (bits - 8)) : lut[v];
  }
};

void readPalette(const uint8_t* p, int count, int entrySize, DibHeader& h) {
  for (int i = 0; i < count; ++i, p += entrySize) h.palette[i] = rgb(p[2], p[1], p[0]);
  h.paletteSize = count;
}

int32_t outRow(const DibHeader& h, int64_t fileRow) {
  return h.topDown ? int32_t(fileRow) : int32_t(h.height - 1 - fileRow);
}

Result<DibPixels> decodeRle(const DibHeader& h, const uint8_t* data, size_t size, size_t at) {
  DibPixels out;
  IndexedImage img;
  img.allocate(h.width, h.height);
  img.palette = h.palette;
  img.paletteSize = h.paletteSize;
  const bool rle4 = h.compression == kBiRle4;
  const int32_t w = h.width;
  int32_t x = 0;
  int64_t row = 0;
  size_t p = at;
  auto put = [&](uint8_t v) {
    if (x < w) img.row(outRow(h, row))[x] = v;
    if (x < w) ++x;
  };
  // Each step reads two bytes; runs beyond the row are dropped, and the
  // picture ends at the end marker, below the last row, or at the end of data.
  while (row < h.height && size - p >= 2) {
    const uint8_t n = data[p], c = data[p + 1];
    p += 2;
    if (n > 0) {
      for (int i = 0; i < n && x < w; ++i) put(rle4 ? uint8_t((i & 1) ? (c & 15) : (c >> 4)) : c);
      continue;
    }
    if (c == 0) {  // end of line
      x = 0;
      ++row;
    } else if (c == 1) {  // end of bitmap
      break;
    } else if (c == 2) {  // delta: move right and up (down in file order)
      if (size - p < 2) break;
      const int32_t dx = data[p], dy = data[p + 1];
      p += 2;
      x = (dx >= w - x) ? w : x + dx;
      row += dy;
    } else {  // absolute run of c pixels, padded to a 16-bit boundary
      const size_t bytes = rle4 ? (size_t(c) + 1) / 2 : size_t(c);
      const size_t avail = size - p;
      const size_t take = bytes < avail ? bytes : avail;
      for (size_t i = 0; i < size_t(c) && x < w; ++i) {
        const size_t b = rle4 ? i / 2 : i;
        if (b >= take) break;
        const uint8_t v = data[p + b];
        put(rle4 ? uint8_t((i & 1) ? (v & 15) : (v >> 4)) : v);
      }
      if (take < bytes) break;
      p += bytes + (bytes & 1);
      if (p > size) p = size;
    }
  }
  out.end = p;
  out.indexed = std::move(img);
  return out;
}

Result<DibPixels> decodeRows(const DibHeader& h, const uint8_t* data, size_t size, size_t at) {
  const uint64_t stride = dibStride(h.width, h.bpp);
  const uint64_t lastRow = (uint64_t(h.width) * uint64_t(h.bpp) + 7) / 8;
  const uint64_t need = stride * uint64_t(h.height - 1) + lastRow;
  if (at > size || need > size - at) return makeError("Bitmap pixel data is truncated");
  DibPixels out;
  out.end = size_t(at + std::min<uint64_t>(stride * uint64_t(h.height), size - at));
  const int32_t w = h.width;
  auto src = [&](int32_t fileRow) { return data + at + size_t(stride) * size_t(fileRow); };

  if (h.bpp <= 8) {
    IndexedImage img;
    img.allocate(h.width, h.height);
    img.palette = h.palette;
    img.paletteSize = h.paletteSize;
    for (int32_t r = 0; r < h.height; ++r) {
      const uint8_t* s = src(r);
      uint8_t* d = img.row(outRow(h, r));
      if (h.bpp == 8) {
        std::memcpy(d, s, size_t(w));
      } else if (h.bpp == 4) {
        for (int32_t x = 0; x < w; ++x) d[x] = (x & 1) ? (s[x >> 1] & 15) : (s[x >> 1] >> 4);
      } else {
        for (int32_t x = 0; x < w; ++x) d[x] = (s[x >> 3] >> (7 - (x & 7))) & 1;
      }
    }
    out.indexed = std::move(img);
    return out;
  }

  out.rgb = Bitmap24(h.width, h.height);
  if (h.bpp == 24) {
    for (int32_t r = 0; r < h.height; ++r) std::memcpy(out.rgb.row(outRow(h, r)), src(r), size_t(w) * 3);
    return out;
  }
  const bool masked = h.compression == kBiBitfields || h.compression == kBiAlphaBitfields;
  uint32_t m[3];
  if (masked) {
    m[0] = h.masks[0], m[1] = h.masks[1], m[2] = h.masks[2];
  } else if (h.bpp == 16) {
    m[0] = 0x7C00, m[1] = 0x03E0, m[2] = 0x001F;
  } else {
    m[0] = 0xFF0000, m[1] = 0x00FF00, m[2] = 0x0000FF;
  }
  Channel ch[3];
  for (int i = 0; i < 3; ++i)
    if (auto s = ch[i].setup(m[i]); !s) return s.takeError();

  if (h.bpp == 32) {
    out.alpha.resize(size_t(w) * size_t(h.height));
    const bool plain = m[0] == 0xFF0000 && m[1] == 0xFF00 && m[2] == 0xFF;
    for (int32_t r = 0; r < h.height; ++r) {
      const uint8_t* s = src(r);
      const int32_t y = outRow(h, r);
      uint8_t* d = out.rgb.row(y);
      uint8_t* a = out.alpha.data() + size_t(y) * size_t(w);
      for (int32_t x = 0; x < w; ++x, s += 4, d += 3) {
        a[x] = s[3];
        if (plain) {
          d[0] = s[0], d[1] = s[1], d[2] = s[2];
        } else {
          const uint32_t px = uint32_t(s[0]) | (uint32_t(s[1]) << 8) | (uint32_t(s[2]) << 16) |
                              (uint32_t(s[3]) << 24);
          d[0] = ch[2].get(px), d[1] = ch[1].get(px), d[2] = ch[0].get(px);
        }
      }
    }
    return out;
  }
  for (int32_t r = 0; r < h.height; ++r) {  // 16 bits
    const uint8_t* s = src(r);
    uint8_t* d = out.rgb.row(outRow(h, r));
    for (int32_t x = 0; x < w; ++x, s += 2, d += 3) {
      const uint32_t px = uint32_t(s[0]) | (uint32_t(s[1]) << 8);
      d[0] = ch[2].get(px), d[1] = ch[1].get(px), d[2] = ch[0].get(px);
    }
  }
  return out;
}

}  // namespace

Result<DibHeader> readDibHeader(const uint8_t* data, size_t size, size_t pos, size_t paletteLimit) {
  ByteReader r(data, size, pos);
  DibHeader h;
  h.headerSize = r.u32();
  if (!r.ok()) return makeError("Bitmap header is truncated");
  const uint32_t hs = h.headerSize;
  if (hs != 12 && hs != 40 && hs != 52 && hs != 56 && hs != 108 && hs != 124)
    return makeError("Unsupported bitmap header size (" + std::to_string(hs) + ")");
  if (!r.has(hs - 4)) return makeError("Bitmap header is truncated");
  uint32_t clrUsed = 0;
  int entrySize = 4;
  if (hs == 12) {  // BITMAPCOREHEADER: unsigned 16-bit sizes, RGB triples
    h.width = r.u16();
    h.rawHeight = r.u16();
    r.u16();  // planes
    h.bpp = r.u16();
    entrySize = 3;
    if (h.bpp != 1 && h.bpp != 4 && h.bpp != 8 && h.bpp != 24)
      return makeError("Unsupported bitmap colour depth (" + std::to_string(h.bpp) + " bits)");
  } else {
    h.width = r.i32();
    h.rawHeight = r.i32();
    r.u16();  // planes
    h.bpp = r.u16();
    h.compression = r.u32();
    r.skip(12);  // image size, resolution
    clrUsed = r.u32();
    r.u32();  // important colours
    if (hs >= 52) {
      for (int i = 0; i < (hs >= 56 ? 4 : 3); ++i) h.masks[i] = r.u32();
    }
  }
  r.seek(pos + hs);
  if (h.compression == kBiJpeg || h.compression == kBiPng)
    return makeError("Bitmaps holding JPEG or PNG data are not supported");
  if (h.compression > kBiAlphaBitfields)
    return makeError("Unknown bitmap compression (" + std::to_string(h.compression) + ")");
  const int b = h.bpp;
  if (b != 1 && b != 4 && b != 8 && b != 16 && b != 24 && b != 32)
    return makeError("Unsupported bitmap colour depth (" + std::to_string(b) + " bits)");
  const bool fields = h.compression == kBiBitfields || h.compression == kBiAlphaBitfields;
  if ((h.compression == kBiRle8 && b != 8) || (h.compression == kBiRle4 && b != 4) ||
      (fields && b != 16 && b != 32))
    return makeError("Bitmap compression does not fit its colour depth");
  if (fields && hs == 40) {  // masks follow the plain info header
    for (int i = 0; i < (h.compression == kBiAlphaBitfields ? 4 : 3); ++i) h.masks[i] = r.u32();
    if (!r.ok()) return makeError("Bitmap colour masks are truncated");
  }
  if (h.rawHeight == INT32_MIN) return makeError("Bitmap height is out of range");
  h.topDown = h.rawHeight < 0;
  const int64_t rows = h.topDown ? -h.rawHeight : h.rawHeight;
  if (h.width <= 0 || rows <= 0) return makeError("Bitmap has no pixels");
  h.height = int32_t(rows);

  if (b <= 8) {
    // A count above what the depth can index is clamped: the extra entries
    // could never be used. Entries beyond the file are an error.
    const uint32_t full = 1u << b;
    uint32_t count = (clrUsed == 0 || clrUsed > full) ? full : clrUsed;
    if (paletteLimit > r.pos() && paletteLimit <= size) {
      const size_t room = (paletteLimit - r.pos()) / size_t(entrySize);
      if (room < count) count = uint32_t(room);
    }
    if (!r.has(size_t(count) * size_t(entrySize))) return makeError("Bitmap palette is truncated");
    readPalette(r.here(), int(count), entrySize, h);
    r.skip(size_t(count) * size_t(entrySize));
  } else if (clrUsed != 0) {
    // An optional palette for display on 8-bit screens: skipped, may be absent.
    const uint64_t bytes = uint64_t(clrUsed) * 4;
    if (bytes <= r.left()) r.skip(size_t(bytes));
  }
  h.afterPalette = r.pos();
  return h;
}

Result<DibPixels> decodeDibPixels(const DibHeader& h, const uint8_t* data, size_t size,
                                  size_t pixelsAt) {
  if (auto s = checkPictureSize(h.width, h.height); !s) return s.takeError();
  if (pixelsAt > size) return makeError("Bitmap pixel data offset is past the end of the file");
  if (h.compression == kBiRle8 || h.compression == kBiRle4) {
    if (auto s = checkDataCanFill(h.width, h.height, size - pixelsAt); !s) return s.takeError();
    return decodeRle(h, data, size, pixelsAt);
  }
  return decodeRows(h, data, size, pixelsAt);
}

}  // namespace vorn::codecs

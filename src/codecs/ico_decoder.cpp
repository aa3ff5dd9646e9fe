// .ico files: ICONDIR (reserved 0, type 1, count), count ICONDIRENTRY
// records of 16 bytes, then the images: each a DIB whose height covers the
// colour (XOR) rows and the 1-bit AND mask rows, or a PNG stream. PNG images
// are passed over: the best of the others is shown.
#include <algorithm>
#include <string>

#include "codecs/byte_reader.h"
#include "codecs/decoders.h"
#include "codecs/dib.h"
#include "codecs/icon.h"

namespace vorn {
namespace {

using codecs::ByteReader;

struct IconEntry {
  int32_t width, height;  // 0 in the file means 256
  uint16_t bitCount;
  uint32_t bytes, offset;
  bool png;
};

bool isPng(const uint8_t* data, size_t size, const IconEntry& e) {
  static const uint8_t sig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  return e.offset <= size && e.bytes <= size - e.offset && e.bytes >= 8 &&
         std::equal(sig, sig + 8, data + e.offset);
}

// The pick rule, in one place: of the images this decoder reads (not PNG),
// the largest (width x height as the directory gives it), then the most bits
// per pixel, then the first listed. None: the count of entries.
size_t pickIconEntry(const std::vector<IconEntry>& e) {
  size_t best = e.size();
  for (size_t i = 0; i < e.size(); ++i) {
    if (e[i].png) continue;
    if (best == e.size()) {
      best = i;
      continue;
    }
    const int64_t a = int64_t(e[i].width) * e[i].height, b = int64_t(e[best].width) * e[best].height;
    if (a > b || (a == b && e[i].bitCount > e[best].bitCount)) best = i;
  }
  return best;
}

}  // namespace

GraphicResult decodeIco(const uint8_t* data, size_t size) {
  ByteReader r(data, size);
  const uint16_t reserved = r.u16(), type = r.u16(), count = r.u16();
  if (!r.ok() || reserved != 0 || type != 1) return makeError("Not an icon file");
  if (count == 0) return makeError("Icon file holds no images");
  if (!r.has(size_t(count) * 16)) return makeError("Icon directory is truncated");
  std::vector<IconEntry> entries(count);
  for (IconEntry& e : entries) {
    e.width = r.u8();
    e.height = r.u8();
    if (e.width == 0) e.width = 256;
    if (e.height == 0) e.height = 256;
    r.u8();   // colour count
    r.u8();   // reserved
    r.u16();  // planes
    e.bitCount = r.u16();
    e.bytes = r.u32();
    e.offset = r.u32();
    e.png = isPng(data, size, e);
  }
  const size_t pick = pickIconEntry(entries);
  if (pick == entries.size()) return makeError("Icons holding PNG images are not supported");
  const IconEntry& e = entries[pick];
  if (e.offset > size || e.bytes > size - e.offset) return makeError("Icon image lies outside the file");
  const uint8_t* img = data + e.offset;
  const size_t len = e.bytes;

  auto header = codecs::readDibHeader(img, len, 0, 0);
  if (!header) return header.takeError();
  codecs::DibHeader h = *header;
  if (h.rawHeight != int64_t(e.height) * 2)
    return makeError("Icon image height is not twice the icon's height");
  h.height = e.height;
  h.topDown = false;
  auto pixels = codecs::decodeDibPixels(h, img, len, h.afterPalette);
  if (!pixels) return pixels.takeError();

  const int32_t w = h.width, hh = h.height;
  Bitmap24 colour = pixels->indexed ? pixels->indexed->toBitmap() : std::move(pixels->rgb);
  std::vector<uint8_t> coverage(size_t(w) * size_t(hh), 255);
  bool fromAlpha = false;
  if (h.bpp == 32)
    for (uint8_t a : pixels->alpha)
      if (a != 0) {
        fromAlpha = true;
        break;
      }
  if (fromAlpha) {
    coverage = std::move(pixels->alpha);
  } else {
    const uint64_t stride = codecs::dibStride(w, 1);
    const size_t at = pixels->end;
    if (at > len || stride * uint64_t(hh) > len - at) {
      if (h.bpp != 32) return makeError("Icon mask is truncated");
    } else {
      for (int32_t row = 0; row < hh; ++row) {
        const uint8_t* m = img + at + size_t(stride) * size_t(row);
        uint8_t* c = coverage.data() + size_t(hh - 1 - row) * size_t(w);
        for (int32_t x = 0; x < w; ++x) c[x] = ((m[x >> 3] >> (7 - (x & 7))) & 1) ? 0 : 255;
      }
    }
  }
  return std::unique_ptr<TGraphic>(new TIcon(std::move(colour), std::move(coverage)));
}

}  // namespace vorn

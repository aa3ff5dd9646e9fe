// GIF87a and GIF89a: header, logical screen descriptor, global colour table,
// then blocks (extensions 0x21, images 0x2C) up to the trailer 0x3B.
//
// Only the first image is shown, so reading stops once it is decoded: what
// follows it (more images, the trailer, or damage) is never looked at. Any
// fault before or inside the first image is an error.
#include <algorithm>
#include <string>

#include "codecs/byte_reader.h"
#include "codecs/decoders.h"
#include "codecs/gif_image.h"
#include "codecs/gif_lzw.h"
#include "codecs/picture_limits.h"

namespace vorn {
namespace {

using codecs::ByteReader;

struct ColorTable {
  std::array<Color, 256> colors{};
  int size = 0;
};

bool readColorTable(ByteReader& r, int sizeBits, ColorTable& t) {
  const int n = 2 << sizeBits;
  if (!r.has(size_t(n) * 3)) return false;
  const uint8_t* p = r.here();
  for (int i = 0; i < n; ++i) t.colors[size_t(i)] = rgb(p[3 * i], p[3 * i + 1], p[3 * i + 2]);
  t.size = n;
  r.skip(size_t(n) * 3);
  return true;
}

// Sub-blocks (a length byte, that many bytes) up to a zero length.
bool readSubBlocks(ByteReader& r, std::vector<uint8_t>* into) {
  for (;;) {
    const uint8_t n = r.u8();
    if (!r.ok()) return false;
    if (n == 0) return true;
    if (!r.has(n)) return false;
    if (into) into->insert(into->end(), r.here(), r.here() + n);
    r.skip(n);
  }
}

// Rows arrive in four passes: every 8th from 0, every 8th from 4, every
// 4th from 2, every 2nd from 1.
void deinterlace(codecs::IndexedImage& img) {
  std::vector<uint8_t> src = img.pixels;
  const size_t w = size_t(img.width);
  size_t r = 0;
  static const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int32_t y = start[pass]; y < img.height; y += step[pass], ++r)
      std::copy(src.begin() + r * w, src.begin() + (r + 1) * w, img.row(y));
}

struct Control {
  int delay = 0, disposal = 0, transparent = -1;
};

}  // namespace

GraphicResult decodeGif(const uint8_t* data, size_t size) {
  ByteReader r(data, size);
  if (!r.has(6) || std::string(reinterpret_cast<const char*>(data), 3) != "GIF")
    return makeError("Not a GIF file");
  const std::string version(reinterpret_cast<const char*>(data) + 3, 3);
  if (version != "87a" && version != "89a") return makeError("Unknown GIF version");
  r.skip(6);
  const int32_t screenW = r.u16(), screenH = r.u16();
  const uint8_t packed = r.u8();
  r.u8();  // background colour index: the screen is not composed
  r.u8();  // pixel aspect ratio
  if (!r.ok()) return makeError("GIF file is truncated");
  ColorTable global;
  if ((packed & 0x80) && !readColorTable(r, packed & 7, global))
    return makeError("GIF colour table is truncated");

  Control control;
  for (;;) {
    const uint8_t block = r.u8();
    if (!r.ok()) return makeError("GIF file is truncated");
    if (block == 0x3B) return makeError("GIF file has no images");
    if (block == 0x21) {
      const uint8_t label = r.u8();
      std::vector<uint8_t> body;
      if (!readSubBlocks(r, label == 0xF9 ? &body : nullptr)) return makeError("GIF file is truncated");
      if (label == 0xF9 && body.size() >= 4) {  // graphic control extension
        control.disposal = (body[0] >> 2) & 7;
        control.delay = body[1] | (body[2] << 8);
        control.transparent = (body[0] & 1) ? body[3] : -1;
      }
      continue;
    }
    if (block != 0x2C) return makeError("GIF file has an unknown block (" + std::to_string(block) + ")");
    break;
  }
  TGIFFrame f;
  f.left = r.u16();
  f.top = r.u16();
  const int32_t w = r.u16(), h = r.u16();
  const uint8_t ip = r.u8();
  if (!r.ok()) return makeError("GIF file is truncated");
  ColorTable table = global;
  if (ip & 0x80) {
    // A local table replaces the global one whole: indices past its end are
    // black like any index past a table, not colours of the global table.
    table = ColorTable{};
    if (!readColorTable(r, ip & 7, table)) return makeError("GIF colour table is truncated");
  } else if (!(packed & 0x80)) {
    // No table at all: greys, so the picture still shows something.
    for (int i = 0; i < 256; ++i) table.colors[size_t(i)] = rgb(uint8_t(i), uint8_t(i), uint8_t(i));
    table.size = 256;
  }
  const int minCode = r.u8();
  std::vector<uint8_t> lzw;
  if (!r.ok() || !readSubBlocks(r, &lzw)) return makeError("GIF file is truncated");
  f.interlaced = (ip & 0x40) != 0;
  f.delay = control.delay;
  f.disposal = control.disposal;
  f.transparentIndex = control.transparent;
  f.image.palette = table.colors;
  f.image.paletteSize = table.size;
  if (w > 0 && h > 0) {  // a 0 x 0 image gives an empty graphic
    if (auto s = codecs::checkPictureSize(w, h); !s) return s.takeError();
    // One code yields at most 4096 pixels, so the data bounds the picture:
    // a few bytes claiming 250 megapixels are refused, not allocated.
    const uint64_t codes = uint64_t(lzw.size()) * 8 / uint64_t(std::max(minCode + 1, 3));
    if (uint64_t(w) * uint64_t(h) > (codes + 1) * 4096)
      return makeError("GIF image data is too short for its size");
    f.image.allocate(w, h);
    if (auto s = codecs::lzwDecode(minCode, lzw.data(), lzw.size(), f.image.pixels.data(),
                                   f.image.pixels.size());
        !s)
      return s.takeError();
    if (f.interlaced) deinterlace(f.image);
  }
  return std::unique_ptr<TGraphic>(new TGIFImage(screenW, screenH, std::move(f)));
}

}  // namespace vorn

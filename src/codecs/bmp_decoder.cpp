// .bmp files: a 14-byte file header ("BM", file size, two reserved words,
// offset of the pixel data) in front of a device-independent bitmap.
#include "codecs/decoders.h"
#include "codecs/byte_reader.h"
#include "codecs/dib.h"
#include "codecs/pixel_graphic.h"

namespace vorn {

GraphicResult decodeBmp(const uint8_t* data, size_t size) {
  using namespace codecs;
  ByteReader r(data, size);
  const uint8_t b0 = r.u8(), b1 = r.u8();
  r.u32();  // file size: often wrong in the wild, not needed
  r.u32();  // reserved
  const uint32_t offBits = r.u32();
  if (!r.ok() || b0 != 'B' || b1 != 'M') return makeError("Not a bitmap file");
  auto header = readDibHeader(data, size, 14, offBits);
  if (!header) return header.takeError();
  // An offset of zero, or one pointing back into the headers, is taken as
  // "right after the palette"; one past the end is an error.
  size_t at = header->afterPalette;
  if (offBits > size) return makeError("Bitmap pixel data offset is past the end of the file");
  if (offBits >= at) at = offBits;
  auto pixels = decodeDibPixels(*header, data, size, at);
  if (!pixels) return pixels.takeError();
  if (pixels->indexed) return std::unique_ptr<TGraphic>(new TBitmap(std::move(*pixels->indexed)));
  return std::unique_ptr<TGraphic>(new TBitmap(std::move(pixels->rgb)));
}

}  // namespace vorn

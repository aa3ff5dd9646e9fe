#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <iterator>

#include "bmp_files.h"
#include "byte_writer.h"
#include "codecs/decoders.h"
#include "codecs/pixel_graphic.h"

namespace vorn {
namespace {

using testing::BmpSpec;
using testing::makeBmp;

Bitmap24 decodeOk(const std::vector<uint8_t>& f) {
  auto g = decodeBmp(f.data(), f.size());
  EXPECT_TRUE(g.ok()) << (g.ok() ? "" : g.error());
  if (!g) return {};
  return g.value()->bitmap();
}

std::string decodeError(const std::vector<uint8_t>& f) {
  auto g = decodeBmp(f.data(), f.size());
  return g.ok() ? std::string("<decoded>") : g.error();
}

TEST(BmpDecoder, Reads24BitBottomUpRows) {
  BmpSpec s;
  s.pixels = {
      // bottom row: blue, green; 2 bytes padding
      0xFF, 0, 0, 0, 0xFF, 0, 0, 0,
      // top row: red, white
      0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0};
  Bitmap24 b = decodeOk(makeBmp(s));
  ASSERT_EQ(b.width(), 2);
  EXPECT_EQ(b.pixel(0, 0), rgb(255, 0, 0));
  EXPECT_EQ(b.pixel(1, 0), rgb(255, 255, 255));
  EXPECT_EQ(b.pixel(0, 1), rgb(0, 0, 255));
  EXPECT_EQ(b.pixel(1, 1), rgb(0, 255, 0));
}

TEST(BmpDecoder, ReadsTopDownRowsWhenHeightIsNegative) {
  BmpSpec s;
  s.height = -2;
  s.pixels = {0, 0, 0xFF, 0, 0, 0, 0, 0,  // first stored row is the top: red, black
              0, 0, 0, 0, 0xFF, 0, 0, 0};  // bottom: black, green
  Bitmap24 b = decodeOk(makeBmp(s));
  EXPECT_EQ(b.pixel(0, 0), rgb(255, 0, 0));
  EXPECT_EQ(b.pixel(1, 1), rgb(0, 255, 0));
}

TEST(BmpDecoder, ReadsPaletteDepthsAsIndexedPictures) {
  {  // 1 bit: 9 pixels wide so the row spans two bytes
    BmpSpec s;
    s.width = 9, s.height = 1, s.bpp = 1;
    s.palette = {0x000000, 0xFFFFFF};
    s.pixels = {0b10100000, 0b10000000, 0, 0};
    auto g = decodeBmp(makeBmp(s).data(), makeBmp(s).size());
    ASSERT_TRUE(g.ok());
    auto* pg = dynamic_cast<TPixelGraphic*>(g.value().get());
    ASSERT_NE(pg, nullptr);
    EXPECT_EQ(pg->bitsPerPixel(), 8);
    const Bitmap24& b = pg->bitmap();
    EXPECT_EQ(b.pixel(0, 0), rgb(255, 255, 255));
    EXPECT_EQ(b.pixel(1, 0), rgb(0, 0, 0));
    EXPECT_EQ(b.pixel(2, 0), rgb(255, 255, 255));
    EXPECT_EQ(b.pixel(8, 0), rgb(255, 255, 255));
  }
  {  // 4 bits: high nibble first
    BmpSpec s;
    s.width = 3, s.height = 1, s.bpp = 4;
    s.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    s.pixels = {0x12, 0x30, 0, 0};
    Bitmap24 b = decodeOk(makeBmp(s));
    EXPECT_EQ(b.pixel(0, 0), rgb(255, 0, 0));
    EXPECT_EQ(b.pixel(1, 0), rgb(0, 255, 0));
    EXPECT_EQ(b.pixel(2, 0), rgb(0, 0, 255));
  }
  {  // 8 bits with a short palette (clrUsed 2)
    BmpSpec s;
    s.width = 2, s.height = 1, s.bpp = 8, s.clrUsed = 2;
    s.palette = {0x102030, 0x405060};
    s.pixels = {1, 0, 0, 0};
    Bitmap24 b = decodeOk(makeBmp(s));
    EXPECT_EQ(b.pixel(0, 0), rgb(0x40, 0x50, 0x60));
    EXPECT_EQ(b.pixel(1, 0), rgb(0x10, 0x20, 0x30));
  }
}

TEST(BmpDecoder, IndicesBeyondThePaletteAreBlack) {
  BmpSpec s;
  s.width = 2, s.height = 1, s.bpp = 8, s.clrUsed = 1;
  s.palette = {0xFFFFFF};
  s.pixels = {0, 200, 0, 0};  // 200 names no entry
  Bitmap24 b = decodeOk(makeBmp(s));
  EXPECT_EQ(b.pixel(0, 0), rgb(255, 255, 255));
  EXPECT_EQ(b.pixel(1, 0), rgb(0, 0, 0));
}

TEST(BmpDecoder, PaletteCountAboveTheDepthIsClamped) {
  BmpSpec s;
  s.width = 1, s.height = 1, s.bpp = 1, s.clrUsed = 300;  // 1 bit can index 2
  s.palette = {0x000000, 0x00FF00};
  s.pixels = {0x80, 0, 0, 0};
  EXPECT_EQ(decodeOk(makeBmp(s)).pixel(0, 0), rgb(0, 255, 0));
}

TEST(BmpDecoder, Reads16BitDefaultAndMaskedPixels) {
  {  // default 5-5-5
    BmpSpec s;
    s.width = 2, s.height = 1, s.bpp = 16;
    s.pixels = {0x00, 0x7C, 0x1F, 0x00};  // 0x7C00 red, 0x001F blue
    Bitmap24 b = decodeOk(makeBmp(s));
    EXPECT_EQ(b.pixel(0, 0), rgb(255, 0, 0));
    EXPECT_EQ(b.pixel(1, 0), rgb(0, 0, 255));
  }
  {  // 5-6-5 through BI_BITFIELDS after a 40-byte header
    BmpSpec s;
    s.width = 2, s.height = 1, s.bpp = 16, s.compression = 3;
    s.masks = {0xF800, 0x07E0, 0x001F};
    s.pixels = {0xE0, 0x07, 0x10, 0x00};  // green full; blue 16/31
    Bitmap24 b = decodeOk(makeBmp(s));
    EXPECT_EQ(b.pixel(0, 0), rgb(0, 255, 0));
    EXPECT_EQ(b.pixel(1, 0), rgb(0, 0, 132));
  }
}

TEST(BmpDecoder, Reads32BitWithMasksInV4AndV5Headers) {
  for (uint32_t hs : {108u, 124u}) {
    BmpSpec s;
    s.width = 1, s.height = 1, s.bpp = 32, s.compression = 3, s.headerSize = hs;
    s.masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};  // R in the low byte
    s.pixels = {0x11, 0x22, 0x33, 0x80};
    EXPECT_EQ(decodeOk(makeBmp(s)).pixel(0, 0), rgb(0x11, 0x22, 0x33)) << hs;
  }
  BmpSpec plain;
  plain.width = 1, plain.height = 1, plain.bpp = 32;
  plain.pixels = {0x33, 0x22, 0x11, 0x00};
  EXPECT_EQ(decodeOk(makeBmp(plain)).pixel(0, 0), rgb(0x11, 0x22, 0x33));
}

TEST(BmpDecoder, ReadsCoreHeaderWithRgbTriples) {
  testing::Bytes b;
  b.text("BM").u32(0).u32(0).u32(14 + 12 + 6);
  b.u32(12).u16(1).u16(1).u16(1).u16(1);  // core header: 1x1, 1 plane, 1 bit
  b.raw({0, 0, 0, 0x10, 0x20, 0x30});     // two RGB triples (B, G, R)
  b.raw({0x80, 0, 0, 0});                 // the pixel: index 1
  EXPECT_EQ(decodeOk(b.v).pixel(0, 0), rgb(0x30, 0x20, 0x10));
}

TEST(BmpDecoder, DecodesRle8RunsDeltasAndAbsoluteRuns) {
  BmpSpec s;
  s.width = 4, s.height = 3, s.bpp = 8, s.compression = 1;
  s.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  s.pixels = {
      4, 1,           // bottom row: four of colour 1
      0, 0,           // end of line
      0, 3, 2, 3, 2, 0,  // absolute run of 3: 2 3 2, padded to even
      0, 0,           // end of line
      0, 2, 1, 0,     // delta: right 1, up 0
      2, 3,           // two of colour 3 at x 1..2
      0, 1};          // end of bitmap
  Bitmap24 b = decodeOk(makeBmp(s));
  EXPECT_EQ(b.pixel(0, 2), rgb(255, 0, 0));
  EXPECT_EQ(b.pixel(3, 2), rgb(255, 0, 0));
  EXPECT_EQ(b.pixel(0, 1), rgb(0, 255, 0));
  EXPECT_EQ(b.pixel(1, 1), rgb(0, 0, 255));
  EXPECT_EQ(b.pixel(3, 1), rgb(0, 0, 0));  // not written: index 0
  EXPECT_EQ(b.pixel(0, 0), rgb(0, 0, 0));
  EXPECT_EQ(b.pixel(1, 0), rgb(0, 0, 255));
  EXPECT_EQ(b.pixel(2, 0), rgb(0, 0, 255));
}

TEST(BmpDecoder, DecodesRle4Nibbles) {
  BmpSpec s;
  s.width = 5, s.height = 1, s.bpp = 4, s.compression = 2;
  s.palette = {0x000000, 0xFF0000, 0x00FF00};
  s.pixels = {3, 0x12,          // run of three alternating 1 2 1
              0, 3, 0x21, 0x20,  // absolute: 2 1 2 (the last is past the row)
              0, 1};
  Bitmap24 b = decodeOk(makeBmp(s));
  EXPECT_EQ(b.pixel(0, 0), rgb(255, 0, 0));
  EXPECT_EQ(b.pixel(1, 0), rgb(0, 255, 0));
  EXPECT_EQ(b.pixel(2, 0), rgb(255, 0, 0));
  EXPECT_EQ(b.pixel(3, 0), rgb(0, 255, 0));
  EXPECT_EQ(b.pixel(4, 0), rgb(255, 0, 0));
}

TEST(BmpDecoder, RleOverrunsAreClippedAndAMissingEndMarkerEndsThePicture) {
  BmpSpec s;
  s.width = 2, s.height = 2, s.bpp = 8, s.compression = 1;
  s.palette = {0x000000, 0xFFFFFF};
  s.pixels = {255, 1,      // a run of 255 into a row of 2
              0, 2, 255, 255,  // delta far past the row and the top
              3, 1,
              0, 0, 0, 0, 0, 0};  // end of lines past the top; no end marker
  Bitmap24 b = decodeOk(makeBmp(s));
  EXPECT_EQ(b.pixel(0, 1), rgb(255, 255, 255));
  EXPECT_EQ(b.pixel(1, 1), rgb(255, 255, 255));
  EXPECT_EQ(b.pixel(0, 0), rgb(0, 0, 0));
  BmpSpec cut = s;
  cut.pixels = {0, 9, 1, 1};  // absolute run of nine with only two bytes left
  EXPECT_EQ(decodeOk(makeBmp(cut)).pixel(1, 1), rgb(255, 255, 255));
}

TEST(BmpDecoder, RefusesBadSizesDepthsAndCompressions) {
  auto with = [](auto change) {
    BmpSpec s;
    s.pixels.assign(16, 0);
    change(s);
    return makeBmp(s);
  };
  EXPECT_EQ(decodeError(with([](BmpSpec& s) { s.width = 0; })), "Bitmap has no pixels");
  EXPECT_EQ(decodeError(with([](BmpSpec& s) { s.height = 0; })), "Bitmap has no pixels");
  EXPECT_EQ(decodeError(with([](BmpSpec& s) { s.width = -5; })), "Bitmap has no pixels");
  EXPECT_EQ(decodeError(with([](BmpSpec& s) { s.height = INT32_MIN; })),
            "Bitmap height is out of range");
  EXPECT_NE(decodeError(with([](BmpSpec& s) { s.width = 100000; })).find("too large"),
            std::string::npos);
  EXPECT_NE(decodeError(with([](BmpSpec& s) { s.width = 30000, s.height = -30000; }))
                .find("too large"),
            std::string::npos);
  EXPECT_NE(decodeError(with([](BmpSpec& s) { s.width = INT32_MAX, s.height = INT32_MAX; }))
                .find("too large"),
            std::string::npos);
  for (uint16_t bpp : {0, 2, 3, 7, 33, 64, 0xFFFF})
    EXPECT_NE(decodeError(with([bpp](BmpSpec& s) { s.bpp = bpp; })).find("colour depth"),
              std::string::npos)
        << bpp;
  EXPECT_NE(decodeError(with([](BmpSpec& s) { s.compression = 1; })).find("compression"),
            std::string::npos);  // RLE8 on 24 bits
  EXPECT_NE(decodeError(with([](BmpSpec& s) { s.compression = 4; })).find("JPEG or PNG"),
            std::string::npos);
  EXPECT_NE(decodeError(with([](BmpSpec& s) { s.compression = 77; })).find("Unknown"),
            std::string::npos);
  EXPECT_NE(decodeError(with([](BmpSpec& s) { s.headerSize = 64; })).find("header size"),
            std::string::npos);
  EXPECT_NE(decodeError(with([](BmpSpec& s) {
              s.bpp = 16, s.compression = 3, s.masks = {0xF0F0, 0x0F00, 0x000F};
            })).find("contiguous"),
            std::string::npos);
}

TEST(BmpDecoder, RefusesOffsetsPastTheEndAndMissingRows) {
  BmpSpec s;
  s.pixels.assign(16, 0);
  auto f = makeBmp(s);
  f[10] = 0xFF, f[11] = 0xFF, f[12] = 0xFF, f[13] = 0xFF;  // bfOffBits 0xFFFFFFFF: would wrap
  EXPECT_NE(decodeError(f).find("past the end"), std::string::npos);
  auto g = makeBmp(s);
  g.resize(g.size() - 8);  // the top row is gone
  EXPECT_EQ(decodeError(g), "Bitmap pixel data is truncated");
  BmpSpec pal;
  pal.bpp = 8;
  pal.palette = {1, 2, 3};
  pal.clrUsed = 200;  // claims 200 entries, the file ends after 3 + pixels
  pal.pixels.assign(8, 0);
  auto p = makeBmp(pal);
  p[10] = p[11] = p[12] = p[13] = 0;  // no offset to bound the palette
  EXPECT_EQ(decodeError(p), "Bitmap palette is truncated");
}

TEST(BmpDecoder, EveryTruncationGivesAnErrorOrAPicture) {
  BmpSpec s;
  s.width = 3, s.height = 3, s.bpp = 8, s.compression = 1;
  s.palette = {0, 0xFFFFFF, 0xFF};
  s.pixels = {3, 1, 0, 0, 0, 3, 1, 2, 1, 0, 0, 0, 0, 2, 1, 0, 1, 2, 0, 1};
  const auto rle = makeBmp(s);
  BmpSpec t;
  t.width = 3, t.height = 2;
  t.pixels.assign(24, 0x55);
  const auto plain = makeBmp(t);
  int pictures = 0, errors = 0;
  for (const auto* f : {&rle, &plain}) {
    for (size_t n = 0; n < f->size(); ++n) {
      std::vector<uint8_t> cut(f->begin(), f->begin() + n);
      auto g = decodeBmp(cut.data(), cut.size());
      if (g) {
        ++pictures;
        EXPECT_EQ(g.value()->width(), 3);
        EXPECT_FALSE(g.value()->bitmap().empty());
      } else {
        ++errors;
      }
    }
  }
  // RLE data may end anywhere after the headers; plain rows only in the
  // last row's three padding bytes.
  EXPECT_EQ(pictures, int(s.pixels.size()) + 3);
  EXPECT_EQ(errors, int(rle.size() + plain.size()) - pictures);
}

// An RLE8 bitmap of w x h whose palette is black and white, then `data`.
std::vector<uint8_t> rle8(int32_t w, int32_t h, const std::vector<uint8_t>& data) {
  testing::Bytes b;
  b.text("BM").u32(0).u32(0).u32(14 + 40 + 8);  // file size (unused), reserved, offset of the data
  b.u32(40).i32(w).i32(h).u16(1).u16(8);        // info header size, width, height, planes, bits
  b.u32(1).u32(0).u32(0).u32(0);                // RLE8, image size, resolution
  b.u32(2).u32(0);                              // colours used, important
  b.u32(0).u32(0xFFFFFF);                       // palette: black, white
  return b.raw(data).v;
}

TEST(BmpDecoder, RleDataBoundsTheDeclaredSize) {
  // Found as a 64-byte file that took 265 MB to load and 1 GB to draw.
  std::ifstream in(std::string(VORN_TEST_DATA) + "/malformed/bmp/tiny-rle-claims-16384-square.bmp",
                   std::ios::binary);
  std::vector<uint8_t> tiny((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(tiny.size(), 64u);
  EXPECT_EQ(decodeError(tiny), "Picture data is too short for its size (16384 x 16384)");
  // 2048 x 1024 needs 512 bytes of data, however it is coded.
  std::vector<uint8_t> endOnly = {0, 1};  // end of bitmap
  endOnly.resize(510);
  EXPECT_EQ(decodeError(rle8(2048, 1024, endOnly)), "Picture data is too short for its size (2048 x 1024)");
  endOnly.resize(512);
  EXPECT_EQ(decodeOk(rle8(2048, 1024, endOnly)).pixel(5, 5), rgb(0, 0, 0));
  // Up to a megapixel any data will do: the rest of the picture is colour 0.
  EXPECT_EQ(decodeOk(rle8(1024, 1024, {0, 1})).width(), 1024);
  // A picture painted by runs holds about 128 pixels a byte: far inside.
  std::vector<uint8_t> runs;
  for (int y = 0; y < 1024; ++y) {
    for (int i = 0; i < 8; ++i) runs.insert(runs.end(), {255, 1});  // 255 white pixels
    runs.insert(runs.end(), {8, 1, 0, 0});                          // 8 more, end of line
  }
  const Bitmap24 painted = decodeOk(rle8(2048, 1024, runs));
  EXPECT_EQ(painted.pixel(2047, 0), rgb(255, 255, 255));
  EXPECT_EQ(painted.pixel(0, 1023), rgb(255, 255, 255));
}

TEST(BmpDecoder, RefusesNonBitmapData) {
  const uint8_t junk[] = {'P', 'K', 3, 4, 0, 0};
  EXPECT_EQ(decodeBmp(junk, sizeof junk).error(), "Not a bitmap file");
  EXPECT_EQ(decodeBmp(nullptr, 0).error(), "Not a bitmap file");
}

}  // namespace
}  // namespace vorn

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "codecs/decoders.h"
#include "codecs/gif_image.h"
#include "codecs/gif_lzw.h"
#include "byte_writer.h"
#include "gif_files.h"

namespace vorn {
namespace {

using testing::GifImageSpec;
using testing::GifSpec;
using testing::makeGif;

std::vector<uint8_t> ramp(size_t n, int mod) {
  std::vector<uint8_t> p(n);
  for (size_t i = 0; i < n; ++i) p[i] = uint8_t((i * 7 + i / 13) % size_t(mod));
  return p;
}

TGIFImage* asGif(GraphicResult& g) { return g ? dynamic_cast<TGIFImage*>(g.value().get()) : nullptr; }

TEST(GifLzw, RoundTripsThroughOurEncoderAtEveryCodeSize) {
  for (int m = 2; m <= 8; ++m) {
    const auto pixels = ramp(70000, 1 << m);  // long enough to fill the table and clear it
    const auto coded = testing::lzwEncode(pixels, m);
    std::vector<uint8_t> out(pixels.size(), 0xEE);
    ASSERT_TRUE(codecs::lzwDecode(m, coded.data(), coded.size(), out.data(), out.size()).ok()) << m;
    EXPECT_EQ(out, pixels) << m;
  }
}

TEST(GifLzw, RefusesBadCodeSizesAndCodesBeyondTheTable) {
  uint8_t out[4];
  const uint8_t data[] = {0x44, 0x01};
  for (int m : {0, 1, 9, 12, 255})
    EXPECT_FALSE(codecs::lzwDecode(m, data, sizeof data, out, 4).ok()) << m;
  // Code size 2: clear (4), then literal 1, then code 7 while the next free is 6.
  // Bits LSB first, 3 bits each: 100 | 001 | 111 -> 0b11'001'100 = 0xCC, then 0b1
  const uint8_t beyond[] = {0xCC, 0x01};
  EXPECT_FALSE(codecs::lzwDecode(2, beyond, sizeof beyond, out, 4).ok());
  // First code after the clear must be a literal: clear then 6.
  const uint8_t first[] = {0x34, 0x00};  // 100 | 110
  EXPECT_FALSE(codecs::lzwDecode(2, first, sizeof first, out, 4).ok());
}

TEST(GifLzw, ShortDataLeavesZerosAndLongStringsAreCut) {
  const std::vector<uint8_t> pixels(100, 3);
  const auto coded = testing::lzwEncode(pixels, 2);
  std::vector<uint8_t> out(40, 9);  // fewer pixels than coded: cut, no overrun
  EXPECT_TRUE(codecs::lzwDecode(2, coded.data(), coded.size(), out.data(), out.size()).ok());
  EXPECT_EQ(out, std::vector<uint8_t>(40, 3));
  std::vector<uint8_t> more(200, 9);  // more pixels than coded: the rest stays as is (zeroed by callers)
  EXPECT_TRUE(codecs::lzwDecode(2, coded.data(), 3, more.data(), more.size()).ok());
}

TEST(GifDecoder, DecodesTheFirstImageWithTheGlobalTable) {
  GifSpec s;
  s.images.push_back({0, 0, 2, 2, {0, 1, 2, 3}});
  const auto f = makeGif(s);
  auto g = decodeGif(f.data(), f.size());
  ASSERT_TRUE(g.ok()) << g.error();
  const Bitmap24& b = g.value()->bitmap();
  EXPECT_EQ(b.pixel(0, 0), rgb(0, 0, 0));
  EXPECT_EQ(b.pixel(1, 0), rgb(255, 255, 255));
  EXPECT_EQ(b.pixel(0, 1), rgb(255, 0, 0));
  EXPECT_EQ(b.pixel(1, 1), rgb(0, 0, 255));
}

TEST(GifDecoder, ShowsTheFirstImageOpaqueAtItsOwnSize) {
  GifSpec s;
  s.width = 10, s.height = 10;
  GifImageSpec a{1, 2, 3, 2, {1, 1, 1, 0, 0, 2}};
  a.delay = 10, a.transparent = 1;  // white is the transparent colour: still drawn white
  GifImageSpec b{0, 0, 5, 4, std::vector<uint8_t>(20, 2)};
  b.delay = 20;
  s.images = {a, b};
  const auto f = makeGif(s);
  auto g = decodeGif(f.data(), f.size());
  TGIFImage* gif = asGif(g);
  ASSERT_NE(gif, nullptr);
  EXPECT_EQ(gif->width(), 3);
  EXPECT_EQ(gif->height(), 2);
  EXPECT_EQ(gif->screenWidth(), 10);
  EXPECT_EQ(gif->frame().left, 1);
  EXPECT_EQ(gif->frame().delay, 10);
  EXPECT_EQ(gif->frame().transparentIndex, 1);
  Bitmap24 dst(3, 2);
  dst.fill(rgb(0, 200, 0));
  gif->draw(dst, Rect{0, 0, 3, 2});
  EXPECT_EQ(dst.pixel(0, 0), rgb(255, 255, 255));  // opaque: not the green beneath
  EXPECT_EQ(dst.pixel(2, 1), rgb(255, 0, 0));
}

TEST(GifDecoder, ReadsInterlacedRowsIntoPlace) {
  GifSpec s;
  s.width = 3, s.height = 11;
  GifImageSpec im{0, 0, 3, 11, {}};
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 3; ++x) im.pixels.push_back(uint8_t(y % 4));
  im.interlaced = true;
  s.images = {im};
  const auto f = makeGif(s);
  auto g = decodeGif(f.data(), f.size());
  ASSERT_TRUE(g.ok()) << g.error();
  const Bitmap24& b = g.value()->bitmap();
  const Color c[4] = {rgb(0, 0, 0), rgb(255, 255, 255), rgb(255, 0, 0), rgb(0, 0, 255)};
  for (int y = 0; y < 11; ++y) EXPECT_EQ(b.pixel(1, y), c[y % 4]) << y;
}

TEST(GifDecoder, Reads87aFilesAndFilesWithoutAnyColourTable) {
  GifSpec s;
  s.version = "87a";
  s.comment = false;
  s.globalTable.clear();
  GifImageSpec im{0, 0, 2, 1, {5, 200}};
  im.minCodeSize = 8;
  s.images = {im};
  const auto f = makeGif(s);
  auto g = decodeGif(f.data(), f.size());
  ASSERT_TRUE(g.ok()) << g.error();
  EXPECT_EQ(g.value()->bitmap().pixel(1, 0), rgb(200, 200, 200));
}

TEST(GifDecoder, IndicesBeyondTheTableAreBlack) {
  GifSpec s;
  s.globalTable = {rgb(255, 255, 255), rgb(255, 255, 255)};  // two entries, code size 2
  GifImageSpec im{0, 0, 2, 1, {1, 3}};
  im.minCodeSize = 2;
  s.images = {im};
  const auto f = makeGif(s);
  auto g = decodeGif(f.data(), f.size());
  ASSERT_TRUE(g.ok());
  EXPECT_EQ(g.value()->bitmap().pixel(1, 0), rgb(0, 0, 0));
}

TEST(GifDecoder, DefinedPicturesForOddFrames) {
  {  // frame outside the screen: kept at its own size and position
    GifSpec s;
    s.width = 2, s.height = 2;
    s.images = {{60000, 60000, 4, 1, {1, 1, 1, 1}}};
    const auto f = makeGif(s);
    auto g = decodeGif(f.data(), f.size());
    ASSERT_TRUE(g.ok());
    EXPECT_EQ(g.value()->width(), 4);
  }
  {  // 0 x 0 frame: an empty graphic, nothing to draw
    GifSpec s;
    s.images = {{0, 0, 0, 0, {}}};
    const auto f = makeGif(s);
    auto g = decodeGif(f.data(), f.size());
    ASSERT_TRUE(g.ok());
    EXPECT_TRUE(g.value()->empty());
    Bitmap24 dst(4, 4);
    g.value()->draw(dst, Rect{0, 0, 4, 4});
  }
  {  // missing trailer
    GifSpec s;
    s.images = {{0, 0, 2, 2, {0, 1, 2, 3}}};
    s.trailer = false;
    const auto f = makeGif(s);
    EXPECT_TRUE(decodeGif(f.data(), f.size()).ok());
  }
  {  // a broken second image is never read; the first stands
    GifSpec s;
    GifImageSpec bad{0, 0, 2, 2, {}};
    bad.rawData = {0xCC, 0x01};  // code beyond the table
    bad.minCodeSize = 2;
    s.images = {{0, 0, 2, 2, {0, 1, 2, 3}}, bad};
    const auto f = makeGif(s);
    auto g = decodeGif(f.data(), f.size());
    ASSERT_NE(asGif(g), nullptr);
    EXPECT_EQ(asGif(g)->bitmap().pixel(1, 1), rgb(0, 0, 255));
  }
}

TEST(GifDecoder, RefusesBrokenFirstImages) {
  auto err = [](const GifSpec& s) {
    const auto f = makeGif(s);
    auto g = decodeGif(f.data(), f.size());
    return g ? std::string("<decoded>") : g.error();
  };
  for (int m : {0, 1, 12, 13}) {
    GifSpec s;
    GifImageSpec im{0, 0, 2, 2, {}};
    im.minCodeSize = m;
    im.rawData = {0x04, 0x01};
    s.images = {im};
    EXPECT_NE(err(s).find("code size"), std::string::npos) << m;
  }
  GifSpec none;
  EXPECT_EQ(err(none), "GIF file has no images");
  GifSpec huge;
  GifImageSpec big{0, 0, 65535, 65535, {}};
  big.rawData = {0x04};
  huge.images = {big};
  EXPECT_NE(err(huge).find("too large"), std::string::npos);
  const uint8_t notgif[] = {'G', 'I', 'F', '9', '0', 'a', 1, 0, 1, 0, 0, 0, 0};
  EXPECT_FALSE(decodeGif(notgif, sizeof notgif).ok());
  EXPECT_FALSE(decodeGif(nullptr, 0).ok());
}

TEST(GifDecoder, EveryTruncationGivesAnErrorOrThePicture) {
  GifSpec s;
  s.width = 5, s.height = 4;
  GifImageSpec a{0, 0, 5, 4, ramp(20, 4)};
  a.delay = 5;
  GifImageSpec b{1, 1, 3, 3, ramp(9, 4)};
  b.interlaced = true;
  b.localTable = {rgb(1, 1, 1), rgb(2, 2, 2)};
  s.images = {a, b};
  const auto f = makeGif(s);
  auto whole = decodeGif(f.data(), f.size());
  ASSERT_TRUE(whole.ok()) << whole.error();
  // Cut before the end of the first image: an error; cut anywhere after
  // it: the same picture, as nothing after it is read.
  size_t first = 0;
  for (size_t n = 0; n <= f.size(); ++n) {
    auto g = decodeGif(f.data(), n);
    if (first) {
      ASSERT_TRUE(g.ok()) << n << ": " << g.error();
    } else if (!g) {
      continue;
    }
    if (!first) first = n;
    EXPECT_TRUE(g.value()->bitmap() == whole.value()->bitmap()) << n;
  }
  // The second image (descriptor, local table, data) and the trailer: > 20 bytes.
  EXPECT_GT(first, 40u);
  EXPECT_LT(first, f.size() - 20);
}

TEST(GifDecoder, ALocalTableReplacesTheGlobalOneWhole) {
  testing::Bytes b;
  b.text("GIF89a");
  b.u16(2).u16(1);                        // logical screen 2 x 1
  b.u8(0x81).u8(0).u8(0);                 // global table of 4 entries, background, aspect
  b.raw({0, 0, 0, 255, 255, 255});        // global 0 black, 1 white
  b.raw({255, 0, 0, 0, 0, 255});          // global 2 red, 3 blue
  b.u8(0x2C).u16(0).u16(0).u16(2).u16(1);  // image at 0,0 of 2 x 1
  b.u8(0x80);                             // local table of 2 entries, not interlaced
  b.raw({0, 255, 0, 0, 255, 0});          // local 0 and 1 green
  b.u8(2);                                // LZW minimum code size
  b.u8(2).raw({0xCC, 0x0A});              // one sub-block: clear, 1, 3, end (3 bits each)
  b.u8(0);                                // end of the image data
  b.u8(0x3B);                             // trailer
  auto g = decodeGif(b.v.data(), b.size());
  ASSERT_TRUE(g.ok()) << g.error();
  EXPECT_EQ(g.value()->bitmap().pixel(0, 0), rgb(0, 255, 0));
  EXPECT_EQ(g.value()->bitmap().pixel(1, 0), rgb(0, 0, 0));  // past the local table: black, not blue
}

}  // namespace
}  // namespace vorn

namespace vorn {
namespace {

TEST(GifDecoder, TinyDataClaimingAHugeFrameIsRefusedBeforeAllocating) {
  // Found by the fuzzer: 51 bytes, a frame of 17414 x 14336 pixels.
  std::ifstream in(std::string(VORN_TEST_DATA) + "/malformed/gif/tiny-file-claims-250-megapixels.gif",
                   std::ios::binary);
  std::vector<uint8_t> f((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(f.size(), 51u);
  auto g = decodeGif(f.data(), f.size());
  ASSERT_FALSE(g.ok());
  EXPECT_EQ(g.error(), "GIF image data is too short for its size");
}

}  // namespace
}  // namespace vorn

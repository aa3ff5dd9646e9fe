#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "bmp_files.h"
#include "byte_writer.h"
#include "codecs/decoders.h"
#include "codecs/icon.h"
#include "codecs/scale.h"
#include "ico_files.h"

namespace vorn {
namespace {

using testing::IcoImageSpec;
using testing::iconDib;
using testing::makeIco;

Bitmap24 solid(int32_t w, int32_t h, Color c) {
  Bitmap24 b(w, h);
  b.fill(c);
  return b;
}

std::string icoError(const std::vector<uint8_t>& f) {
  auto g = decodeIco(f.data(), f.size());
  return g ? std::string("<decoded>") : g.error();
}

TEST(IcoDecoder, AndMaskMakesPixelsTransparentWhenDrawn) {
  Bitmap24 c = solid(2, 2, rgb(200, 0, 0));
  c.setPixel(1, 0, rgb(0, 0, 0));
  const std::vector<uint8_t> mask = {0, 1, 0, 0};  // top right is transparent
  const auto f = makeIco({{2, 2, 24, iconDib(c, 24, mask)}});
  auto g = decodeIco(f.data(), f.size());
  ASSERT_TRUE(g.ok()) << g.error();
  auto* icon = dynamic_cast<TIcon*>(g.value().get());
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->coverage(1, 0), 0);
  EXPECT_EQ(icon->coverage(0, 0), 255);
  Bitmap24 dst = solid(4, 4, rgb(0, 255, 0));
  icon->draw(dst, Rect{1, 1, 3, 3});
  EXPECT_EQ(dst.pixel(1, 1), rgb(200, 0, 0));
  EXPECT_EQ(dst.pixel(2, 1), rgb(0, 255, 0));  // the surface shows through
  EXPECT_EQ(dst.pixel(2, 2), rgb(200, 0, 0));
  EXPECT_EQ(dst.pixel(0, 0), rgb(0, 255, 0));
  EXPECT_EQ(icon->bitmap().pixel(1, 0), rgb(0, 0, 0));
}

TEST(IcoDecoder, ThirtyTwoBitAlphaWinsOverTheMask) {
  const Bitmap24 c = solid(2, 1, rgb(255, 255, 255));
  const auto f = makeIco({{2, 1, 32, iconDib(c, 32, {1, 1}, {255, 0})}});
  auto g = decodeIco(f.data(), f.size());
  ASSERT_TRUE(g.ok()) << g.error();
  auto* icon = dynamic_cast<TIcon*>(g.value().get());
  EXPECT_EQ(icon->coverage(0, 0), 255);
  EXPECT_EQ(icon->coverage(1, 0), 0);
  // Without a mask at all, 32-bit alpha alone is enough.
  const auto nomask = makeIco({{2, 1, 32, iconDib(c, 32, {}, {255, 128}, false)}});
  auto h = decodeIco(nomask.data(), nomask.size());
  ASSERT_TRUE(h.ok()) << h.error();
  EXPECT_EQ(dynamic_cast<TIcon*>(h.value().get())->coverage(1, 0), 128);
}

TEST(IcoDecoder, PicksTheLargestImageThenTheDeepest) {
  const auto small = iconDib(solid(1, 1, rgb(1, 1, 1)), 24, {0});
  const auto big24 = iconDib(solid(2, 2, rgb(2, 2, 2)), 24, {0, 0, 0, 0});
  const auto big32 = iconDib(solid(2, 2, rgb(3, 3, 3)), 32, {0, 0, 0, 0}, {255, 255, 255, 255});
  const auto f = makeIco({{1, 1, 24, small}, {2, 2, 24, big24}, {2, 2, 32, big32}, {2, 2, 24, big24}});
  auto g = decodeIco(f.data(), f.size());
  ASSERT_TRUE(g.ok()) << g.error();
  EXPECT_EQ(g.value()->width(), 2);
  EXPECT_EQ(g.value()->bitmap().pixel(0, 0), rgb(3, 3, 3));
}

TEST(IcoDecoder, StretchedDrawBlendsAFullyOpaqueIconLikeAPicture) {
  const Bitmap24 c = testing::testPattern(8, 8);
  const auto f = makeIco({{8, 8, 24, iconDib(c, 24, std::vector<uint8_t>(64, 0))}});
  auto g = decodeIco(f.data(), f.size());
  ASSERT_TRUE(g.ok());
  Bitmap24 a = solid(16, 16, rgb(9, 9, 9)), b(16, 16);
  g.value()->draw(a, Rect{0, 0, 16, 16});
  stretchHighQuality(c, b, Rect{0, 0, 16, 16});
  EXPECT_EQ(a, b);  // nothing of the surface shows through
}

TEST(IcoDecoder, RefusesBrokenDirectoriesAndImages) {
  const auto dib = iconDib(solid(2, 2, rgb(1, 2, 3)), 24, {0, 0, 0, 0});
  EXPECT_EQ(icoError(makeIco({})), "Icon file holds no images");
  {
    auto f = makeIco({{2, 2, 24, dib}});
    f[4] = 0xFF, f[5] = 0xFF;  // count 65535, directory far beyond the file
    EXPECT_EQ(icoError(f), "Icon directory is truncated");
  }
  {
    auto f = makeIco({{2, 2, 24, dib}});
    f[2] = 2;  // type 2 is a cursor
    EXPECT_EQ(icoError(f), "Not an icon file");
  }
  {
    auto f = makeIco({{2, 2, 24, dib}});
    f[18] = 0xF0, f[19] = 0xFF, f[20] = 0xFF, f[21] = 0xFF;  // offset that would wrap
    EXPECT_EQ(icoError(f), "Icon image lies outside the file");
  }
  EXPECT_EQ(icoError(makeIco({{4, 4, 24, dib}})), "Icon image height is not twice the icon's height");
  {
    auto cut = dib;
    cut.resize(cut.size() - 4);  // the mask's last row is missing
    EXPECT_EQ(icoError(makeIco({{2, 2, 24, cut}})), "Icon mask is truncated");
  }
  const std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13};
  EXPECT_EQ(icoError(makeIco({{0, 0, 32, png}})), "Icons holding PNG images are not supported");
  // 68 bytes: an RLE image of 32768 x 256 whose data is the end code alone.
  std::ifstream in(std::string(VORN_TEST_DATA) + "/malformed/ico/tiny-rle-icon-claims-8-megapixels.ico",
                   std::ios::binary);
  const std::vector<uint8_t> rle((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(rle.size(), 68u);
  EXPECT_EQ(icoError(rle), "Picture data is too short for its size (32768 x 256)");
}

TEST(IcoDecoder, PngImagesArePassedOverForTheLargestOther) {
  testing::Bytes b;
  b.u16(0).u16(1).u16(3);  // reserved, type icon, three images
  // Directory: width, height (0 = 256), colours, reserved, planes, bits, bytes, offset.
  b.u8(0).u8(0).u8(0).u8(0).u16(1).u16(32).u32(16).u32(54);            // 256 x 256 PNG
  b.u8(1).u8(1).u8(0).u8(0).u16(1).u16(24).u32(48).u32(70);            // 1 x 1 DIB
  b.u8(2).u8(1).u8(0).u8(0).u16(1).u16(24).u32(52).u32(118);           // 2 x 1 DIB
  b.raw({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}).zeros(8);       // PNG signature, then anything
  for (int w = 1; w <= 2; ++w) {
    b.u32(40).i32(w).i32(2).u16(1).u16(24).u32(0).zeros(20);            // info header, height x 2 for the mask
    b.raw({0, 0, 200}).zeros(size_t(w - 1) * 3).zeros(size_t(4 - w * 3 % 4) % 4);  // red row
    b.u8(0).zeros(3);                                                   // mask row: opaque
  }
  auto g = decodeIco(b.v.data(), b.size());
  ASSERT_TRUE(g.ok()) << g.error();
  EXPECT_EQ(g.value()->width(), 2);
  EXPECT_EQ(g.value()->bitmap().pixel(0, 0), rgb(200, 0, 0));
}

TEST(IcoDecoder, EveryTruncationGivesAnErrorOrAPicture) {
  const Bitmap24 c = testing::testPattern(3, 3);
  const auto f = makeIco({{3, 3, 24, iconDib(c, 24, std::vector<uint8_t>(9, 0))},
                          {2, 2, 32, iconDib(solid(2, 2, 7), 32, {1, 0, 0, 1})}});
  size_t first = 0;
  for (size_t n = 0; n <= f.size(); ++n) {
    auto g = decodeIco(f.data(), n);
    if (g) {
      if (!first) first = n;
      EXPECT_EQ(g.value()->bitmap().width(), 3);
    }
  }
  // The larger image comes first: a picture shows once it is whole.
  EXPECT_EQ(first, 6u + 32u + iconDib(c, 24, std::vector<uint8_t>(9, 0)).size());
}

}  // namespace
}  // namespace vorn

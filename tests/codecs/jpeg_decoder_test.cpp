#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "bmp_files.h"
#include "codecs/decoders.h"
#include "codecs/pixel_graphic.h"
#include "jpeg_files.h"

namespace vorn {
namespace {

using testing::JpegKind;
using testing::makeJpeg;

// Mean absolute difference per channel between two same-sized pictures.
double meanDiff(const Bitmap24& a, const Bitmap24& b) {
  double sum = 0;
  for (int32_t y = 0; y < a.height(); ++y)
    for (int32_t i = 0; i < a.width() * 3; ++i) sum += std::abs(int(a.row(y)[i]) - int(b.row(y)[i]));
  return sum / (double(a.width()) * a.height() * 3);
}

Bitmap24 smooth(int32_t w, int32_t h) {
  Bitmap24 b(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) b.setPixel(x, y, rgb(uint8_t(x * 4), uint8_t(y * 4), 128));
  return b;
}

TEST(JpegDecoder, DecodesColourPicturesTo24Bits) {
  const Bitmap24 src = smooth(48, 40);
  const auto f = makeJpeg(src, JpegKind::Rgb, 95);
  auto g = decodeJpeg(f.data(), f.size());
  ASSERT_TRUE(g.ok()) << g.error();
  auto* jp = dynamic_cast<TJPEGImage*>(g.value().get());
  ASSERT_NE(jp, nullptr);
  EXPECT_EQ(jp->bitsPerPixel(), 24);
  EXPECT_EQ(jp->width(), 48);
  EXPECT_EQ(jp->height(), 40);
  EXPECT_LT(meanDiff(jp->bitmap(), src), 3.0);
}

TEST(JpegDecoder, ProgressiveFilesDecodeLikeBaselineOnes) {
  const Bitmap24 src = smooth(33, 17);
  const auto f = makeJpeg(src, JpegKind::Progressive, 95);
  auto g = decodeJpeg(f.data(), f.size());
  ASSERT_TRUE(g.ok()) << g.error();
  EXPECT_LT(meanDiff(g.value()->bitmap(), src), 3.0);
}

TEST(JpegDecoder, GreyPicturesBecomeAnEightBitPaletteOfAtMost236Greys) {
  const auto f = makeJpeg(smooth(64, 64), JpegKind::Grey);
  auto g = decodeJpeg(f.data(), f.size());
  ASSERT_TRUE(g.ok()) << g.error();
  auto* jp = dynamic_cast<TJPEGImage*>(g.value().get());
  ASSERT_NE(jp, nullptr);
  EXPECT_EQ(jp->bitsPerPixel(), 8);
  const codecs::IndexedImage* ix = jp->indexed();
  ASSERT_NE(ix, nullptr);
  EXPECT_LE(ix->paletteSize, 236);
  EXPECT_GT(ix->paletteSize, 200);
  for (int i = 0; i < ix->paletteSize; ++i) {
    const Color c = ix->palette[size_t(i)];
    EXPECT_TRUE(redOf(c) == greenOf(c) && greenOf(c) == blueOf(c));
  }
  for (uint8_t p : ix->pixels) ASSERT_LT(p, ix->paletteSize);
  // Drawn into 24-bit frames as greys.
  const Bitmap24& b = jp->bitmap();
  EXPECT_EQ(b.width(), 64);
  const Color c = b.pixel(40, 20);
  EXPECT_EQ(redOf(c), blueOf(c));
}

TEST(JpegDecoder, CmykPicturesAreConvertedToRgb) {
  const Bitmap24 src = smooth(24, 24);
  for (JpegKind k : {JpegKind::Cmyk, JpegKind::AdobeCmyk}) {
    const auto f = makeJpeg(src, k, 95);
    auto g = decodeJpeg(f.data(), f.size());
    ASSERT_TRUE(g.ok()) << g.error();
    EXPECT_LT(meanDiff(g.value()->bitmap(), src), 4.0);
  }
}

TEST(JpegDecoder, TwelveBitPrecisionIsRefused) {
  auto f = makeJpeg(smooth(16, 16), JpegKind::Grey);
  const size_t at = testing::jpegPrecisionOffset(f);
  ASSERT_NE(at, 0u);
  ASSERT_EQ(f[at], 8);
  f[at] = 12;
  auto g = decodeJpeg(f.data(), f.size());
  ASSERT_FALSE(g.ok());
  EXPECT_NE(g.error().find("precision"), std::string::npos) << g.error();
}

TEST(JpegDecoder, TruncatedScansGiveThePictureAndTruncatedHeadersAnError) {
  const auto f = makeJpeg(testing::testPattern(40, 30), JpegKind::Rgb);
  size_t pictures = 0;
  for (size_t n = 0; n < f.size(); n += (n < 700 ? 1 : 37)) {
    auto g = decodeJpeg(f.data(), n);
    if (g) {
      ++pictures;
      EXPECT_EQ(g.value()->width(), 40);
      EXPECT_EQ(g.value()->bitmap().height(), 30);
    }
  }
  EXPECT_GT(pictures, 20u);
  auto half = decodeJpeg(f.data(), f.size() * 3 / 4);
  EXPECT_TRUE(half.ok());
  EXPECT_FALSE(decodeJpeg(f.data(), 20).ok());
  EXPECT_FALSE(decodeJpeg(nullptr, 0).ok());
}

TEST(JpegDecoder, HugeDeclaredSizesAreRefusedBeforeAllocating) {
  auto f = makeJpeg(smooth(16, 16), JpegKind::Rgb);
  const size_t at = testing::jpegPrecisionOffset(f);
  f[at + 1] = 0x9C, f[at + 2] = 0x40;  // height 40000
  f[at + 3] = 0x9C, f[at + 4] = 0x40;  // width 40000
  auto g = decodeJpeg(f.data(), f.size());
  ASSERT_FALSE(g.ok());
  EXPECT_NE(g.error().find("too large"), std::string::npos) << g.error();
}

TEST(JpegDecoder, TheDataBoundsTheDeclaredSize) {
  // Found as a 159-byte file of 16 x 16 pixels whose header claims 8000 x 8000:
  // it took 191 MB and a second.
  std::ifstream in(std::string(VORN_TEST_DATA) + "/malformed/jpeg/tiny-file-claims-8000-square.jpg",
                   std::ios::binary);
  std::vector<uint8_t> tiny((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(tiny.size(), 159u);
  auto g = decodeJpeg(tiny.data(), tiny.size());
  ASSERT_FALSE(g.ok());
  EXPECT_EQ(g.error(), "Picture data is too short for its size (8000 x 8000)");
  EXPECT_FALSE(decodeJpegScaled(tiny.data(), tiny.size(), 8).ok());  // 1000 x 1000 out, 8000 x 8000 in
  // A flat picture, the densest kind, and a photo cut to its top part load;
  // a few hundred bytes of the photo do not.
  Bitmap24 flat(2048, 1024);
  flat.fill(rgb(90, 90, 90));
  const auto f = makeJpeg(flat, JpegKind::Rgb, 75);
  EXPECT_TRUE(decodeJpeg(f.data(), f.size()).ok());
  const auto photo = makeJpeg(testing::testPattern(2048, 1024), JpegKind::Rgb, 75);
  EXPECT_TRUE(decodeJpeg(photo.data(), photo.size() / 2).ok());
  EXPECT_FALSE(decodeJpeg(photo.data(), 500).ok());
}

TEST(JpegDecoder, ScaledDecodingDividesTheSize) {
  const auto f = makeJpeg(smooth(64, 48), JpegKind::Rgb);
  for (int d : {1, 2, 4, 8}) {
    auto g = decodeJpegScaled(f.data(), f.size(), d);
    ASSERT_TRUE(g.ok()) << g.error();
    EXPECT_EQ(g.value()->width(), 64 / d);
    EXPECT_EQ(g.value()->height(), 48 / d);
  }
  EXPECT_FALSE(decodeJpegScaled(f.data(), f.size(), 3).ok());
}

TEST(JpegDecoder, RefusesOtherFormats) {
  const auto bmp = testing::bmpOf(testing::testPattern(4, 4));
  auto g = decodeJpeg(bmp.data(), bmp.size());
  ASSERT_FALSE(g.ok());
  EXPECT_NE(g.error().find("Not a JPEG"), std::string::npos) << g.error();
}

}  // namespace
}  // namespace vorn

// Pictures loaded as the show shows them: resampled once to their place in
// the window, a JPEG decoded no larger than that needs, and turned upright
// as the camera recorded.
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include "bmp_files.h"
#include "codecs/exif_orientation.h"
#include "codecs/picture.h"
#include "codecs/scale.h"
#include "jpeg_files.h"
#include "raster/fit_rect.h"

namespace vorn {
namespace {

using testing::bmpOf;
using testing::JpegKind;
using testing::makeJpeg;
using testing::withExif;

Bitmap24 shown(const char* name, const std::vector<uint8_t>& file, const PictureFit& fit,
               PictureSize* upright = nullptr) {
  TPicture pic;
  const Status s = pic.LoadForShowFromBytes(name, file.data(), file.size(), fit, upright);
  EXPECT_TRUE(s.ok()) << (s ? "" : s.error());
  return pic.hasGraphic() ? pic.graphic()->bitmap() : Bitmap24();
}

int channelDiff(Color a, Color b) {
  int d = 0;
  for (int s : {0, 8, 16}) d = std::max(d, std::abs(int((a >> s) & 255) - int((b >> s) & 255)));
  return d;
}

Bitmap24 flat(int32_t w, int32_t h, Color c) {
  Bitmap24 b(w, h);
  b.fill(c);
  return b;
}

TEST(PictureFit, TheShownSizeIsTheDisplayRectangle) {
  const PictureFit box{160, 90};
  for (auto [w, h] : {std::pair{640, 200}, {200, 640}, {300, 300}, {1, 90}, {1, 40}, {3, 1}, {160, 90}, {80, 45}}) {
    const Bitmap24 b = shown("p.bmp", bmpOf(testing::testPattern(w, h)), box);
    const Rect r = FitRect(Rect{0, 0, w, h}, Rect{0, 0, 160, 90});
    EXPECT_EQ(std::pair(b.width(), b.height()), std::pair(r.width(), r.height())) << w << "x" << h;
  }
  // Without a box the picture keeps its own size.
  const Bitmap24 own = shown("p.bmp", bmpOf(testing::testPattern(640, 200)), {});
  EXPECT_EQ(std::pair(own.width(), own.height()), std::pair(640, 200));
}

TEST(PictureFit, FlatColoursStayExactShrunkOrEnlarged) {
  const Color c = rgb(13, 200, 77);
  for (auto [w, h] : {std::pair{1000, 333}, {37, 23}, {2, 1}}) {
    const Bitmap24 b = shown("p.bmp", bmpOf(flat(w, h, c)), PictureFit{160, 90});
    ASSERT_FALSE(b.empty());
    for (int32_t y = 0; y < b.height(); ++y)
      for (int32_t x = 0; x < b.width(); ++x) ASSERT_EQ(b.pixel(x, y), c) << w << "x" << h << " at " << x << "," << y;
  }
}

// The platform's stretch keeps one of every few pixels (or ANDs them) and
// turns a fine pattern black or into stripes; the fit averages it.
TEST(PictureFit, AShrunkFineCheckerboardIsItsMeanGrey) {
  for (int factor : {2, 4, 8}) {
    Bitmap24 board(160 * factor, 90 * factor);
    for (int32_t y = 0; y < board.height(); ++y)
      for (int32_t x = 0; x < board.width(); ++x) board.setPixel(x, y, (x + y) % 2 ? rgb(255, 255, 255) : 0);
    const Bitmap24 b = shown("p.bmp", bmpOf(board), PictureFit{160, 90});
    ASSERT_EQ(b.width(), 160);
    for (int32_t y = 0; y < b.height(); ++y)
      for (int32_t x = 0; x < b.width(); ++x)
        ASSERT_LE(channelDiff(b.pixel(x, y), rgb(128, 128, 128)), 1) << "1/" << factor << " at " << x << "," << y;
  }
}

TEST(PictureFit, AnEnlargedTinyPictureIsSmoothNotBlocky) {
  Bitmap24 two(2, 2);
  two.setPixel(1, 0, rgb(255, 255, 255));
  two.setPixel(0, 1, rgb(255, 255, 255));
  const Bitmap24 b = shown("p.bmp", bmpOf(two), PictureFit{160, 160});
  ASSERT_EQ(b.width(), 160);
  for (int32_t y : {0, 80, 159})
    for (int32_t x = 1; x < 160; ++x) ASSERT_LE(channelDiff(b.pixel(x, y), b.pixel(x - 1, y)), 8) << x << "," << y;
  EXPECT_LE(channelDiff(b.pixel(0, 0), 0), 8);
  EXPECT_LE(channelDiff(b.pixel(159, 0), rgb(255, 255, 255)), 8);
}

TEST(PictureFit, JpegScalingIsTheSmallestThatStillCoversTheDisplay) {
  // Exactly twice, four and eight times the display; just under and just over.
  EXPECT_EQ(codecs::jpegScaleFor(3840, 2160, 1920, 1080), 2);
  EXPECT_EQ(codecs::jpegScaleFor(7680, 4320, 1920, 1080), 4);
  EXPECT_EQ(codecs::jpegScaleFor(15360, 8640, 1920, 1080), 8);
  EXPECT_EQ(codecs::jpegScaleFor(60000, 40000, 1920, 1080), 8);
  EXPECT_EQ(codecs::jpegScaleFor(3838, 2160, 1920, 1080), 1);
  EXPECT_EQ(codecs::jpegScaleFor(3840, 2158, 1920, 1080), 1);
  EXPECT_EQ(codecs::jpegScaleFor(7676, 4320, 1920, 1080), 2);
  EXPECT_EQ(codecs::jpegScaleFor(3842, 2162, 1920, 1080), 2);
  EXPECT_EQ(codecs::jpegScaleFor(7682, 4322, 1920, 1080), 4);
  // libjpeg rounds the scaled size up: 3839 / 2 gives 1920 pixels.
  EXPECT_EQ(codecs::jpegScaleFor(3839, 2159, 1920, 1080), 2);
  EXPECT_EQ(codecs::jpegScaleFor(100, 100, 400, 400), 1);  // enlarged: full size
}

TEST(PictureFit, AScaledJpegDecodeShowsLikeTheFullDecodeFitted) {
  Bitmap24 src(640, 480);
  for (int32_t y = 0; y < 480; ++y)
    for (int32_t x = 0; x < 640; ++x) src.setPixel(x, y, rgb(uint8_t(x / 3), uint8_t(y / 2), uint8_t((x + y) / 5)));
  const auto file = makeJpeg(src, JpegKind::Rgb, 95);
  for (PictureFit box : {PictureFit{160, 160}, PictureFit{300, 200}, PictureFit{90, 40}}) {
    const Bitmap24 fitted = shown("p.jpg", file, box);
    TPicture full;
    ASSERT_TRUE(full.LoadFromBytes("p.jpg", file.data(), file.size()));
    Bitmap24 ref(fitted.width(), fitted.height());
    stretchHighQuality(full.graphic()->bitmap(), ref, Rect{0, 0, ref.width(), ref.height()});
    const Rect r = FitRect(Rect{0, 0, 640, 480}, Rect{0, 0, box.boxWidth, box.boxHeight});
    ASSERT_EQ(std::pair(fitted.width(), fitted.height()), std::pair(r.width(), r.height()));
    for (int32_t y = 0; y < ref.height(); ++y)
      for (int32_t x = 0; x < ref.width(); ++x) ASSERT_LE(channelDiff(fitted.pixel(x, y), ref.pixel(x, y)), 6);
  }
}

// Four flat quarters, red green / blue white, in 8-pixel blocks so that
// the JPEG keeps them flat.
Bitmap24 quarters() {
  Bitmap24 b(32, 16);
  const Color c[4] = {rgb(255, 0, 0), rgb(0, 255, 0), rgb(0, 0, 255), rgb(255, 255, 255)};
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 32; ++x) b.setPixel(x, y, c[(y >= 8) * 2 + (x >= 16)]);
  return b;
}

TEST(ExifOrientation, AllEightAreTurnedUprightInEitherByteOrder) {
  const Color R = rgb(255, 0, 0), G = rgb(0, 255, 0), B = rgb(0, 0, 255), W = rgb(255, 255, 255);
  // The corners of the upright picture: top-left, top-right, bottom-left, bottom-right.
  const Color corners[9][4] = {{},           {R, G, B, W}, {G, R, W, B}, {W, B, G, R}, {B, W, R, G},
                               {R, B, G, W}, {B, R, W, G}, {W, G, B, R}, {G, W, R, B}};
  const auto plain = makeJpeg(quarters(), JpegKind::Rgb, 100);
  for (int o = 1; o <= 8; ++o)
    for (bool big : {false, true})
      for (PictureFit fit : {PictureFit{}, PictureFit{64, 64}}) {
        SCOPED_TRACE(::testing::Message() << "orientation " << o << (big ? " MM" : " II") << " box " << fit.boxWidth);
        const auto file = withExif(plain, o, big);
        EXPECT_EQ(codecs::jpegOrientation(file.data(), file.size()), o);
        PictureSize upright;
        const Bitmap24 b = shown("p.jpg", file, fit, &upright);
        const bool turned = o >= 5;
        EXPECT_EQ(upright, (turned ? PictureSize{16, 32} : PictureSize{32, 16}));
        const int32_t w = b.width(), h = b.height();
        EXPECT_EQ(std::pair(w, h), fit.fits() ? (turned ? std::pair(32, 64) : std::pair(64, 32))
                                              : (turned ? std::pair(16, 32) : std::pair(32, 16)));
        const Color got[4] = {b.pixel(1, 1), b.pixel(w - 2, 1), b.pixel(1, h - 2), b.pixel(w - 2, h - 2)};
        for (int i = 0; i < 4; ++i) EXPECT_LE(channelDiff(got[i], corners[o][i]), 24) << "corner " << i;
      }
}

TEST(ExifOrientation, BrokenOrLyingBlocksMeanUpright) {
  const auto plain = makeJpeg(quarters(), JpegKind::Rgb, 90);
  const auto good = withExif(plain, 6, false);
  auto at = [](std::vector<uint8_t> f) { return codecs::jpegOrientation(f.data(), f.size()); };
  // Every truncation of the file before the end of its EXIF block.
  for (size_t n = 0; n < 12 + 38; ++n) EXPECT_EQ(at({good.begin(), good.begin() + n}), 1) << n;
  auto tiff = [](std::initializer_list<uint8_t> bytes) { return std::vector<uint8_t>(bytes); };
  const std::vector<uint8_t> lies[] = {
      tiff({'I', 'I', 42, 0, 0xF0, 0xFF, 0xFF, 0xFF}),               // directory past the end
      tiff({'I', 'I', 42, 0, 8, 0, 0, 0, 0xFF, 0xFF, 0x12, 0x01}),  // more entries than bytes
      tiff({'I', 'I', 42, 0, 0, 0, 0, 0}),                           // the directory is the header itself
      tiff({'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 0x12, 0x01, 3, 0, 1, 0, 0, 0, 9, 0, 0, 0}),  // value 9
      tiff({'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 0x12, 0x01, 3, 0, 1, 0, 0, 0, 0, 0, 0, 0}),  // value 0
      tiff({'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 0x12, 0x01, 7, 0, 1, 0, 0, 0, 6, 0, 0, 0}),  // not a number
      tiff({'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 0x12, 0x01, 3, 0, 1, 0, 0, 0, 6}),           // value cut off
      tiff({'M', 'I', 42, 0, 8, 0, 0, 0}),  // no byte order
  };
  for (const auto& t : lies) {
    const auto f = testing::withExifBytes(plain, t);
    EXPECT_EQ(at(f), 1);
    EXPECT_FALSE(shown("p.jpg", f, PictureFit{64, 64}).empty());  // and the picture still shows
  }
  // A segment length past the end of the file.
  auto longer = good;
  longer[4] = 0xFF;
  EXPECT_EQ(at(longer), 1);
  // Not a JPEG at all.
  EXPECT_EQ(at(bmpOf(quarters())), 1);
}

}  // namespace
}  // namespace vorn

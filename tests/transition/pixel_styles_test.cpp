#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "support/noise_bitmap.h"
#include "platform/random.h"
#include "raster/region.h"
#include "transition/frame_context.h"
#include "transition/pixel_styles.h"

using namespace vorn;

namespace {

using vorn::testing::noise;

// The plain forms the fast ones must equal byte for byte.
void referenceBlend(Bitmap24& t, const Bitmap24& s, int32_t p) {
  for (int32_t y = 0; y < s.height(); ++y)
    for (int32_t i = 0; i < s.width() * 3; ++i) {
      uint8_t& v = t.row(y)[i];
      v = uint8_t(v * (100 - p) / 100 + p * s.row(y)[i] / 100);
    }
}

void referenceRotateBy(Bitmap24& t, const Bitmap24& s, int32_t cx, int32_t cy, long double theta) {
  const long double sn = std::sin(theta), cs = std::cos(theta);
  for (int32_t y = 0; y < s.height(); ++y)
    for (int32_t x = 0; x < s.width(); ++x) {
      const long double dx = x - cx, dy = y - cy;
      const long double ru = dx * cs - dy * sn;
      const long double rv = dx * sn + dy * cs;
      const int64_t u = cx + (int64_t)std::nearbyint(ru);
      const int64_t v = cy + (int64_t)std::nearbyint(rv);
      if (u >= 0 && u < s.width() && v >= 0 && v < s.height())
        t.setPixel(x, y, s.pixel(int32_t(u), int32_t(v)));
    }
}

void referenceRotate(Bitmap24& t, const Bitmap24& s, int32_t cx, int32_t cy, int32_t p) {
  referenceRotateBy(t, s, cx, cy, (long double)(100 - p) * 3.1415926535897932385L / 200.0L);
}

struct Pivot {
  int style;
  int32_t cx, cy;
};
std::vector<Pivot> pivots(int32_t W, int32_t H) {
  return {{119, -1, -1}, {120, -1, H}, {121, W, -1}, {122, W, H}};
}

void runStyle(int style, Bitmap24& screen, const Bitmap24& oldImage, const Bitmap24& newImage, int32_t p) {
  LcgRandom random(1);
  FrameContext f{screen, newImage, oldImage, FrameGeometry::compute(newImage.width(), newImage.height(), p, 10),
                 random, Rect{}, Rect{}, nullptr, {}};
  pixelStyle(style, f);
}

}  // namespace

TEST(PixelStyles, TheWordDivisionByAHundredIsExactOverTheBlendRange) {
  for (uint32_t v = 0; v <= 25500; ++v) ASSERT_EQ((v * 5243u) >> 19, v / 100) << v;
}

TEST(PixelStyles, BlendOfBlackIntoWhiteAtFiftyGives127AndAtHundredTheNewPicture) {
  const Bitmap24 white = [] {
    Bitmap24 b(9, 4);
    b.fill(rgb(255, 255, 255));
    return b;
  }();
  Bitmap24 screen(9, 4);
  BlendImages(screen, white, 50);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t i = 0; i < 27; ++i) ASSERT_EQ(screen.row(y)[i], 127);
  Bitmap24 s2 = noise(9, 4, 1);
  const Bitmap24 n = noise(9, 4, 2);
  BlendImages(s2, n, 100);
  EXPECT_TRUE(s2 == n);
  Bitmap24 s3 = noise(9, 4, 1), old = s3;
  BlendImages(s3, n, 0);
  EXPECT_TRUE(s3 == old);
}

TEST(PixelStyles, BlendMatchesThePlainFormulaAtEveryProgressAndOddWidths) {
  for (auto [w, h] : {std::pair{1, 1}, std::pair{5, 3}, std::pair{7, 2}, std::pair{33, 5}, std::pair{101, 4}}) {
    const Bitmap24 oldImage = noise(w, h, uint32_t(w)), newImage = noise(w, h, uint32_t(h + 100));
    for (int32_t p = 0; p <= 100; ++p) {
      Bitmap24 fast = oldImage, plain = oldImage;
      runStyle(118, fast, oldImage, newImage, p);
      referenceBlend(plain, newImage, p);
      ASSERT_TRUE(fast == plain) << w << "x" << h << " p " << p;
      // Row padding is left alone.
      for (int32_t y = 0; y < h; ++y)
        for (size_t i = size_t(w) * 3; i < fast.stride(); ++i) ASSERT_EQ(fast.row(y)[i], 0);
    }
  }
}

TEST(PixelStyles, RotationsLeaveTheOldImageAtZeroAndTopLeftIsTheIdentityAtHundred) {
  const Bitmap24 oldImage = noise(23, 17, 3), newImage = noise(23, 17, 4);
  for (const Pivot& pv : pivots(23, 17)) {
    Bitmap24 screen = oldImage;
    runStyle(pv.style, screen, oldImage, newImage, 0);
    EXPECT_TRUE(screen == oldImage) << pv.style;
  }
  Bitmap24 screen = oldImage;
  runStyle(119, screen, oldImage, newImage, 100);
  EXPECT_TRUE(screen == newImage);
}

TEST(PixelStyles, RotationsMatchThePlainExtendedFormulaAtEveryProgress) {
  for (auto [w, h] : {std::pair{1, 1}, std::pair{2, 1}, std::pair{1, 3}, std::pair{61, 47}, std::pair{40, 64}}) {
    const Bitmap24 oldImage = noise(w, h, uint32_t(w * 7)), newImage = noise(w, h, uint32_t(h * 11));
    for (const Pivot& pv : pivots(w, h))
      for (int32_t p = 0; p <= 100; ++p) {
        Bitmap24 fast = oldImage, plain = oldImage;
        runStyle(pv.style, fast, oldImage, newImage, p);
        referenceRotate(plain, newImage, pv.cx, pv.cy, p);
        ASSERT_TRUE(fast == plain) << w << "x" << h << " style " << pv.style << " p " << p;
      }
  }
}

TEST(PixelStyles, RotationsMatchThePlainFormulaOnLargeFrames) {
  // Larger offsets from the pivot make products that land near halves more
  // likely; every step of the run at a picture size of the show.
  const Bitmap24 oldImage = noise(320, 240, 5), newImage = noise(320, 240, 6);
  for (const Pivot& pv : pivots(320, 240))
    for (int32_t p = 3; p <= 100; p += 13) {
      Bitmap24 fast = oldImage, plain = oldImage;
      runStyle(pv.style, fast, oldImage, newImage, p);
      referenceRotate(plain, newImage, pv.cx, pv.cy, p);
      ASSERT_TRUE(fast == plain) << "style " << pv.style << " p " << p;
    }
}


TEST(PixelStyles, RotationsMatchThePlainFormulaWhereCoordinatesFallNearHalves) {
  // With a cosine or sine of (almost) one half, every odd offset gives a
  // product within a hair of a half, so the fast coordinates must hand
  // those pixels to the exact form, which then decides by the last bits.
  const long double kPi = 3.1415926535897932385L;
  const Bitmap24 oldImage = noise(61, 47, 8), newImage = noise(61, 47, 9);
  for (long double theta : {kPi / 3, kPi / 6, kPi / 4, -kPi / 3})
    for (const Pivot& pv : pivots(61, 47)) {
      Bitmap24 fast = oldImage, plain = oldImage;
      RotateImage(fast, newImage, pv.cx, pv.cy, theta);
      referenceRotateBy(plain, newImage, pv.cx, pv.cy, theta);
      ASSERT_TRUE(fast == plain) << "pivot of style " << pv.style << " theta " << double(theta);
    }
  // A pivot far outside the picture takes the plain per-pixel form.
  Bitmap24 fast = oldImage, plain = oldImage;
  RotateImage(fast, newImage, -70000, 20, 1e-4L);
  referenceRotateBy(plain, newImage, -70000, 20, 1e-4L);
  EXPECT_TRUE(fast == plain);
  EXPECT_FALSE(fast == oldImage);
}

TEST(PixelStyles, FramesReadingTheOldPictureEqualTheOldPictureLaidDownFirst) {
  // The one-pass frame takes the old picture where the new one does not
  // reach; whatever the screen held before must not show through.
  for (auto [w, h] : {std::pair{1, 1}, std::pair{61, 47}, std::pair{320, 240}}) {
    const Bitmap24 oldImage = noise(w, h, 21), newImage = noise(w, h, 22), stale = noise(w, h, 23);
    for (int32_t p : {1, 13, 50, 87, 99}) {
      Bitmap24 laid = oldImage, onePass = stale;
      BlendImages(laid, newImage, p);
      BlendImages(onePass, newImage, p, &oldImage);
      ASSERT_TRUE(onePass == laid) << "blend " << w << "x" << h << " p " << p;
      for (const Pivot& pv : pivots(w, h)) {
        laid = oldImage;
        onePass = stale;
        RotateImage(laid, newImage, pv.cx, pv.cy, rotationAngle(p));
        RotateImage(onePass, newImage, pv.cx, pv.cy, rotationAngle(p), &oldImage);
        ASSERT_TRUE(onePass == laid) << "style " << pv.style << " " << w << "x" << h << " p " << p;
      }
    }
  }
  // A far pivot, and an old picture of another size, lay it down whole.
  const Bitmap24 oldImage = noise(40, 30, 1), newImage = noise(40, 30, 2), small = noise(20, 10, 3);
  Bitmap24 laid = oldImage, onePass = noise(40, 30, 4);
  RotateImage(laid, newImage, -70000, 5, 1e-4L);
  RotateImage(onePass, newImage, -70000, 5, 1e-4L, &oldImage);
  EXPECT_TRUE(onePass == laid);
  Bitmap24 other = noise(40, 30, 5);
  RotateImage(other, newImage, -1, -1, rotationAngle(50), &small);
  EXPECT_EQ(other.width(), 20);  // took the old picture as it is, size and all
}

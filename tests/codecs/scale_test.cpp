#include <gtest/gtest.h>

#include "bmp_files.h"
#include "codecs/decoders.h"
#include "codecs/graphic.h"
#include "codecs/scale.h"

namespace vorn {
namespace {

Bitmap24 solid(int32_t w, int32_t h, Color c) {
  Bitmap24 b(w, h);
  b.fill(c);
  return b;
}

TEST(HighQualityStretch, SimdAndReferenceAgreeBitForBit) {
  uint32_t seed = 7;
  auto next = [&](int n) {
    seed = seed * 1664525u + 1013904223u;
    return int((seed >> 8) % uint32_t(n));
  };
  for (int round = 0; round < 60; ++round) {
    const Bitmap24 src = testing::testPattern(1 + next(90), 1 + next(70), seed);
    Bitmap24 a(1 + next(120), 1 + next(100)), b(a.width(), a.height());
    a.fill(rgb(1, 2, 3));
    b.fill(rgb(1, 2, 3));
    const Rect dest{next(40) - 20, next(40) - 20, next(40) - 20 + 1 + next(150), next(40) - 20 + 1 + next(120)};
    stretchHighQuality(src, a, dest);
    codecs::stretchHighQualityReference(src, b, dest);
    ASSERT_EQ(a, b) << "round " << round;
  }
}

TEST(HighQualityStretch, LargePicturesSplitAcrossThreadsGiveTheSameResult) {
  const Bitmap24 src = testing::testPattern(1700, 1300, 3);
  for (Rect r : {Rect{0, 0, 640, 480}, Rect{-50, 10, 2000, 1500}}) {
    Bitmap24 a(800, 600), b(800, 600);
    stretchHighQuality(src, a, r);
    codecs::stretchHighQualityReference(src, b, r);
    ASSERT_EQ(a, b);
  }
}

TEST(HighQualityStretch, FlatColourStaysExactlyFlat) {
  const Color c = rgb(201, 7, 128);
  const Bitmap24 src = solid(37, 23, c);
  for (Rect r : {Rect{0, 0, 5, 3}, Rect{0, 0, 100, 61}, Rect{0, 0, 37, 200}, Rect{0, 0, 1, 1}}) {
    Bitmap24 dst(r.width(), r.height());
    stretchHighQuality(src, dst, r);
    EXPECT_EQ(dst, solid(r.width(), r.height(), c));
  }
}

TEST(HighQualityStretch, SameSizeIsACopyAndHalvingAveragesBlocks) {
  const Bitmap24 src = testing::testPattern(16, 10);
  Bitmap24 same(16, 10);
  stretchHighQuality(src, same, Rect{0, 0, 16, 10});
  EXPECT_EQ(same, src);
  Bitmap24 half(8, 5);
  stretchHighQuality(src, half, Rect{0, 0, 8, 5});
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 8; ++x)
      for (int c = 0; c < 3; ++c) {
        const int sum = src.row(2 * y)[6 * x + c] + src.row(2 * y)[6 * x + 3 + c] +
                        src.row(2 * y + 1)[6 * x + c] + src.row(2 * y + 1)[6 * x + 3 + c];
        EXPECT_NEAR(half.row(y)[3 * x + c], sum / 4.0, 0.51);
      }
}

TEST(HighQualityStretch, EnlargingInterpolatesBetweenNeighbours) {
  Bitmap24 src(2, 1);
  src.setPixel(0, 0, rgb(0, 0, 0));
  src.setPixel(1, 0, rgb(200, 200, 200));
  Bitmap24 dst(8, 1);
  stretchHighQuality(src, dst, Rect{0, 0, 8, 1});
  EXPECT_EQ(dst.pixel(0, 0), rgb(0, 0, 0));  // clamped at the edges
  EXPECT_EQ(dst.pixel(7, 0), rgb(200, 200, 200));
  for (int x = 1; x < 8; ++x) EXPECT_GE(redOf(dst.pixel(x, 0)), redOf(dst.pixel(x - 1, 0)));
  EXPECT_NEAR(redOf(dst.pixel(4, 0)), 125, 1);  // centre at source 4.5 * 2 / 8 - 0.5 = 0.625
}

TEST(HighQualityStretch, WritesOnlyInsideDestAndTheSurface) {
  const Bitmap24 src = testing::testPattern(30, 30);
  Bitmap24 dst = solid(20, 20, rgb(5, 6, 7));
  stretchHighQuality(src, dst, Rect{-7, 3, 13, 11});
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x)
      if (!(x < 13 && y >= 3 && y < 11)) {
        ASSERT_EQ(dst.pixel(x, y), rgb(5, 6, 7)) << x << "," << y;
      }
  Bitmap24 whole(20, 8), part = solid(20, 20, rgb(5, 6, 7));
  stretchHighQuality(src, whole, Rect{0, 0, 20, 8});
  stretchHighQuality(src, part, Rect{-7, 3, 13, 11});
  for (int y = 3; y < 11; ++y)
    for (int x = 0; x < 13; ++x) ASSERT_EQ(part.pixel(x, y), whole.pixel(x + 7, y - 3));
  // Empty, inverted and far-away rectangles draw nothing.
  Bitmap24 keep = solid(4, 4, rgb(1, 1, 1));
  for (Rect r : {Rect{0, 0, 0, 4}, Rect{3, 3, 1, 1}, Rect{100, 100, 200, 200},
                 Rect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MIN + 1}})
    stretchHighQuality(src, keep, r);
  EXPECT_EQ(keep, solid(4, 4, rgb(1, 1, 1)));
}

TEST(GraphicDraw, UnscaledDrawCopiesAndClips) {
  const auto f = testing::bmpOf(testing::testPattern(6, 4));
  auto g = decodeBmp(f.data(), f.size());
  ASSERT_TRUE(g.ok());
  Bitmap24 dst = solid(5, 5, rgb(9, 9, 9));
  g.value()->draw(dst, Rect{-2, 3, 4, 7});
  EXPECT_EQ(dst.pixel(0, 3), g.value()->bitmap().pixel(2, 0));
  EXPECT_EQ(dst.pixel(3, 4), g.value()->bitmap().pixel(5, 1));
  EXPECT_EQ(dst.pixel(4, 3), rgb(9, 9, 9));
  EXPECT_EQ(dst.pixel(0, 2), rgb(9, 9, 9));
  Bitmap24 big(12, 8), ref(12, 8);
  g.value()->draw(big, Rect{0, 0, 12, 8});
  stretchHighQuality(g.value()->bitmap(), ref, Rect{0, 0, 12, 8});
  EXPECT_EQ(big, ref);
}

}  // namespace
}  // namespace vorn

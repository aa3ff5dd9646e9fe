#include <gtest/gtest.h>

#include <vector>

#include "masked_test_support.h"
#include "platform/random.h"
#include "transition/masked_styles.h"
#include "raster/region.h"

using namespace vorn;
using vorn::test::paintRects;
using vorn::test::PixelMask;

namespace {

PixelMask paintBands(const Region& b, int32_t W, int32_t H) {
  return paintRects(b.rects(), W, H);
}

int64_t area(const Region& b) {
  int64_t sum = 0;
  for (const Rect& r : b.rects()) sum += int64_t(r.width()) * r.height();
  return sum;
}

// The union of `rects` clipped to a W x H picture, as the masked styles make it.
Region unite(const std::vector<Rect>& rects, int32_t W, int32_t H, Region::SweepScratch& scratch) {
  Region b = Region::fromRects(rects.data(), rects.size(), Rect{0, 0, W, H}, scratch);
  EXPECT_TRUE(b.validate());
  return b;
}
Region unite(const std::vector<Rect>& rects, int32_t W, int32_t H) {
  Region::SweepScratch scratch;
  return unite(rects, W, H, scratch);
}

}  // namespace

TEST(RectUnion, MergesTouchingAndOverlappingRectanglesIntoCanonicalBands) {
  const Region b = unite({{0, 0, 5, 5}, {5, 0, 10, 5}, {2, 5, 4, 7}, {0, 7, 10, 9}, {0, 9, 10, 10}}, 20, 20);
  EXPECT_EQ(b.rects(), (std::vector<Rect>{{0, 0, 10, 5}, {2, 5, 4, 7}, {0, 7, 10, 10}}));
}

TEST(RectUnion, SwapsInvertedEdgesAndClipsToThePicture) {
  EXPECT_EQ(unite({{8, 3, 2, 1}, {-5, -5, 1, 1}, {9, 9, 30, 30}, {4, 4, 4, 9}}, 10, 10).rects(),
            (std::vector<Rect>{{0, 0, 1, 1}, {2, 1, 8, 3}, {9, 9, 10, 10}}));
  EXPECT_TRUE(unite({}, 10, 10).empty());
}

TEST(RectUnion, EqualsPaintingEveryRectangleForRandomSoups) {
  LcgRandom r(12345);
  Region::SweepScratch scratch;
  for (int round = 0; round < 300; ++round) {
    const int32_t W = 1 + r.next(60), H = 1 + r.next(60);
    std::vector<Rect> rects(size_t(r.next(40)));
    for (Rect& q : rects)
      q = Rect{r.next(W + 20) - 10, r.next(H + 20) - 10, r.next(W + 20) - 10, r.next(H + 20) - 10};
    const Region b = unite(rects, W, H, scratch);
    ASSERT_TRUE(paintBands(b, W, H) == paintRects(rects, W, H)) << round;
    ASSERT_EQ(area(b), paintRects(rects, W, H).count()) << round;
  }
}

TEST(RectUnion, EqualsPaintingForTheRectanglesOfEveryBandStyle) {
  for (int style = 58; style <= 127; ++style) {
    if (!isMaskedStyle(style)) continue;
    for (auto [W, H] : {std::pair{97, 61}, {64, 80}, {3, 2}}) {
      for (int p : {0, 7, 33, 50, 61, 99, 100}) {
        LcgRandom r(uint32_t(style * 1000 + p));
        MaskPlan plan;
        ASSERT_TRUE(planMaskedStyle(style, FrameGeometry::compute(W, H, p, 10), r, plan));
        for (const ShapeUnion* u : {&plan.first, &plan.second}) {
          const Region b = unite(u->rects, W, H);
          ASSERT_TRUE(paintBands(b, W, H) == paintRects(u->rects, W, H)) << style << " " << p;
        }
      }
    }
  }
}

TEST(RectUnion, BandsAddedOutOfOrderAreStillUnited) {
  // Bands in order are appended as they are; a band above the last one
  // falls back to a union.
  Region g;
  const Region::Span a[] = {{0, 4}, {6, 9}};
  const Region::Span b[] = {{2, 7}};
  g.addBand(5, 8, a, 2);
  g.addBand(8, 9, a, 2);  // equal spans below: one band
  g.addBand(0, 6, b, 1);
  EXPECT_TRUE(g.validate());
  EXPECT_EQ(g.rects(), (std::vector<Rect>{{2, 0, 7, 5}, {0, 5, 9, 6}, {0, 6, 4, 9}, {6, 6, 9, 9}}));
}

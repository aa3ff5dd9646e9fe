#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "masked_test_support.h"
#include "platform/random.h"
#include "raster/canvas.h"
#include "raster/region.h"
#include "transition/frame_context.h"
#include "transition/style_catalogue.h"
#include "transition/mask_region.h"
#include "transition/masked_styles.h"

using namespace vorn;

namespace {

std::vector<int> maskedStyles() {
  std::vector<int> s;
  for (int style = 0; style < 128; ++style)
    if (isMaskedStyle(style)) s.push_back(style);
  return s;
}

bool isRandomStyle(int style) {
  return (style >= 65 && style <= 68) || (style >= 76 && style <= 79) ||
         (style >= 100 && style <= 109) || style >= 123;
}

const std::pair<int32_t, int32_t> kSizes[] = {{97, 61}, {64, 80}, {40, 40}, {1, 1}, {3, 2}, {2, 7}};

Bitmap24 pattern(int32_t W, int32_t H, uint8_t seed) {
  Bitmap24 b(W, H);
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x) b.setPixel(x, y, rgb(uint8_t(x * 7 + seed), uint8_t(y * 3), seed));
  return b;
}

// One frame as RenderFrame composes a masked style: the old picture, then
// the new one through M (or whole at 100).
struct Frame {
  Bitmap24 oldImage, newImage, screen;
  std::unique_ptr<Region> M;

  Frame(int32_t W, int32_t H)
      : oldImage(pattern(W, H, 11)), newImage(pattern(W, H, 200)), screen(W, H) {}

  void render(int style, int32_t p, Random& random, int32_t step = 10) {
    screen = oldImage;
    FrameContext f{screen, newImage, oldImage, FrameGeometry::compute(screen.width(), screen.height(), p, step),
                   random, Rect{0, 0, screen.width(), screen.height()},
                   Rect{0, 0, screen.width(), screen.height()}, nullptr, nullptr};
    maskedStyle(style, f);
    M = std::move(f.M);
    Canvas c(screen);
    if (p == 100) {
      c.draw(newImage, 0, 0);
    } else if (p > 0) {
      if (M) c.selectClip(*M);
      c.draw(newImage, 0, 0);
      c.removeClip();
    }
  }
};

int64_t coverage(const Region& r, int32_t W, int32_t H) {
  Region inside = Region::combine(r, Region::rect(Rect{0, 0, W, H}), CombineOp::And);
  int64_t n = 0;
  for (const Rect& q : inside.rects()) n += int64_t(q.width()) * q.height();
  return n;
}

// M the slow way: every shape its own region, united one at a time.
Region plainUnion(const ShapeUnion& u) {
  Region r;
  for (const Rect& q : u.rects) r.unite(Region::rect(q));
  for (const RoundRectShape& q : u.roundRects)
    r.unite(Region::roundRect(q.left, q.top, q.right, q.bottom, q.ew, q.eh));
  for (const TriangleShape& t : u.triangles) r.unite(Region::polygon(t.p, 3, PolyFill::Winding));
  return r;
}

Region plainMask(const MaskPlan& plan) {
  Region m = plainUnion(plan.first);
  if (plan.join == MaskJoin::Intersect) m.intersect(plainUnion(plan.second));
  if (plan.join == MaskJoin::Xor) m.xorWith(plainUnion(plan.second));
  return m;
}

Region insidePicture(const Region& r, int32_t W, int32_t H) {
  return Region::combine(r, Region::rect(Rect{0, 0, W, H}), CombineOp::And);
}

}  // namespace

TEST(MaskedStyles, AreExactlyTheStylesOfTheMaskedFamily) {
  EXPECT_EQ(maskedStyles().size(), 65u);
  for (int style = 0; style < 128; ++style) {
    EXPECT_EQ(isMaskedStyle(style), familyOf(style) == StyleFamily::Masked) << style;
    LcgRandom r(1);
    MaskPlan plan;
    EXPECT_EQ(planMaskedStyle(style, FrameGeometry::compute(50, 40, 50, 10), r, plan),
              isMaskedStyle(style));
  }
}

// What a frame shows at 0 and 100 is the player's to test (every style's
// first and last frame there), not this test's helper's.
TEST(MaskedStyles, BuildAValidRegionAtEveryProgress) {
  for (int style : maskedStyles()) {
    for (auto [W, H] : kSizes) {
      Frame fr(W, H);
      for (int32_t p : {0, 50, 100}) {
        LcgRandom r(uint32_t(style + p));
        fr.render(style, p, r);
        ASSERT_TRUE(fr.M) << style << " at " << p;
        EXPECT_TRUE(fr.M->validate()) << style << " at " << p << " on " << W << "x" << H;
      }
    }
  }
}

TEST(MaskedStyles, DrawTheNewPictureExactlyWhereTheRegionIs) {
  for (int style : maskedStyles()) {
    Frame fr(97, 61);
    for (int32_t p : {13, 50, 81}) {
      LcgRandom r(uint32_t(style * 3 + p));
      fr.render(style, p, r);
      for (int32_t y = 0; y < 61; ++y)
        for (int32_t x = 0; x < 97; ++x)
          ASSERT_EQ(fr.screen.pixel(x, y),
                    fr.M->contains(x, y) ? fr.newImage.pixel(x, y) : fr.oldImage.pixel(x, y))
              << style << " at " << p << " (" << x << ", " << y << ")";
    }
  }
}

TEST(MaskedStyles, SweptRegionEqualsThePlainUnionOfItsShapes) {
  MaskRegionBuilder builder;
  for (int style : maskedStyles()) {
    for (auto [W, H] : kSizes) {
      for (int32_t p : {0, 9, 37, 50, 72, 99, 100}) {
        LcgRandom a(uint32_t(style * 7 + p));
        MaskPlan plan;
        ASSERT_TRUE(planMaskedStyle(style, FrameGeometry::compute(W, H, p, 10), a, plan));
        const Region fast = builder.build(plan, W, H);
        ASSERT_TRUE(fast.validate());
        EXPECT_EQ(insidePicture(fast, W, H).rects(), insidePicture(plainMask(plan), W, H).rects())
            << style << " at " << p << " on " << W << "x" << H;
      }
    }
  }
}

TEST(MaskedStyles, CoverageNeverShrinksWhileProgressGrowsForPatternStyles) {
  for (int style : maskedStyles()) {
    if (isRandomStyle(style)) continue;
    for (auto [W, H] : {std::pair{97, 61}, {64, 80}, {40, 40}, {7, 3}}) {
      int64_t last = -1;
      for (int32_t p = 0; p <= 100; ++p) {
        LcgRandom r(1);
        Frame fr(W, H);
        fr.render(style, p, r);
        const int64_t now = coverage(*fr.M, W, H);
        EXPECT_GE(now, last) << style << " at " << p << " on " << W << "x" << H;
        last = now;
      }
    }
  }
}

TEST(MaskedStyles, EllipseFromTheCentreCoversAllAtHundredAndCornersNothingAtZero) {
  LcgRandom r(1);
  Frame fr(97, 61);
  fr.render(84, 100, r);
  EXPECT_EQ(coverage(*fr.M, 97, 61), 97 * 61);
  fr.render(85, 0, r);
  EXPECT_EQ(coverage(*fr.M, 97, 61), 0);
  // An empty rounded rectangle still gives the pixel above and left of its
  // corner (the platform takes one off the right and bottom edges and then
  // orders them): at 0 the centre pixel, which the frame at 0 never draws.
  fr.render(84, 0, r);
  EXPECT_EQ(fr.M->rects(), (std::vector<Rect>{{47, 29, 48, 30}}));
}

TEST(MaskedStyles, PatternStylesCoverTheWholePictureAtHundred) {
  // The comb and the corner and edge shapes all reach every pixel by the end
  // (the last frame is the new picture anyway; this guards the formulas).
  for (int style : {58, 59, 60, 61, 62, 63, 64, 69, 70, 71, 72, 73, 74, 75, 80, 81, 82, 83, 86, 87,
                    88, 89, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99, 110, 111, 112, 113}) {
    for (auto [W, H] : {std::pair{97, 61}, {64, 80}}) {
      LcgRandom r(1);
      Frame fr(W, H);
      fr.render(style, 100, r);
      EXPECT_EQ(coverage(*fr.M, W, H), int64_t(W) * H) << style << " on " << W << "x" << H;
    }
  }
}

TEST(MaskedStyles, SquaresCoverNothingAtZeroAndAboutHalfTheGridAtFifty) {
  LcgRandom r(77);
  MaskPlan plan;
  planMaskedStyle(127, FrameGeometry::compute(400, 300, 0, 10), r, plan);
  EXPECT_TRUE(plan.first.rects.empty());
  planMaskedStyle(127, FrameGeometry::compute(400, 300, 50, 10), r, plan);
  // d = 6 + 5 = 11: 37 x 28 grid points.
  const double share = double(plan.first.rects.size()) / (37 * 28);
  EXPECT_GT(share, 0.45);
  EXPECT_LT(share, 0.55);
}

TEST(MaskedStyles, RandomStylesDrawANewPatternEveryFrameAndReplayFromASeed) {
  for (int style : maskedStyles()) {
    if (!isRandomStyle(style)) continue;
    LcgRandom r(5);
    MaskPlan a, b, c;
    const FrameGeometry g = FrameGeometry::compute(160, 120, 40, 10);
    planMaskedStyle(style, g, r, a);
    planMaskedStyle(style, g, r, b);
    EXPECT_NE(a.first.rects, b.first.rects) << style;
    LcgRandom again(5);
    planMaskedStyle(style, g, again, c);
    EXPECT_EQ(a.first.rects, c.first.rects) << style;
  }
}

TEST(MaskedStyles, ZigzagBandsMeetExactlyAtHundred) {
  for (int style : {65, 66, 67, 68, 76, 77, 78, 79, 100, 104, 108, 109}) {
    // On an even-sized picture; on an odd one the halves of the kind-4 bands
    // leave the middle column (row) open, as they always have.
    LcgRandom r(3);
    Frame fr(96, 60);
    fr.render(style, 100, r);
    EXPECT_EQ(coverage(*fr.M, 96, 60), 96 * 60) << style;
  }
}

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

#include "raster/ellipse_rows.h"
#include "raster/region.h"

using namespace vorn;

namespace {

// Pixel set of a region inside a box, row by row, for comparing with a
// plain boolean model.
struct Mask {
  Rect box;
  std::vector<uint8_t> on;
  explicit Mask(const Rect& b) : box(b), on(size_t(b.width()) * b.height(), 0) {}
  uint8_t& at(int32_t x, int32_t y) { return on[size_t(y - box.top) * box.width() + (x - box.left)]; }
  void add(const Rect& r) {
    const Rect c = intersect(r, box);
    for (int32_t y = c.top; y < c.bottom; ++y)
      for (int32_t x = c.left; x < c.right; ++x) at(x, y) = 1;
  }
};

Mask maskOf(const Region& g, const Rect& box) {
  Mask m(box);
  for (const Rect& r : g.rects()) m.add(r);
  return m;
}

Rect randomRect(std::mt19937& rng, int32_t span) {
  std::uniform_int_distribution<int32_t> d(-5, span);
  return Rect{d(rng), d(rng), d(rng), d(rng)};  // may be inverted
}

Rect ordered(const Rect& r) {
  return Rect{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
              std::max(r.top, r.bottom)};
}

}  // namespace

TEST(Region, EmptyRegionHasNoPixelsAndIsValid) {
  Region g;
  EXPECT_TRUE(g.empty());
  EXPECT_TRUE(g.validate());
  EXPECT_EQ(g.bounds(), Rect{});
  EXPECT_FALSE(g.contains(0, 0));
  EXPECT_TRUE(g.rects().empty());
  EXPECT_TRUE(Region::rect(3, 3, 3, 9).empty());
  EXPECT_TRUE(Region::rect(3, 3, 9, 3).empty());
}

TEST(Region, OrdersInvertedRectanglesLikeThePlatform) {
  const Region g = Region::rect(10, 20, 2, 5);
  ASSERT_TRUE(g.validate());
  EXPECT_EQ(g.rects(), std::vector<Rect>{(Rect{2, 5, 10, 20})});
  Region h;
  h.addRect(Rect{10, 20, 2, 5});
  EXPECT_EQ(h, g);
}

TEST(Region, HugeRectangleCostsOneSpanAndKeepsItsEdges) {
  const Region g = Region::rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
  ASSERT_TRUE(g.validate());
  EXPECT_EQ(g.bandCount(), 1u);
  EXPECT_TRUE(g.contains(INT32_MIN, INT32_MAX - 1));
  EXPECT_FALSE(g.contains(INT32_MAX, 0));
  Region cut = Region::combine(g, Region::rect(0, 0, 100, 100), CombineOp::Diff);
  ASSERT_TRUE(cut.validate());
  EXPECT_FALSE(cut.contains(50, 50));
  EXPECT_TRUE(cut.contains(-1, 50));
  EXPECT_EQ(cut.bandCount(), 3u);
}

TEST(Region, OffsetMovesEveryPixelAndClampsAtTheCoordinateLimit) {
  Region g = Region::rect(0, 0, 10, 5);
  g.addRect(Rect{20, 10, 30, 12});
  g.offset(-3, 7);
  ASSERT_TRUE(g.validate());
  EXPECT_EQ(g.rects(), (std::vector<Rect>{{-3, 7, 7, 12}, {17, 17, 27, 19}}));
  Region h = Region::rect(INT32_MAX - 10, 0, INT32_MAX, 10);
  h.offset(5, 0);
  ASSERT_TRUE(h.validate());
  EXPECT_EQ(h.bounds(), (Rect{INT32_MAX - 5, 0, INT32_MAX, 10}));
  h.offset(100, 0);
  EXPECT_TRUE(h.validate());
  EXPECT_TRUE(h.empty());
}

TEST(Region, MergesTouchingSpansAndEqualNeighbourBands) {
  Region g = Region::rect(0, 0, 5, 5);
  g.unite(Region::rect(5, 0, 9, 5));
  g.unite(Region::rect(0, 5, 9, 8));
  ASSERT_TRUE(g.validate());
  EXPECT_EQ(g.rects(), std::vector<Rect>{(Rect{0, 0, 9, 8})});
}

TEST(Region, CombinationsMatchAPixelModelOnRandomShapes) {
  std::mt19937 rng(1234);
  const Rect box{-6, -6, 46, 46};
  const CombineOp ops[] = {CombineOp::And, CombineOp::Or, CombineOp::Xor, CombineOp::Diff, CombineOp::Copy};
  for (int round = 0; round < 300; ++round) {
    Region a, b;
    Mask ma(box), mb(box);
    for (int k = 0; k < 1 + round % 7; ++k) {
      const Rect r = randomRect(rng, 40);
      a.addRect(r);
      ma.add(ordered(r));
      const Rect s = randomRect(rng, 40);
      b.unite(Region::rect(s));
      mb.add(ordered(s));
      ASSERT_TRUE(b.validate());
    }
    ASSERT_TRUE(a.validate());
    for (CombineOp op : ops) {
      const Region c = Region::combine(a, b, op);
      ASSERT_TRUE(c.validate());
      const Mask mc = maskOf(c, box);
      for (size_t i = 0; i < mc.on.size(); ++i) {
        const bool x = ma.on[i], y = mb.on[i];
        bool want = false;
        switch (op) {
          case CombineOp::And: want = x && y; break;
          case CombineOp::Or: want = x || y; break;
          case CombineOp::Xor: want = x != y; break;
          case CombineOp::Diff: want = x && !y; break;
          case CombineOp::Copy: want = x; break;
        }
        ASSERT_EQ(bool(mc.on[i]), want) << "round " << round << " op " << int(op) << " pixel " << i;
      }
    }
    Region d = a;
    d.xorWith(b);
    d.xorWith(b);
    EXPECT_EQ(d, a);
  }
}

TEST(Region, ManyAddedRectanglesEqualOneSweepAndAPixelModel) {
  std::mt19937 rng(99);
  const Rect box{-6, -6, 206, 206};
  std::vector<Rect> rs;
  Region g;
  Mask m(box);
  for (int k = 0; k < 2000; ++k) {
    const Rect r = randomRect(rng, 200);
    rs.push_back(r);
    g.addRect(r);
    m.add(ordered(r));
    if (k % 500 == 0) {
      ASSERT_TRUE(g.validate());
    }
  }
  ASSERT_TRUE(g.validate());
  EXPECT_EQ(maskOf(g, box).on, m.on);
  EXPECT_EQ(Region::fromRects(rs.data(), rs.size()), g);
  for (int32_t y = box.top; y < box.bottom; y += 7)
    for (int32_t x = box.left; x < box.right; x += 3) ASSERT_EQ(g.contains(x, y), bool(m.at(x, y)));
}

TEST(Region, RoundShapesLeaveOutTheLastColumnAndRowLikeThePlatform) {
  // An empty box still gives the pixel above and left of it; a box one
  // pixel wide gives nothing.
  EXPECT_EQ(Region::ellipse(Rect{5, 5, 5, 5}).rects(), std::vector<Rect>{(Rect{4, 4, 5, 5})});
  EXPECT_EQ(Region::ellipse(Rect{5, 5, 5, 50}).rects(), std::vector<Rect>{(Rect{4, 5, 5, 49})});
  EXPECT_TRUE(Region::ellipse(Rect{5, 5, 6, 50}).empty());
  // Corners under two pixels give the (shrunk) rectangle.
  EXPECT_EQ(Region::roundRect(0, 0, 10, 10, 1, 8).rects(), std::vector<Rect>{(Rect{0, 0, 9, 9})});
  // Corners larger than the rectangle are cut down to it: an ellipse.
  EXPECT_EQ(Region::roundRect(0, 0, 20, 12, 400, 400), Region::ellipse(Rect{0, 0, 20, 12}));
  EXPECT_EQ(Region::roundRect(20, 12, 0, 0, -20, -12), Region::ellipse(Rect{0, 0, 20, 12}));
  EXPECT_EQ(Region::ellipse(Rect{0, 0, 3, 3}).rects(), std::vector<Rect>{(Rect{0, 0, 2, 2})});
}

TEST(Region, EllipsesAreSymmetricAndFillTheirShrunkBox) {
  for (int32_t w = 3; w < 40; w += 3)
    for (int32_t h = 3; h < 40; h += 5) {
      const Region e = Region::ellipse(Rect{10, 20, 10 + w, 20 + h});
      ASSERT_TRUE(e.validate());
      const int32_t bw = w - 1, bh = h - 1;  // the box the shape fills
      EXPECT_EQ(e.bounds(), (Rect{10, 20, 10 + bw, 20 + bh})) << w << "x" << h;
      for (int32_t y = 20; y < 20 + bh; ++y)
        for (int32_t x = 10; x < 10 + bw; ++x) {
          ASSERT_EQ(e.contains(x, y), e.contains(10 + bw - 1 - (x - 10), y)) << w << "x" << h;
          ASSERT_EQ(e.contains(x, y), e.contains(x, 20 + bh - 1 - (y - 20))) << w << "x" << h;
        }
      EXPECT_TRUE(e.contains(10 + bw / 2, 20 + bh / 2));
    }
}

TEST(Region, FlatEllipsesKeepTheirTips) {
  // Three pixels wide and tall: the outline walk ends early, the tips are
  // completed so that every row of the box has pixels.
  const EllipseRows rows = ellipseRows(3, 30);
  EXPECT_GT(rows.tipRows, 0);
  const Region e = Region::ellipse(Rect{0, 0, 4, 31});
  for (int32_t y = 0; y < 30; ++y) EXPECT_TRUE(e.contains(1, y)) << y;
}

TEST(Region, RoundRectKeepsFullRowsBetweenTheCorners) {
  const Region g = Region::roundRect(0, 0, 100, 60, 20, 10);
  ASSERT_TRUE(g.validate());
  for (int32_t y = 5; y < 54; ++y) {
    EXPECT_TRUE(g.contains(0, y));
    EXPECT_TRUE(g.contains(98, y));
  }
  EXPECT_FALSE(g.contains(99, 30));
  EXPECT_FALSE(g.contains(0, 0));
  EXPECT_TRUE(g.contains(50, 0));
  EXPECT_TRUE(g.contains(50, 58));
  EXPECT_FALSE(g.contains(50, 59));
}

TEST(Region, SelfIntersectingPolygonDiffersOnlyInTheOverlapByFillMode) {
  // A five-pointed star: its centre is inside by winding, outside by alternate.
  const Point star[] = {{50, 0}, {79, 90}, {2, 34}, {98, 34}, {21, 90}};
  const Region alt = Region::polygon(star, 5, PolyFill::Alternate);
  const Region wind = Region::polygon(star, 5, PolyFill::Winding);
  ASSERT_TRUE(alt.validate());
  ASSERT_TRUE(wind.validate());
  EXPECT_FALSE(alt.contains(50, 50));
  EXPECT_TRUE(wind.contains(50, 50));
  EXPECT_TRUE(alt.contains(50, 10));
  Region outer = Region::combine(wind, alt, CombineOp::Diff);
  EXPECT_FALSE(outer.empty());
  EXPECT_TRUE(Region::combine(alt, wind, CombineOp::Diff).empty());
}

TEST(Region, PolygonSamplesPixelsAtTheirIntegerPoints) {
  // Axis-aligned square: left and top edges in, right and bottom edges out.
  const Point sq[] = {{2, 3}, {8, 3}, {8, 9}, {2, 9}};
  EXPECT_EQ(Region::polygon(sq, 4, PolyFill::Winding).rects(), std::vector<Rect>{(Rect{2, 3, 8, 9})});
  const Point tri[] = {{0, 0}, {10, 0}, {0, 10}};
  const Region t = Region::polygon(tri, 3, PolyFill::Winding);
  ASSERT_TRUE(t.validate());
  for (int32_t y = 0; y < 10; ++y) EXPECT_EQ(t.bounds().left, 0);
  EXPECT_EQ(t.rects().front(), (Rect{0, 0, 10, 1}));
  EXPECT_TRUE(Region::polygon(tri, 2, PolyFill::Winding).empty());
  const Point flat[] = {{0, 5}, {10, 5}, {20, 5}};
  EXPECT_TRUE(Region::polygon(flat, 3, PolyFill::Alternate).empty());
}

TEST(Region, PolygonWithFarCoordinatesStaysExact) {
  const Point big[] = {{-2000000000, 0}, {2000000000, 0}, {2000000000, 3}, {-2000000000, 3}};
  const Region g = Region::polygon(big, 4, PolyFill::Alternate);
  ASSERT_TRUE(g.validate());
  EXPECT_EQ(g.rects(), std::vector<Rect>{(Rect{-2000000000, 0, 2000000000, 3})});
}

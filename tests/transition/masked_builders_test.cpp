#include <gtest/gtest.h>

#include <vector>

#include "masked_test_support.h"
#include "transition/frame_context.h"
#include "raster/region.h"
#include "transition/region_builders.h"

using namespace vorn;
using vorn::test::ScriptedRandom;

namespace {

// The united rectangles of a builder's output, in bands top to bottom.
std::vector<Rect> united(const ShapeUnion& u, int32_t W, int32_t H) {
  Region::SweepScratch scratch;
  const Region b = Region::fromRects(u.rects.data(), u.rects.size(), Rect{0, 0, W, H}, scratch);
  EXPECT_TRUE(b.validate());
  return b.rects();
}

std::vector<Rect> comb(int32_t A, int32_t B, int hk, int vk, int32_t s) {
  ShapeUnion u;
  CombRegion(20, 15, A, B, hk, vk, s, u);
  return united(u, 20, 15);
}

using Rects = std::vector<Rect>;

}  // namespace

TEST(CombRegion, FirstHalfTeethCoverTheEvenBandsFromTheKindsSide) {
  // 20 x 15: even bands are rows 0-4 and 10-14, the odd band rows 5-9.
  const Rects fromRight{{12, 0, 20, 5}, {12, 10, 20, 15}};
  const Rects fromLeft{{0, 0, 8, 5}, {0, 10, 8, 15}};
  EXPECT_EQ(comb(8, 0, 1, 0, 0), fromRight);
  EXPECT_EQ(comb(8, 0, 2, 0, 0), fromLeft);
  EXPECT_EQ(comb(8, 0, 4, 0, 0), fromLeft);
  EXPECT_EQ(comb(8, 0, 5, 0, 0), fromRight);
  // Kind 3: even bands from the right, odd ones from the left at once.
  EXPECT_EQ(comb(8, 0, 3, 0, 0), (Rects{{12, 0, 20, 5}, {0, 5, 8, 10}, {12, 10, 20, 15}}));
}

TEST(CombRegion, SecondHalfFillsTheEvenBandsAndBringsTheOddOnes) {
  // A = 30 > W: even bands full, odd band tooth 2W - A = 10 from the right, or
  // A - W = 10 from the left.
  const Rects oddFromRight{{0, 0, 20, 5}, {10, 5, 20, 10}, {0, 10, 20, 15}};
  const Rects oddFromLeft{{0, 0, 20, 5}, {0, 5, 10, 10}, {0, 10, 20, 15}};
  EXPECT_EQ(comb(30, 0, 1, 0, 0), oddFromRight);
  EXPECT_EQ(comb(30, 0, 4, 0, 0), oddFromRight);
  EXPECT_EQ(comb(30, 0, 2, 0, 0), oddFromLeft);
  EXPECT_EQ(comb(30, 0, 5, 0, 0), oddFromLeft);
  EXPECT_EQ(comb(30, 0, 3, 0, 0), (Rects{{0, 0, 20, 5}, {0, 10, 20, 15}}));
}

TEST(CombRegion, TeethWithinTheSnapDistanceComplete) {
  EXPECT_EQ(comb(16, 0, 1, 0, 5), (Rects{{0, 0, 20, 5}, {0, 10, 20, 15}}));
  EXPECT_EQ(comb(15, 0, 1, 0, 5), (Rects{{5, 0, 20, 5}, {5, 10, 20, 15}}));
}

TEST(CombRegion, VerticalTeethRunInColumnBands) {
  EXPECT_EQ(comb(0, 6, 0, 1, 0), (Rects{{0, 9, 5, 15}, {10, 9, 15, 15}}));
  EXPECT_EQ(comb(0, 6, 0, 2, 0), (Rects{{0, 0, 5, 6}, {10, 0, 15, 6}}));
  EXPECT_EQ(comb(0, 6, 0, 3, 0),
            (Rects{{5, 0, 10, 6}, {15, 0, 20, 6}, {0, 9, 5, 15}, {10, 9, 15, 15}}));
  // B = 20 > H: even columns full, odd columns from 2H - B = 10 down.
  EXPECT_EQ(comb(0, 20, 0, 1, 0), (Rects{{0, 0, 5, 10}, {10, 0, 15, 10}, {0, 10, 20, 15}}));
  EXPECT_EQ(comb(0, 20, 0, 2, 0), (Rects{{0, 0, 20, 5}, {0, 5, 5, 15}, {10, 5, 15, 15}}));
}

TEST(CombRegion, BothAxesUnite) {
  EXPECT_EQ(comb(8, 6, 1, 1, 0), (Rects{{12, 0, 20, 5},
                                        {0, 9, 5, 10},
                                        {10, 9, 15, 10},
                                        {0, 10, 5, 15},
                                        {10, 10, 20, 15}}));
}

TEST(CombRegion, Style60OnA100x80PictureWithStep4) {
  const FrameGeometry g25 = FrameGeometry::compute(100, 80, 25, 4);
  ASSERT_EQ(g25.X, 25);
  ASSERT_EQ(g25.S, 4);
  ShapeUnion u;
  CombRegion(100, 80, 2 * g25.X, 0, 1, 0, g25.S, u);
  vorn::test::PixelMask m = vorn::test::paintRects(united(u, 100, 80), 100, 80);
  for (int32_t y = 0; y < 80; ++y) {
    const bool even = (y / 5) % 2 == 0;
    EXPECT_EQ(m.at(49, y), false) << y;
    EXPECT_EQ(m.at(50, y), even) << y;
    EXPECT_EQ(m.at(99, y), even) << y;
  }
  const FrameGeometry g75 = FrameGeometry::compute(100, 80, 75, 4);
  u.clear();
  CombRegion(100, 80, 2 * g75.X, 0, 1, 0, g75.S, u);
  m = vorn::test::paintRects(united(u, 100, 80), 100, 80);
  for (int32_t y = 0; y < 80; ++y) {
    const bool even = (y / 5) % 2 == 0;
    EXPECT_EQ(m.at(0, y), even) << y;
    EXPECT_EQ(m.at(49, y), even) << y;
    EXPECT_TRUE(m.at(50, y)) << y;
  }
}

TEST(CombRegion, Style60SnapsOnA900x600PictureWithStep10) {
  const FrameGeometry g40 = FrameGeometry::compute(900, 600, 40, 10);
  ASSERT_EQ(g40.S, 100);
  ShapeUnion u;
  CombRegion(900, 600, 2 * g40.X, 0, 1, 0, g40.S, u);
  EXPECT_EQ(u.rects.front(), (Rect{180, 0, 900, 5}));
  u.clear();
  const FrameGeometry g45 = FrameGeometry::compute(900, 600, 45, 10);
  CombRegion(900, 600, 2 * g45.X, 0, 1, 0, g45.S, u);
  EXPECT_EQ(u.rects.front(), (Rect{0, 0, 900, 5}));
}

TEST(ZigzagRegion, JitterIsFirstDrawMinusSecond) {
  ScriptedRandom r({5, 2, 1, 4});
  EXPECT_EQ(jitter(r, 10), 3);
  EXPECT_EQ(jitter(r, 10), -3);
  // A draw is made for c = 0 too.
  EXPECT_EQ(jitter(r, 0), 0);
  EXPECT_EQ(r.asked, (std::vector<int32_t>{10, 10, 10, 10, 0, 0}));
}

TEST(ZigzagRegion, BandsOverlapByTheRemainderAndJitterTheirEnds) {
  // 70 x 12: c = 10, bands at y = 0, 5, 10 each 5 + 2 rows thick.
  ScriptedRandom r({7, 2, 0, 3, 4, 4});
  ShapeUnion u;
  ZigzagRegion(70, 12, 20, 0, 1, 0, r, u);
  EXPECT_EQ(u.rects, (Rects{{55, 0, 70, 7}, {47, 5, 70, 12}, {50, 10, 70, 17}}));
  EXPECT_EQ(r.asked, (std::vector<int32_t>(6, 10)));
}

TEST(ZigzagRegion, CentreKindsDrawTwoJittersPerBandInOrder) {
  // hk 3 on 70 x 5: left end (W - A + J1) div 2, right end (W + A + J2) div 2.
  ScriptedRandom r({3, 0, 0, 5});
  ShapeUnion u;
  ZigzagRegion(70, 5, 20, 0, 3, 0, r, u);
  EXPECT_EQ(u.rects, (Rects{{26, 0, 35, 5}, {35, 0, 42, 5}}));
  // hk 4: W - (A + J1) div 2 and (A + J2) div 2.
  ScriptedRandom r4({3, 0, 0, 5});
  u.clear();
  ZigzagRegion(70, 5, 20, 0, 4, 0, r4, u);
  EXPECT_EQ(u.rects, (Rects{{59, 0, 70, 5}, {0, 0, 7, 5}}));
}

TEST(ZigzagRegion, NoJitterOnceTheBandsReachTheFarEdge) {
  ScriptedRandom r({3, 1, 6, 2});
  ShapeUnion u;
  ZigzagRegion(10, 10, 0, 10, 0, 2, r, u);
  EXPECT_EQ(u.rects, (Rects{{0, 0, 5, 10}, {5, 0, 10, 10}}));
  EXPECT_EQ(r.asked, (std::vector<int32_t>{0, 0, 0, 0}));
}

TEST(ZigzagRegion, VerticalKindsMirrorTheHorizontalOnes) {
  // 5 x 70: c = 10; vk 1 from the bottom, vk 3 from the centre.
  ScriptedRandom r({4, 1});
  ShapeUnion u;
  ZigzagRegion(5, 70, 0, 20, 0, 1, r, u);
  EXPECT_EQ(u.rects, (Rects{{0, 53, 5, 70}}));
  ScriptedRandom r3({0, 2, 1, 0});
  u.clear();
  ZigzagRegion(5, 70, 0, 20, 0, 3, r3, u);
  EXPECT_EQ(u.rects, (Rects{{0, 24, 5, 35}, {0, 35, 5, 45}}));
}

TEST(RaggedRegion, DrawsOnceForEveryBlockFromTheFarthestInward) {
  // W = 200: e = 20, f = 2, n = 10, t = 7; one band per row step 1.
  ScriptedRandom r;  // all draws 0: every block is taken
  ShapeUnion u;
  RaggedRegion(200, 1, 50, 0, 1, 0, r, u);
  std::vector<int32_t> expected;
  for (int32_t i = 10; i >= 1; --i) expected.push_back(i);
  EXPECT_EQ(r.asked, expected);
  ASSERT_EQ(u.rects.size(), 11u);
  EXPECT_EQ(u.rects[0], (Rect{150, 0, 200, 2}));   // solid part
  EXPECT_EQ(u.rects[1], (Rect{130, 0, 132, 2}));   // i = 10
  EXPECT_EQ(u.rects[10], (Rect{148, 0, 150, 2}));  // i = 1, touching the edge
}

TEST(RaggedRegion, NearBlocksNeedADrawOfAtMostOneFarOnesZero) {
  // Draws for i = 10..1: 1 for every block. Far blocks (i > 7) are refused,
  // near ones taken.
  ScriptedRandom r(std::deque<int32_t>(10, 1));
  ShapeUnion u;
  RaggedRegion(200, 1, 50, 0, 2, 0, r, u);
  ASSERT_EQ(u.rects.size(), 1u + 7u);
  EXPECT_EQ(u.rects[0], (Rect{0, 0, 50, 2}));
  EXPECT_EQ(u.rects[1], (Rect{62, 0, 64, 2}));  // i = 7: A + 14 - 2
  EXPECT_EQ(u.rects[7], (Rect{50, 0, 52, 2}));  // i = 1
}

TEST(RaggedRegion, BandsOverlapByHalfAndTheFrontIsSolidAtTheEnd) {
  ScriptedRandom r;
  ShapeUnion u;
  // B = H: no blocks, bands of columns 2 thick at x = 0, 1, 2.
  RaggedRegion(3, 40, 40, 40, 0, 1, r, u);
  EXPECT_EQ(u.rects, (Rects{{0, 0, 2, 40}, {1, 0, 3, 40}, {2, 0, 4, 40}}));
  EXPECT_TRUE(r.asked.empty());
  u.clear();
  RaggedRegion(3, 400, 10, 10, 0, 2, r, u);  // e = 40, f = 2, n = 20
  EXPECT_EQ(u.rects.front(), (Rect{0, 0, 2, 10}));
  EXPECT_EQ(u.rects[1], (Rect{0, 48, 2, 50}));  // i = 20: B + 40 - 2
}

TEST(SquaresRegion, DrawsColumnByColumnAndGrowsTheSquares) {
  // 2 x 2 at p 10: d = 1, grid points (0,0) (0,1) (1,0) (1,1) in that order.
  ScriptedRandom r({99, 0, 99, 9});
  ShapeUnion u;
  SquaresRegion(2, 2, 10, r, u);
  EXPECT_EQ(u.rects, (Rects{{-1, 0, 1, 2}, {0, 0, 2, 2}}));
  EXPECT_EQ(r.asked, (std::vector<int32_t>(4, 100)));
  // 100 x 60 at p 50: d = 1 + 5 = 6.
  ScriptedRandom all;
  u.clear();
  SquaresRegion(100, 60, 50, all, u);
  EXPECT_EQ(u.rects.size(), size_t(17 * 10));
  EXPECT_EQ(u.rects[1], (Rect{-6, 0, 6, 12}));
}

TEST(SquaresRegion, CoversNothingAtProgressZero) {
  ScriptedRandom r;
  ShapeUnion u;
  SquaresRegion(50, 50, 0, r, u);
  EXPECT_TRUE(u.rects.empty());
  EXPECT_EQ(r.asked.size(), 2500u);  // d = 1: a draw for each of 50 x 50 points
}

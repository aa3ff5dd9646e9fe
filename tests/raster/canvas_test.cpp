#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "support/noise_bitmap.h"
#include "support/stretch_case.h"
#include "raster/canvas.h"
#include "raster/dib.h"
#include "raster/stretch_map.h"

using namespace vorn;

namespace {

using vorn::testing::noise;

// One axis, pixel by pixel from the mapping rule: the source positions that
// destination position v takes (from the source bitmap, clipped).
std::vector<int64_t> sourcesOf(int64_t v, int64_t dOrg, int64_t dLen, int64_t sOrg, int64_t sLen,
                               int64_t limit) {
  std::vector<int64_t> out;
  const int64_t n = dLen < 0 ? -dLen : dLen;
  const int64_t k = dLen > 0 ? v - dOrg : dOrg - v;
  if (k < 0 || k >= n) return out;
  const StretchRange r = stretchSources(k, sLen < 0 ? -sLen : sLen, n);
  for (int64_t m = r.first; m < r.first + r.count; ++m) {
    const int64_t s = sLen > 0 ? sOrg + m : sOrg - m;
    if (s >= 0 && s < limit) out.push_back(s);
  }
  return out;
}

// Plain stretched copy for comparison: every destination pixel on its own.
void referenceStretch(Bitmap24& t, const Rect& d, const Bitmap24& s, const Rect& r, const Region* clip) {
  if (d.left == d.right || d.top == d.bottom || r.left == r.right || r.top == r.bottom) return;
  for (int32_t y = 0; y < t.height(); ++y) {
    const auto ys = sourcesOf(y, d.top, int64_t(d.bottom) - d.top, r.top, int64_t(r.bottom) - r.top, s.height());
    if (ys.empty()) continue;
    for (int32_t x = 0; x < t.width(); ++x) {
      if (clip && !clip->contains(x, y)) continue;
      const auto xs = sourcesOf(x, d.left, int64_t(d.right) - d.left, r.left, int64_t(r.right) - r.left, s.width());
      if (xs.empty()) continue;
      Color c = 0xFFFFFF;
      for (int64_t sy : ys)
        for (int64_t sx : xs) c &= s.pixel(int32_t(sx), int32_t(sy));
      t.setPixel(x, y, c);
    }
  }
}

}  // namespace

TEST(StretchMap, EqualSizesMapOneToOneAndShrinkCoversEverySourceOnce) {
  for (int64_t n = 1; n < 30; ++n)
    for (int64_t k = 0; k < n; ++k) EXPECT_EQ(stretchSources(k, n, n).first, k);
  for (int64_t d = 2; d < 40; ++d)
    for (int64_t s = d + 1; s < 120; ++s) {
      int64_t next = 0;
      for (int64_t k = 0; k < d; ++k) {
        const StretchRange r = stretchSources(k, s, d);
        ASSERT_EQ(r.first, next);
        ASSERT_GE(r.count, 1);
        next += r.count;
      }
      ASSERT_EQ(next, s);
    }
  // A destination one pixel long takes all source pixels but the last.
  EXPECT_EQ(stretchSources(0, 5, 1).count, 4);
}

TEST(Canvas, DrawCopiesTheWholeBitmapClippedOnEverySide) {
  const Bitmap24 src = noise(7, 5, 1);
  for (const Point at : {Point{-3, -2}, Point{4, 3}, Point{-10, 0}, Point{2, 1}}) {
    Bitmap24 t = noise(9, 6, 2), want = t;
    Canvas(t).draw(src, at.x, at.y);
    for (int32_t y = 0; y < 6; ++y)
      for (int32_t x = 0; x < 9; ++x) {
        const int32_t sx = x - at.x, sy = y - at.y;
        if (sx >= 0 && sx < 7 && sy >= 0 && sy < 5) want.setPixel(x, y, src.pixel(sx, sy));
      }
    EXPECT_TRUE(t == want) << at.x << "," << at.y;
  }
}

TEST(Canvas, ShrinkingCombinesSourcePixelsByAnd) {
  Bitmap24 src(4, 1);
  src.setPixel(0, 0, 0xF0F0F0);
  src.setPixel(1, 0, 0x3C3C3C);
  src.setPixel(2, 0, 0xFFFFFF);
  src.setPixel(3, 0, 0x0F0F0F);
  Bitmap24 t(2, 1);
  Canvas(t).stretchCopy(Rect{0, 0, 2, 1}, src, Rect{0, 0, 4, 1});
  EXPECT_EQ(t.pixel(0, 0), 0x303030u);
  EXPECT_EQ(t.pixel(1, 0), 0x0F0F0Fu);
}

TEST(Canvas, NegativeExtentsMirrorAndReachFromTheOrigin) {
  const Bitmap24 src = noise(5, 3, 3);
  Bitmap24 t(5, 3);
  // Destination from x = 4 with width -5 covers columns 0..4, mirrored.
  Canvas(t).stretchCopy(Rect{4, 0, -1, 3}, src, Rect{0, 0, 5, 3});
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 5; ++x) ASSERT_EQ(t.pixel(x, y), src.pixel(4 - x, y));
  Bitmap24 u(5, 3);
  Canvas(u).stretchCopy(Rect{0, 2, 5, -1}, src, Rect{0, 0, 5, 3});
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 5; ++x) ASSERT_EQ(u.pixel(x, y), src.pixel(x, 2 - y));
}

TEST(Canvas, StretchedCopiesMatchThePixelRuleOnRandomCases) {
  std::mt19937 rng(77);
  std::uniform_int_distribution<int32_t> pos(-30, 60), len(-70, 70);
  const Bitmap24 src = noise(37, 29, 5);
  for (int round = 0; round < 600; ++round) {
    Bitmap24 t = noise(41, 33, uint32_t(round)), want = t;
    const auto [d, r] = vorn::testing::randomStretch(rng, pos, len);
    Canvas c(t);
    Region clip;
    const bool clipped = round % 3 == 0;
    if (clipped) {
      clip = Region::ellipse(Rect{pos(rng), pos(rng), pos(rng), pos(rng)});
      clip.xorWith(Region::rect(5, 5, 30, 20));
      c.selectClip(clip);
    }
    c.stretchCopy(d, src, r);
    referenceStretch(want, d, src, r, clipped ? &clip : nullptr);
    for (int32_t y = 0; y < t.height() && !(t == want); ++y)
      for (int32_t x = 0; x < t.width(); ++x)
        if (t.pixel(x, y) != want.pixel(x, y)) {
          ADD_FAILURE() << "first difference at " << x << "," << y << " clipped " << clipped << " got " << t.pixel(x, y) << " want " << want.pixel(x, y) << " inclip " << clip.contains(x, y) << " bands " << clip.bandCount() << " cb " << clip.bounds().left << "," << clip.bounds().top << "," << clip.bounds().right << "," << clip.bounds().bottom;
          y = t.height();
          break;
        }
    ASSERT_TRUE(t == want) << "round " << round << " d " << d.left << "," << d.top << "," << d.right << "," << d.bottom << " r " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  }
}

TEST(Canvas, MirroredCopyIsClippedOnEverySide) {
  const Bitmap24 src = noise(20, 16, 9);
  for (const Rect d : {Rect{25, -5, -6, 20}, Rect{10, 30, -10, -5}, Rect{30, 3, 5, 12}, Rect{3, 12, 30, 3}}) {
    Bitmap24 t = noise(20, 16, 10), want = t;
    Canvas(t).stretchCopy(d, src, Rect{0, 0, 20, 16});
    referenceStretch(want, d, src, Rect{0, 0, 20, 16}, nullptr);
    EXPECT_TRUE(t == want);
  }
}

TEST(Canvas, ClipsIntersectUntilRemoved) {
  Bitmap24 t(10, 10);
  Canvas c(t);
  EXPECT_FALSE(c.hasClip());
  c.selectClip(Region::rect(0, 0, 6, 6));
  c.selectClip(Region::rect(3, 3, 10, 10));
  EXPECT_TRUE(c.hasClip());
  c.fillRect(Rect{0, 0, 10, 10}, rgb(255, 0, 0));
  for (int32_t y = 0; y < 10; ++y)
    for (int32_t x = 0; x < 10; ++x)
      ASSERT_EQ(t.pixel(x, y), (x >= 3 && x < 6 && y >= 3 && y < 6) ? rgb(255, 0, 0) : 0u);
  c.removeClip();
  EXPECT_FALSE(c.hasClip());
  c.fillRect(Rect{0, 0, 1, 1}, rgb(1, 2, 3));
  EXPECT_EQ(t.pixel(0, 0), rgb(1, 2, 3));
  c.selectClip(Region());
  c.fillRect(Rect{0, 0, 10, 10}, rgb(9, 9, 9));
  EXPECT_EQ(t.pixel(0, 0), rgb(1, 2, 3));
}

TEST(Dib, HeaderDescribesATopDownBitmapAndBottomUpBitsComeBackUpright) {
  Bitmap24 b = noise(5, 3, 4);
  const DibHeaderValues h = dibHeaderFor(b);
  EXPECT_EQ(h.biWidth, 5);
  EXPECT_EQ(h.biHeight, -3);
  EXPECT_EQ(h.biBitCount, 24);
  EXPECT_EQ(h.biSizeImage, 48u);
  std::vector<uint8_t> up(48);
  for (int32_t y = 0; y < 3; ++y) std::memcpy(&up[size_t(2 - y) * 16], b.row(y), 16);
  Bitmap24 c;
  ASSERT_TRUE(bitmapFromDib24(c, up.data(), 5, 3));
  EXPECT_TRUE(c == b);
  ASSERT_TRUE(bitmapFromDib24(c, b.data(), 5, -3));
  EXPECT_TRUE(c == b);
  EXPECT_FALSE(bitmapFromDib24(c, up.data(), 40000, 1));
}

TEST(Canvas, StretchCopyAreaIsExactlyThePixelsTheCopyWrites) {
  // Two backgrounds that differ in every byte: a pixel the copy writes
  // comes out the same on both, one it leaves keeps its background.
  const Bitmap24 src = noise(23, 17, 40);
  std::mt19937 rng(41);
  auto coord = [&](int32_t lo, int32_t hi) { return lo + int32_t(rng() % uint32_t(hi - lo + 1)); };
  for (int i = 0; i < 400; ++i) {
    const Rect d{coord(-30, 40), coord(-30, 30), coord(-30, 40), coord(-30, 30)};
    const Rect r{coord(-10, 30), coord(-10, 25), coord(-10, 30), coord(-10, 25)};
    Bitmap24 a(31, 19), b(31, 19);
    a.fill(rgb(0, 0, 0));
    b.fill(rgb(255, 255, 255));
    Canvas ca(a), cb(b);
    const Rect area = ca.stretchCopyArea(d, src, r);
    ca.stretchCopy(d, src, r);
    cb.stretchCopy(d, src, r);
    for (int32_t y = 0; y < 19; ++y)
      for (int32_t x = 0; x < 31; ++x) {
        const bool inside = x >= area.left && x < area.right && y >= area.top && y < area.bottom;
        const bool written = a.pixel(x, y) == b.pixel(x, y);
        ASSERT_EQ(inside, written) << "copy " << i << " pixel " << x << "," << y;
      }
  }
}

TEST(Canvas, DrawAroundLeavesOnlyTheHole) {
  const Bitmap24 src = noise(13, 9, 42);
  for (const Rect hole : {Rect{3, 2, 9, 7}, Rect{-5, -5, 4, 20}, Rect{0, 0, 13, 9}, Rect{}, Rect{20, 0, 30, 9}}) {
    Bitmap24 t = noise(13, 9, 43);
    const Bitmap24 before = t;
    Canvas(t).drawAround(src, hole);
    for (int32_t y = 0; y < 9; ++y)
      for (int32_t x = 0; x < 13; ++x) {
        const bool inHole = x >= hole.left && x < hole.right && y >= hole.top && y < hole.bottom;
        ASSERT_EQ(t.pixel(x, y), inHole ? before.pixel(x, y) : src.pixel(x, y)) << x << "," << y;
      }
  }
}

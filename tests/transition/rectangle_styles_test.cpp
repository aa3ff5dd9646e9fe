#include <gtest/gtest.h>

#include <algorithm>

#include "player_rig.h"
#include "transition/styles_rectangle.h"

namespace vorn::testing {
namespace {

struct Copies {
  RectCopy c[kMaxRectCopies];
  size_t n = 0;
  const RectCopy& final() const { return c[n - 1]; }
};

Copies copiesOf(int style, int32_t W, int32_t H, int progress) {
  Copies k;
  k.n = rectangleCopies(style, FrameGeometry::compute(W, H, progress, 10), k.c);
  return k;
}

const Rect kWhole400x300{0, 0, 400, 300};

// --- the formulas, computed by hand ------------------------------------------

TEST(RectangleStyleFormulas, HalfwayOnA400By300Picture) {
  // X = 200, Y = 150; a = 100, b = 300, c = 75, d = 225.
  EXPECT_EQ(copiesOf(3, 400, 300, 50).final().D, (Rect{200, 0, 600, 300}));  // slide, unscaled
  EXPECT_EQ(copiesOf(3, 400, 300, 50).final().R, kWhole400x300);
  EXPECT_EQ(copiesOf(10, 400, 300, 50).final().D, (Rect{100, 0, 300, 300}));
  EXPECT_EQ(copiesOf(52, 400, 300, 50).final().D, (Rect{100, 75, 300, 225}));
  EXPECT_EQ(copiesOf(52, 400, 300, 50).final().R, kWhole400x300);
  EXPECT_EQ(copiesOf(53, 400, 300, 50).final().R, (Rect{100, 75, 300, 225}));  // uncovered in place
  EXPECT_EQ(copiesOf(9, 400, 300, 50).final().D, (Rect{-200, 0, 600, 300}));
  EXPECT_EQ(copiesOf(9, 400, 300, 50).final().R, (Rect{100, 0, 300, 300}));
  EXPECT_EQ(copiesOf(51, 400, 300, 50).final().D, (Rect{-200, -150, 600, 450}));
  EXPECT_EQ(copiesOf(41, 400, 300, 50).final().D, (Rect{-200, -150, 200, 150}));
}

TEST(RectangleStyleFormulas, FoldStripFollowsTheThreeRules) {
  // 500 wide: X = 50 -> X div 2 = 25; X = 250 -> W div 10 = 50;
  // X = 450 -> (W - X) div 2 = 25.
  const Copies start = copiesOf(14, 500, 100, 10);
  ASSERT_EQ(start.n, 2u);
  EXPECT_EQ(start.c[0].D, (Rect{50, 0, 75, 100}));
  EXPECT_EQ(start.c[0].R, (Rect{75, 0, 100, 100}));
  EXPECT_EQ(start.c[0].mirror, Mirror::LeftRight);
  EXPECT_EQ(start.final().D, (Rect{0, 0, 50, 100}));
  EXPECT_EQ(copiesOf(14, 500, 100, 50).c[0].D, (Rect{250, 0, 300, 100}));
  EXPECT_EQ(copiesOf(14, 500, 100, 90).c[0].D, (Rect{450, 0, 475, 100}));
  // Style 15 folds from the right: g = (W - X) - f.
  const Copies right = copiesOf(15, 500, 100, 50);
  EXPECT_EQ(right.c[0].D, (Rect{200, 0, 250, 100}));
  EXPECT_EQ(right.c[0].R, (Rect{150, 0, 200, 100}));
  EXPECT_EQ(right.final().D, (Rect{250, 0, 500, 100}));
  // Vertical folds on a portrait picture 100 x 500 at 10 %: Y = 50, g = 25.
  const Copies down = copiesOf(31, 100, 500, 10);
  EXPECT_EQ(down.c[0].D, (Rect{0, 50, 100, 75}));
  EXPECT_EQ(down.c[0].R, (Rect{0, 75, 100, 100}));
  EXPECT_EQ(down.c[0].mirror, Mirror::TopBottom);
  const Copies up = copiesOf(32, 100, 500, 50);  // Y = 250, g = 50, k = 200
  EXPECT_EQ(up.c[0].D, (Rect{0, 200, 100, 250}));
  EXPECT_EQ(up.c[0].R, (Rect{0, 150, 100, 200}));
}

TEST(RectangleStyleFormulas, MirroredDestinationReachesOnePixelPastBothSides) {
  EXPECT_EQ(mirroredDestination(Rect{50, 0, 75, 100}, Mirror::LeftRight), (Rect{76, 0, 49, 100}));
  EXPECT_EQ(mirroredDestination(Rect{0, 50, 100, 75}, Mirror::TopBottom), (Rect{0, 76, 100, 49}));
  EXPECT_EQ(coveredArea(RectCopy{Rect{50, 0, 75, 100}, Rect{}, Mirror::LeftRight}), (Rect{50, 0, 77, 100}));
}

TEST(RectangleStyleFormulas, SmearStretchesATwentiethBeyondTheEdge) {
  const Copies s16 = copiesOf(16, 400, 300, 25);  // X = 100, W div 20 = 20
  ASSERT_EQ(s16.n, 2u);
  EXPECT_EQ(s16.c[0].D, (Rect{0, 0, 100, 300}));
  EXPECT_EQ(s16.c[0].R, s16.c[0].D);
  EXPECT_EQ(s16.final().D, (Rect{100, 0, 400, 300}));
  EXPECT_EQ(s16.final().R, (Rect{100, 0, 120, 300}));
  const Copies s34 = copiesOf(34, 400, 300, 40);  // Y = 120, H div 20 = 15
  EXPECT_EQ(s34.c[0].D, (Rect{0, 180, 400, 300}));
  EXPECT_EQ(s34.final().D, (Rect{0, 0, 400, 180}));
  EXPECT_EQ(s34.final().R, (Rect{0, 165, 400, 180}));
}

TEST(RectangleStyleFormulas, HalfAndQuarterStylesOnOddSizes) {
  // 41 x 21 at 50 %: X = 21 (20.5 rounds up), Y = MulDiv(21, 21, 41) = 11;
  // hx = 10, hy = 5, cw = 20, ch = 10, a = 10.
  const Copies s13 = copiesOf(13, 41, 21, 50);
  ASSERT_EQ(s13.n, 2u);
  EXPECT_EQ(s13.c[0].D, (Rect{0, 0, 11, 21}));
  EXPECT_EQ(s13.c[0].R, (Rect{0, 0, 21, 21}));
  EXPECT_EQ(s13.final().D, (Rect{30, 0, 41, 21}));
  EXPECT_EQ(s13.final().R, (Rect{20, 0, 41, 21}));

  const Copies s56 = copiesOf(56, 41, 21, 50);
  ASSERT_EQ(s56.n, 4u);
  EXPECT_EQ(s56.c[0].D, (Rect{0, 0, 11, 6}));
  EXPECT_EQ(s56.c[0].R, (Rect{0, 0, 21, 11}));
  EXPECT_EQ(s56.c[1].D, (Rect{0, 16, 11, 21}));
  EXPECT_EQ(s56.c[1].R, (Rect{0, 11, 21, 21}));
  EXPECT_EQ(s56.c[2].D, (Rect{31, 16, 41, 21}));
  EXPECT_EQ(s56.c[2].R, (Rect{21, 11, 41, 21}));
  EXPECT_EQ(s56.final().D, (Rect{31, 0, 41, 6}));
  EXPECT_EQ(s56.final().R, (Rect{21, 0, 41, 11}));

  // Style 57: (X - W) div 2 = -20 div 2 = -10, (Y - H) div 2 = -5,
  // (H - Y) div 2 = 5; the div truncates toward zero.
  const Copies s57 = copiesOf(57, 41, 21, 50);
  ASSERT_EQ(s57.n, 4u);
  EXPECT_EQ(s57.c[0].D, (Rect{-10, 0, 11, 11}));
  EXPECT_EQ(s57.c[1].D, (Rect{19, -5, 41, 6}));
  EXPECT_EQ(s57.c[1].R, (Rect{19, 0, 41, 11}));
  EXPECT_EQ(s57.c[2].D, (Rect{31, 9, 51, 21}));
  EXPECT_EQ(s57.c[2].R, (Rect{21, 9, 41, 21}));
  EXPECT_EQ(s57.final().D, (Rect{0, 16, 21, 26}));
  EXPECT_EQ(s57.final().R, (Rect{0, 11, 21, 21}));
  EXPECT_EQ(copiesOf(57, 41, 21, 54).c[0].D.left, -9);  // X = 22: -19 div 2 = -9, not -10

  const Copies s55 = copiesOf(55, 41, 21, 50);
  ASSERT_EQ(s55.n, 4u);
  EXPECT_EQ(s55.c[2].D, (Rect{30, 15, 41, 21}));
  EXPECT_EQ(s55.final().D, (Rect{30, 0, 41, 6}));
  const Copies s54 = copiesOf(54, 41, 21, 50);
  EXPECT_EQ(s54.c[0].D, (Rect{0, 0, 41, 5}));
  EXPECT_EQ(s54.c[1].D, (Rect{0, 16, 41, 21}));
  EXPECT_EQ(s54.c[2].D, (Rect{0, 0, 10, 21}));
  EXPECT_EQ(s54.final().D, (Rect{31, 0, 41, 21}));
}

TEST(RectangleStyleFormulas, OnlyStyles1To57HaveCopies) {
  RectCopy c[kMaxRectCopies];
  const FrameGeometry g = FrameGeometry::compute(10, 10, 50, 10);
  EXPECT_EQ(rectangleCopies(0, g, c), 0u);
  EXPECT_EQ(rectangleCopies(58, g, c), 0u);
  for (int style = 1; style <= 57; ++style) EXPECT_GE(rectangleCopies(style, g, c), 1u) << style;
}

// --- whole frames through the player ------------------------------------------

struct StyleRig : PlayerRig {
  StyleRig(int style, int32_t w, int32_t h) : oldImage(fake::makePattern(1, w, h)), newImage(fake::makePattern(0, w, h)) {
    player->SetThreaded(false);
    player->SetAutoSize(false);
    host.width = w;
    host.height = h;
    load(oldImage);
    player->SetStyle(0);
    EXPECT_TRUE(player->StartTransition().ok());
    player->SetStyle(style);
    player->SetStep(10);
    player->SetManual(true);
    load(newImage);
    EXPECT_TRUE(player->StartTransition().ok());
  }
  const Bitmap24& frameAt(int progress) {
    if (progress == player->Progress())
      player->RenderFrame();
    else
      player->SetProgress(progress);
    return player->ScreenBitmap();
  }
  Bitmap24 oldImage, newImage;
};

// Every pixel of a frame is the old picture's own pixel at that place, or
// some pixel of the new picture (the patterns tell them apart by one bit and
// name their coordinates): nothing from outside either picture.
::testing::AssertionResult everyPixelComesFromAPicture(const Bitmap24& f, const Bitmap24& oldImage) {
  for (int32_t y = 0; y < f.height(); ++y)
    for (int32_t x = 0; x < f.width(); ++x) {
      const Color c = f.pixel(x, y);
      const uint32_t v = (uint32_t(redOf(c)) << 16) | (uint32_t(greenOf(c)) << 8) | blueOf(c);
      if (v & 0x800000u) {
        const int32_t sx = int32_t(v & 0xFFF), sy = int32_t((v >> 12) & 0x7FF);
        if (sx >= f.width() || sy >= f.height())
          return ::testing::AssertionFailure() << "pixel " << x << "," << y << " from outside the new picture";
      } else if (c != oldImage.pixel(x, y)) {
        return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is neither picture";
      }
    }
  return ::testing::AssertionSuccess();
}

const struct {
  int32_t w, h;
} kSizes[] = {{1, 1}, {2, 3}, {3, 2}, {7, 5}, {8, 8}, {33, 20}, {20, 45}, {64, 48}};

TEST(RectangleStyles, ProgressHundredIsTheNewPictureExactlyAndZeroTheOldOutsideTheStrips) {
  for (int style = 1; style <= 57; ++style)
    for (const auto& s : kSizes) {
      StyleRig rig(style, s.w, s.h);
      EXPECT_EQ(rig.frameAt(100), rig.newImage) << "style " << style << " " << s.w << "x" << s.h;
      const Bitmap24& zero = rig.frameAt(0);
      EXPECT_TRUE(everyPixelComesFromAPicture(zero, rig.oldImage));
      // At 0 only the extra copies of the half and quarter styles, one pixel
      // wider than X div 2 or Y div 2, bring in a strip of the new picture.
      const bool strips = style == 12 || style == 13 || style == 29 || style == 30 || (style >= 55 && style <= 57);
      if (!strips) {
        EXPECT_EQ(zero, rig.oldImage) << "style " << style << " " << s.w << "x" << s.h;
      }
    }
}

TEST(RectangleStyles, EveryFrameIsMadeOfThePicturesForAllSizes) {
  for (int style = 1; style <= 57; ++style)
    for (const auto& s : kSizes)
      for (int p = 1; p < 100; p += 7) {
        StyleRig rig(style, s.w, s.h);
        ASSERT_TRUE(everyPixelComesFromAPicture(rig.frameAt(p), rig.oldImage))
            << "style " << style << " at " << p << " on " << s.w << "x" << s.h;
      }
}

TEST(RectangleStyles, UncoverStylesShowTheNewPictureInPlace) {
  for (int style : {5, 6, 11, 22, 23, 28, 43, 44, 45, 46, 53, 54}) {
    StyleRig rig(style, 33, 20);
    const Bitmap24& f = rig.frameAt(40);
    for (int32_t y = 0; y < 20; ++y)
      for (int32_t x = 0; x < 33; ++x)
        if (f.pixel(x, y) != rig.oldImage.pixel(x, y)) {
          ASSERT_EQ(f.pixel(x, y), rig.newImage.pixel(x, y)) << style;
        }
  }
}

TEST(RectangleStyles, GrowingFramesChangeOnlyWhatTheyInvalidate) {
  // Unscaled and uncentred, the control's coordinates are the picture's, so
  // every pixel that changed from one frame to the next must lie in an
  // invalidated rectangle, or the screen would keep a stale part.
  for (int style = 1; style <= 57; ++style)
    for (const auto& s : {kSizes[3], kSizes[5], kSizes[6]}) {
      StyleRig rig(style, s.w, s.h);
      Bitmap24 previous = rig.frameAt(0);
      for (int p = 10; p <= 100; p += 10) {
        rig.host.invalidated.clear();
        const Bitmap24& f = rig.frameAt(p);
        for (int32_t y = 0; y < s.h; ++y)
          for (int32_t x = 0; x < s.w; ++x) {
            if (f.pixel(x, y) == previous.pixel(x, y)) continue;
            const bool covered = std::any_of(rig.host.invalidated.begin(), rig.host.invalidated.end(), [&](const Rect& r) {
              return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
            });
            ASSERT_TRUE(covered) << "style " << style << " at " << p << " pixel " << x << "," << y << " on " << s.w
                                 << "x" << s.h;
          }
        previous = f;
      }
    }
}

TEST(RectangleStyles, ExtraCopiesAreInvalidatedOneByOne) {
  StyleRig rig(55, 40, 30);
  rig.host.invalidated.clear();
  rig.frameAt(50);
  // Three extra copies, then the final D.
  ASSERT_EQ(rig.host.invalidated.size(), 4u);
  EXPECT_EQ(rig.host.invalidated[0], (Rect{0, 0, 11, 8}));
  EXPECT_EQ(rig.host.invalidated[3], (Rect{29, 0, 40, 8}));
}

}  // namespace
}  // namespace vorn::testing

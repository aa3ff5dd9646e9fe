#include <gtest/gtest.h>

#include <random>

#include "support/noise_bitmap.h"
#include "platform/random.h"
#include "raster/canvas.h"
#include "transition/frame_context.h"
#include "transition/masked_compose.h"
#include "transition/masked_styles.h"
#include "transition/mask_region.h"

namespace vorn {
namespace {

using vorn::testing::noise;

// The frame as the clip draws it: the old picture whole, then the new one
// through M.
Bitmap24 throughClip(const Bitmap24& oldImage, const Bitmap24& newImage, const Region& m) {
  Bitmap24 screen(oldImage.width(), oldImage.height());
  Canvas c(screen);
  c.draw(oldImage, 0, 0);
  c.selectClip(m);
  c.draw(newImage, 0, 0);
  return screen;
}

Bitmap24 composed(const Bitmap24& oldImage, const Bitmap24& newImage, const Region& m) {
  Bitmap24 screen = noise(oldImage.width(), oldImage.height(), 99);  // whatever was there
  composeMasked(screen, oldImage, newImage, m);
  return screen;
}

TEST(MaskedCompose, EqualsTheClippedDrawForEveryMaskedStyle) {
  // Odd sizes leave row padding; the portrait one turns the extents round.
  for (auto [w, h] : {std::pair{67, 41}, std::pair{40, 73}, std::pair{1, 1}, std::pair{3, 2}}) {
    const Bitmap24 oldImage = noise(w, h, 1), newImage = noise(w, h, 2);
    for (int style = 58; style <= 127; ++style) {
      if (!isMaskedStyle(style)) continue;
      for (int p : {1, 13, 37, 50, 64, 88, 99}) {
        LcgRandom random(uint32_t(style * 101 + p));
        MaskPlan plan;
        ASSERT_TRUE(planMaskedStyle(style, FrameGeometry::compute(w, h, p, 10), random, plan));
        const Region m = MaskRegionBuilder().build(plan, w, h);
        ASSERT_TRUE(composed(oldImage, newImage, m) == throughClip(oldImage, newImage, m))
            << w << "x" << h << " style " << style << " at " << p;
      }
    }
  }
}

TEST(MaskedCompose, HandlesRegionsOutsideEmptyAndCutIntoManyPieces) {
  const Bitmap24 oldImage = noise(50, 30, 3), newImage = noise(50, 30, 4);
  std::vector<Region> cases;
  cases.push_back(Region());                                  // nothing: the old picture
  cases.push_back(Region::rect(-10, -10, 80, 50));            // everything: the new picture
  cases.push_back(Region::rect(-5, 40, 60, 70));              // wholly below
  cases.push_back(Region::rect(60, 0, 90, 30));               // wholly to the right
  cases.push_back(Region::roundRect(-20, -8, 30, 45, 40, 40));
  Region comb, singles;
  for (int32_t x = -3; x < 55; x += 4) comb.addRect(Rect{x, 2, x + 2, 27});  // pieces of 2 pixels
  for (int32_t x = 0; x < 50; x += 2) singles.addRect(Rect{x, x % 30, x + 1, x % 30 + 3});
  cases.push_back(comb);
  cases.push_back(singles);
  for (size_t i = 0; i < cases.size(); ++i)
    EXPECT_TRUE(composed(oldImage, newImage, cases[i]) == throughClip(oldImage, newImage, cases[i])) << i;
  EXPECT_TRUE(composed(oldImage, newImage, cases[0]) == oldImage);
  EXPECT_TRUE(composed(oldImage, newImage, cases[1]) == newImage);
}

}  // namespace
}  // namespace vorn

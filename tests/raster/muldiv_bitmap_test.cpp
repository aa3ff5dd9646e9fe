#include <gtest/gtest.h>

#include <stdexcept>

#include "raster/bitmap24.h"
#include "raster/muldiv.h"

using namespace vorn;

TEST(MulDiv, RoundsHalvesAwayFromZeroInEverySignCombination) {
  EXPECT_EQ(MulDiv(5, 1, 2), 3);
  EXPECT_EQ(MulDiv(-5, 1, 2), -3);
  EXPECT_EQ(MulDiv(5, 1, -2), -3);
  EXPECT_EQ(MulDiv(-5, 1, -2), 3);
  EXPECT_EQ(MulDiv(300, 33, 100), 99);
  EXPECT_EQ(MulDiv(1920, 10, 90), 213);  // 213.33
  EXPECT_EQ(MulDiv(7, 1, 3), 2);
}

TEST(MulDiv, UsesA64BitIntermediateAndSignalsOverflowAndZero) {
  EXPECT_EQ(MulDiv(2000000000, 2000000000, 2000000000), 2000000000);
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
  EXPECT_EQ(MulDiv(2000000000, 4, 1), -1);
}

TEST(Bitmap24, RowsArePaddedToFourBytesAndStartBlack) {
  Bitmap24 b(5, 3);
  EXPECT_EQ(b.stride(), 16u);
  EXPECT_EQ(b.pixel(4, 2), rgb(0, 0, 0));
  b.fill(rgb(1, 2, 3));
  EXPECT_EQ(b.pixel(4, 2), rgb(1, 2, 3));
  EXPECT_EQ(b.row(0)[0], 3);  // blue first
  b.setPixel(0, 1, rgb(9, 8, 7));
  Bitmap24 c = b;
  EXPECT_TRUE(c == b);
  c.setPixel(0, 0, 0);
  EXPECT_FALSE(c == b);
}

TEST(Bitmap24, RefusesSizesOutsideTheCaps) {
  EXPECT_THROW(Bitmap24(-1, 5), std::length_error);
  EXPECT_THROW(Bitmap24(Bitmap24::kMaxSide + 1, 1), std::length_error);
  EXPECT_THROW(Bitmap24(30000, 30000), std::length_error);
  EXPECT_TRUE(Bitmap24(0, 7).empty());
}

#include <gtest/gtest.h>

#include "support/gdi_surface.h"
#include "transition/fake/picture_source.h"
#include "transition/win32/win32_player_presenter.h"

namespace vorn::testing {
namespace {

TEST(PlayerPresenter, ShowsOnlyTheRequestedAreaAtTheControlsPlace) {
  const Bitmap24 buffer = fake::makePattern(0, 30, 20);
  Bitmap24 blank(50, 40);
  GdiSurface window(blank);
  presentBitmap(window.dc(), buffer, Rect{5, 3, 17, 11}, 10, 7);
  const Bitmap24 shown = window.pixels();
  for (int32_t y = 0; y < 40; ++y)
    for (int32_t x = 0; x < 50; ++x) {
      const int32_t bx = x - 10, by = y - 7;
      const bool inside = bx >= 5 && bx < 17 && by >= 3 && by < 11;
      ASSERT_EQ(shown.pixel(x, y), inside ? buffer.pixel(bx, by) : Color(0)) << x << "," << y;
    }
}

TEST(PlayerPresenter, AreaOutsideTheBufferIsClipped) {
  const Bitmap24 buffer = fake::makePattern(0, 8, 8);
  Bitmap24 blank(20, 20);
  GdiSurface window(blank);
  presentBitmap(window.dc(), buffer, Rect{-5, -5, 30, 30}, 0, 0);
  const Bitmap24 shown = window.pixels();
  EXPECT_EQ(shown.pixel(7, 7), buffer.pixel(7, 7));
  EXPECT_EQ(shown.pixel(8, 8), Color(0));
}

}  // namespace
}  // namespace vorn::testing

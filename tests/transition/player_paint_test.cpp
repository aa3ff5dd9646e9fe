#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "player_rig.h"
#include "transition/placement.h"

namespace vorn::testing {
namespace {

TEST(FitRect, KeepsProportionsAndCentresInBothDirections) {
  EXPECT_EQ(FitRect(Rect{0, 0, 50, 25}, Rect{0, 0, 100, 100}), (Rect{0, 25, 100, 75}));
  EXPECT_EQ(FitRect(Rect{0, 0, 25, 50}, Rect{0, 0, 100, 100}), (Rect{25, 0, 75, 100}));
  EXPECT_EQ(FitRect(Rect{0, 0, 400, 300}, Rect{0, 0, 200, 200}), (Rect{0, 25, 200, 175}));
  // MulDiv rounds: 3 x 100 / 7 = 42.86 -> 43 high, placed at (100 - 43) div 2.
  EXPECT_EQ(FitRect(Rect{0, 0, 7, 3}, Rect{10, 20, 110, 120}), (Rect{10, 48, 110, 91}));
  // Equal ratios take the second branch: width from the height.
  EXPECT_EQ(FitRect(Rect{0, 0, 2, 1}, Rect{0, 0, 200, 100}), (Rect{0, 0, 200, 100}));
}

struct PaintRig : PlayerRig {
  explicit PaintRig(int32_t w, int32_t h) {
    player->SetThreaded(false);
    player->SetAutoSize(false);
    player->SetStyle(0);
    player->SetColor(rgb(0, 0, 255));
    host.width = w;
    host.height = h;
  }
  void show(const Bitmap24& b) {
    load(b);
    ASSERT_TRUE(player->StartTransition().ok());
    ASSERT_TRUE(player->Paint());
  }
  Color at(int32_t x, int32_t y) const { return player->PaintBuffer().pixel(x, y); }
};

TEST(PlayerPaint, SmallPictureWithStretchFineIsEnlargedCentredAndKeepsItsShape) {
  PaintRig rig(100, 100);
  rig.player->SetStretch(true);
  rig.player->SetStretchFine(true);
  rig.show(solid(20, 10, rgb(255, 0, 0)));
  EXPECT_EQ(rig.player->DisplayRect(), (Rect{0, 25, 100, 75}));
  EXPECT_EQ(rig.at(50, 24), rgb(0, 0, 255));
  EXPECT_EQ(rig.at(50, 25), rgb(255, 0, 0));
  EXPECT_EQ(rig.at(99, 74), rgb(255, 0, 0));
  EXPECT_EQ(rig.at(50, 75), rgb(0, 0, 255));
}

TEST(PlayerPaint, StretchAloneFillsTheControl) {
  PaintRig rig(100, 100);
  rig.player->SetStretch(true);
  rig.show(solid(20, 10, rgb(255, 0, 0)));
  EXPECT_EQ(rig.player->DisplayRect(), (Rect{0, 0, 100, 100}));
  EXPECT_EQ(rig.at(0, 0), rgb(255, 0, 0));
  EXPECT_EQ(rig.at(99, 99), rgb(255, 0, 0));
}

TEST(PlayerPaint, LargerPictureShrinksToFitWithStretchFine) {
  PaintRig rig(100, 50);
  rig.player->SetStretch(true);
  rig.player->SetStretchFine(true);
  rig.show(solid(400, 400, rgb(255, 0, 0)));
  EXPECT_EQ(rig.player->DisplayRect(), (Rect{25, 0, 75, 50}));
}

TEST(PlayerPaint, UnscaledPictureSitsTopLeftOrCentred) {
  PaintRig rig(100, 100);
  rig.show(solid(20, 10, rgb(255, 0, 0)));
  EXPECT_EQ(rig.player->PicRect(), (Rect{0, 0, 20, 10}));
  EXPECT_EQ(rig.at(19, 9), rgb(255, 0, 0));
  EXPECT_EQ(rig.at(20, 9), rgb(0, 0, 255));
  rig.player->SetCenter(true);
  EXPECT_EQ(rig.player->PicRect(), (Rect{40, 45, 60, 55}));
  ASSERT_TRUE(rig.player->Paint());
  EXPECT_EQ(rig.at(40, 45), rgb(255, 0, 0));
  EXPECT_EQ(rig.at(39, 45), rgb(0, 0, 255));
}

TEST(PlayerPaint, CentredPictureLargerThanTheControlShowsItsMiddle) {
  PaintRig rig(10, 10);
  rig.player->SetCenter(true);
  rig.show(fake::makePattern(0, 30, 20));
  EXPECT_EQ(rig.player->PicRect(), (Rect{-10, -5, 20, 15}));
  EXPECT_EQ(rig.at(0, 0), fake::makePattern(0, 30, 20).pixel(10, 5));
  EXPECT_EQ(rig.at(9, 9), fake::makePattern(0, 30, 20).pixel(19, 14));
}

// The last area a manual run of `style` invalidates when moved to `progress`
// with a w x h picture.
Rect lastInvalidated(PaintRig& rig, int style, int32_t w, int32_t h, int progress) {
  rig.player->SetStyle(style);
  rig.player->SetManual(true);
  rig.load(solid(w, h, rgb(255, 0, 0)));
  EXPECT_TRUE(rig.player->StartTransition().ok());
  rig.host.invalidated.clear();
  rig.player->SetProgress(progress);
  return rig.host.invalidated.empty() ? Rect{} : rig.host.invalidated.back();
}

TEST(PlayerPaint, FrameInvalidationIsMappedThroughTheDisplayRectangle) {
  PaintRig rig(200, 200);
  rig.player->SetStretch(true);
  rig.player->SetStretchFine(true);
  // Uncover from the left: D = (0, 0, 30, 50) scales by 2 into the display
  // rectangle (0, 50, 200, 150).
  EXPECT_EQ(lastInvalidated(rig, 5, 100, 50, 30), (Rect{0, 50, 60, 150}));
}

TEST(PlayerPaint, UnstretchedInvalidationIsMovedByTheCentringAndClipped) {
  PaintRig rig(60, 40);
  rig.player->SetCenter(true);
  // Slide: D = (20, 0, 60, 20) reaches past the picture; it is moved by
  // (10, 10) and clipped to PicRect (10, 10, 50, 30).
  EXPECT_EQ(lastInvalidated(rig, 3, 40, 20, 50), (Rect{30, 10, 50, 30}));
}

TEST(PlayerPaint, TiledBackgroundLargerThanTheControlIsDrawnOnceTopLeft) {
  PaintRig rig(10, 10);
  rig.player->SetBgMode(TBackgroundMode::bmTiled);
  ASSERT_TRUE(fake::loadBitmap(rig.player->BgPicture(), fake::makePattern(0, 30, 30)).ok());
  ASSERT_TRUE(rig.player->Paint());
  for (int32_t y = 0; y < 10; ++y)
    for (int32_t x = 0; x < 10; ++x) ASSERT_EQ(rig.at(x, y), fake::makePattern(0, 30, 30).pixel(x, y));
}

TEST(PlayerPaint, TiledBackgroundRepeatsPastTheLastWholeTile) {
  PaintRig rig(10, 7);
  rig.player->SetBgMode(TBackgroundMode::bmTiled);
  const Bitmap24 tile = fake::makePattern(0, 4, 3);
  ASSERT_TRUE(fake::loadBitmap(rig.player->BgPicture(), tile).ok());
  ASSERT_TRUE(rig.player->Paint());
  for (int32_t y = 0; y < 7; ++y)
    for (int32_t x = 0; x < 10; ++x) ASSERT_EQ(rig.at(x, y), tile.pixel(x % 4, y % 3)) << x << "," << y;
}

TEST(PlayerPaint, CentredBackgroundAndPictureOverIt) {
  PaintRig rig(10, 10);
  rig.player->SetBgMode(TBackgroundMode::bmCentered);
  ASSERT_TRUE(fake::loadBitmap(rig.player->BgPicture(), solid(4, 2, rgb(0, 255, 0))).ok());
  ASSERT_TRUE(rig.player->Paint());
  EXPECT_EQ(rig.at(3, 4), rgb(0, 255, 0));
  EXPECT_EQ(rig.at(6, 5), rgb(0, 255, 0));
  EXPECT_EQ(rig.at(2, 4), rgb(0, 0, 255));
  EXPECT_EQ(rig.at(3, 6), rgb(0, 0, 255));
  rig.show(solid(2, 2, rgb(255, 0, 0)));
  EXPECT_EQ(rig.at(0, 0), rgb(255, 0, 0));
  EXPECT_EQ(rig.at(4, 4), rgb(0, 255, 0));
}

TEST(PlayerPaint, StretchedBackgroundCoversTheControl) {
  PaintRig rig(10, 10);
  rig.player->SetBgMode(TBackgroundMode::bmStretched);
  ASSERT_TRUE(fake::loadBitmap(rig.player->BgPicture(), solid(2, 2, rgb(0, 255, 0))).ok());
  ASSERT_TRUE(rig.player->Paint());
  EXPECT_EQ(rig.at(0, 0), rgb(0, 255, 0));
  EXPECT_EQ(rig.at(9, 9), rgb(0, 255, 0));
}

// A host that, asked for the size while a paint runs, asks for a paint.
struct NestingHost final : PlayerHost {
  int32_t clientWidth() const override {
    if (player && player->Painting() && !asked) {
      asked = true;
      nested = player->Paint();
    }
    return 10;
  }
  int32_t clientHeight() const override { return 10; }
  void setClientSize(int32_t, int32_t) override {}
  void invalidate(const Rect&) override {}
  void updateNow() override {}
  bool isMainThread() const override { return true; }
  void runOnMainThread(const std::function<void()>& fn) override { fn(); }
  TCustomTransitionPlayer* player = nullptr;
  mutable bool asked = false, nested = true;
};

TEST(PlayerPaint, NestedOrOffThreadPaintRequestsAreDropped) {
  PaintRig rig(10, 10);
  NestingHost host;
  TTransitionPlayer nesting(PlayerServices{host, rig.clock, rig.pump, rig.random, rig.threads});
  host.player = &nesting;
  ASSERT_TRUE(nesting.Paint());
  EXPECT_TRUE(host.asked);
  EXPECT_FALSE(host.nested);
  bool offThread = true;
  std::thread([&] { offThread = rig.player->Paint(); }).join();
  EXPECT_FALSE(offThread);
}

TEST(PlayerPaint, ClearScreenLeavesOnlyTheColour) {
  PaintRig rig(10, 10);
  rig.show(solid(10, 10, rgb(255, 0, 0)));
  rig.host.invalidated.clear();
  rig.player->ClearScreen();
  EXPECT_TRUE(rig.player->ScreenBitmap().empty());
  EXPECT_FALSE(rig.host.invalidated.empty());
  ASSERT_TRUE(rig.player->Paint());
  EXPECT_EQ(rig.at(5, 5), rgb(0, 0, 255));
}

TEST(PlayerPaint, ClearScreenWhileBusyDoesNothing) {
  PaintRig rig(10, 10);
  rig.player->SetStyle(5);
  rig.player->SetManual(true);
  rig.load(solid(10, 10, rgb(255, 0, 0)));
  ASSERT_TRUE(rig.player->StartTransition().ok());
  rig.player->ClearScreen();
  EXPECT_FALSE(rig.player->ScreenBitmap().empty());
}

TEST(PlayerPaint, TransitionStartsFromWhatTheControlShowed) {
  // Old: a 10 x 5 red picture stretched fine into a 20 x 20 blue control,
  // so a red band across the middle. The next picture is 10 x 10 and takes
  // the whole control: frame 0 is that view scaled down to 10 x 10.
  PaintRig rig(20, 20);
  rig.player->SetStretch(true);
  rig.player->SetStretchFine(true);
  rig.show(solid(10, 5, rgb(255, 0, 0)));
  rig.player->SetStyle(5);
  rig.player->SetManual(true);
  rig.load(solid(10, 10, rgb(0, 255, 0)));
  ASSERT_TRUE(rig.player->StartTransition().ok());
  rig.player->RenderFrame();
  const Bitmap24& f = rig.player->ScreenBitmap();
  ASSERT_EQ(f.width(), 10);
  EXPECT_EQ(f.pixel(5, 0), rgb(0, 0, 255));
  EXPECT_EQ(f.pixel(5, 5), rgb(255, 0, 0));
  EXPECT_EQ(f.pixel(5, 9), rgb(0, 0, 255));
}

}  // namespace
}  // namespace vorn::testing

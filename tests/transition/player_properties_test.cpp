#include <gtest/gtest.h>

#include "player_rig.h"

namespace vorn::testing {
namespace {

TEST(TransitionPlayer, NewControlHasTheDocumentedDefaults) {
  PlayerRig rig;
  const TTransitionPlayer& p = *rig.player;
  EXPECT_EQ(p.BgMode(), TBackgroundMode::bmTiled);
  EXPECT_TRUE(p.AutoSize());
  EXPECT_FALSE(p.Center());
  EXPECT_FALSE(p.Stretch());
  EXPECT_FALSE(p.StretchFine());
  EXPECT_TRUE(p.Threaded());
  EXPECT_EQ(p.ThreadPriority(), TThreadPriority::tpNormal);
  EXPECT_FALSE(p.Manual());
  EXPECT_FALSE(p.Reverse());
  EXPECT_EQ(p.Style(), 51);
  EXPECT_EQ(p.Step(), 4);
  EXPECT_EQ(p.Delay(), 40);
  EXPECT_EQ(p.Color(), kWindowColor);
  EXPECT_EQ(p.Progress(), 0);
  EXPECT_FALSE(p.Busy());
  EXPECT_TRUE(p.ScreenBitmap().empty());
  EXPECT_EQ(rig.host.clientWidth(), 100);
  EXPECT_EQ(rig.host.clientHeight(), 100);
}

TEST(TransitionPlayer, StepIsClampedToOneThroughHundred) {
  PlayerRig rig;
  TTransitionPlayer& p = *rig.player;
  p.SetStep(0);
  EXPECT_EQ(p.Step(), 1);
  p.SetStep(250);
  EXPECT_EQ(p.Step(), 100);
  p.SetStep(100);
  EXPECT_EQ(p.Step(), 100);
  p.SetStep(1);
  EXPECT_EQ(p.Step(), 1);
  p.SetStep(-5);
  EXPECT_EQ(p.Step(), 1);
}

TEST(TransitionPlayer, StyleStaysInsideTheStyleTable) {
  PlayerRig rig;
  rig.player->SetStyle(127);
  EXPECT_EQ(rig.player->Style(), 127);
  rig.player->SetStyle(128 + 5);
  EXPECT_EQ(rig.player->Style(), 5);
}

TEST(TransitionPlayer, ManualWhenIdleMovesProgressToTheStartOfARun) {
  PlayerRig rig;
  rig.recordEvents();
  TTransitionPlayer& p = *rig.player;
  p.SetReverse(true);
  p.SetManual(true);
  EXPECT_EQ(p.Progress(), 100);
  p.SetReverse(false);
  p.SetManual(false);
  EXPECT_EQ(p.Progress(), 0);
  // No frame: no frame events, nothing drawn or invalidated.
  EXPECT_TRUE(rig.events.empty());
  EXPECT_TRUE(p.ScreenBitmap().empty());
  EXPECT_TRUE(rig.host.invalidated.empty());
}

TEST(TransitionPlayer, SetProgressWhenIdleDoesNothing) {
  PlayerRig rig;
  rig.player->SetProgress(50);
  EXPECT_EQ(rig.player->Progress(), 0);
}

TEST(TransitionPlayer, AutoSizeGivesTheControlThePictureSizeUnlessAligned) {
  PlayerRig rig;
  rig.load(solid(40, 30, rgb(1, 2, 3)));
  EXPECT_EQ(rig.host.width, 40);
  EXPECT_EQ(rig.host.height, 30);

  PlayerRig aligned;
  aligned.player->SetAlign(TAlign::alClient);
  aligned.load(solid(40, 30, rgb(1, 2, 3)));
  EXPECT_EQ(aligned.host.width, 100);

  PlayerRig off;
  off.player->SetAutoSize(false);
  off.load(solid(40, 30, rgb(1, 2, 3)));
  EXPECT_EQ(off.host.width, 100);
  off.player->SetAutoSize(true);  // turning it on adjusts at once
  EXPECT_EQ(off.host.width, 40);
}

TEST(TransitionPlayer, PictureChangeRaisesOnChange) {
  PlayerRig rig;
  int changes = 0;
  rig.player->OnChange = [&](TCustomTransitionPlayer&) { ++changes; };
  rig.load(solid(4, 4, rgb(9, 9, 9)));
  EXPECT_EQ(changes, 1);
  rig.player->SetPicture(TPicture());  // an empty value clears
  EXPECT_FALSE(rig.player->Picture().hasGraphic());
  EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace vorn::testing

#include <gtest/gtest.h>

#include <cmath>

#include "player_rig.h"
#include "transition/frame_context.h"
#include "transition/style_catalogue.h"

namespace vorn::testing {
namespace {

struct UnthreadedRig : PlayerRig {
  UnthreadedRig() {
    player->SetThreaded(false);
    player->SetStyle(5);
    player->SetAutoSize(false);
    player->SetAlign(TAlign::alClient);
    host.width = 40;
    host.height = 30;
    // The old picture is on display when a test starts its run.
    load(fake::makePattern(1, 40, 30));
    player->SetStyle(0);
    EXPECT_TRUE(player->StartTransition().ok());
    player->SetStyle(5);
    // Toggling Manual while idle puts Progress back to 0, as on a new control.
    player->SetManual(true);
    player->SetManual(false);
    recordEvents();
  }
  Bitmap24 newPicture = fake::makePattern(0, 40, 30);
  void loadNew() { load(newPicture); }
};

TEST(TransitionRun, RaisesBeforeAfterAndProgressPerFrameAndCompleteOnce) {
  UnthreadedRig rig;
  rig.player->SetStep(30);
  rig.loadNew();
  ASSERT_TRUE(rig.player->StartTransition().ok());
  EXPECT_EQ(rig.events,
            (std::vector<std::string>{"before30", "after30", "progress30", "before60", "after60", "progress60",
                                      "before90", "after90", "progress90", "before100", "after100",
                                      "progress100", "complete"}));
  EXPECT_FALSE(rig.player->Busy());
  EXPECT_EQ(rig.player->ScreenBitmap(), rig.newPicture);
}

TEST(TransitionRun, ForwardRunHasCeilHundredOverStepFrames) {
  for (int step : {1, 3, 4, 7, 10, 33, 34, 50, 99, 100}) {
    UnthreadedRig rig;
    rig.player->SetStep(step);
    rig.loadNew();
    ASSERT_TRUE(rig.player->StartTransition().ok());
    EXPECT_EQ(rig.frames.size(), size_t((100 + step - 1) / step)) << "step " << step;
    EXPECT_EQ(rig.frames.back(), 100);
    EXPECT_EQ(rig.completes, 1);
  }
}

TEST(TransitionRun, SecondRunStartsWithFrameZero) {
  UnthreadedRig rig;
  rig.player->SetStep(10);
  rig.loadNew();
  ASSERT_TRUE(rig.player->StartTransition().ok());
  rig.frames.clear();
  rig.load(fake::makePattern(2, 40, 30));
  ASSERT_TRUE(rig.player->StartTransition().ok());
  ASSERT_EQ(rig.frames.size(), 11u);
  EXPECT_EQ(rig.frames.front(), 0);
}

TEST(TransitionRun, ShowSettingsGiveTenFramesAboutDelayApart) {
  UnthreadedRig rig;
  rig.player->SetStep(10);
  rig.player->SetDelay(30);
  rig.loadNew();
  ASSERT_TRUE(rig.player->StartTransition().ok());
  ASSERT_EQ(rig.frames.size(), 10u);
  for (size_t i = 1; i < rig.frameTicks.size(); ++i) {
    const uint32_t gap = rig.frameTicks[i] - rig.frameTicks[i - 1];
    EXPECT_GT(gap, 30u);  // more than Delay from frame start to frame start
    EXPECT_LE(gap, 32u);
  }
  EXPECT_GT(rig.pump.calls, 0);  // messages were dispatched while waiting
}

TEST(TransitionRun, TickCounterWrapDoesNotDisturbThePacing) {
  UnthreadedRig rig;
  rig.clock.now = 0xFFFFFFF0u;
  rig.player->SetStep(10);
  rig.player->SetDelay(30);
  rig.loadNew();
  ASSERT_TRUE(rig.player->StartTransition().ok());
  ASSERT_EQ(rig.frames.size(), 10u);
  for (size_t i = 1; i < rig.frameTicks.size(); ++i) EXPECT_GT(uint32_t(rig.frameTicks[i] - rig.frameTicks[i - 1]), 30u);
}

TEST(TransitionRun, ReverseStartsWithTheNewPictureAndEndsOnTheOldImage) {
  UnthreadedRig rig;
  const Bitmap24 shown = fake::makePattern(1, 40, 30);
  rig.player->SetStep(30);
  rig.player->SetReverse(true);
  rig.player->SetStyle(2);
  std::vector<Bitmap24> shots;
  rig.onProgress = [&](TCustomTransitionPlayer& s) { shots.push_back(s.ScreenBitmap()); };
  rig.loadNew();
  ASSERT_TRUE(rig.player->StartTransition().ok());
  EXPECT_EQ(rig.frames, (std::vector<int>{100, 70, 40, 10, 0}));
  ASSERT_EQ(shots.size(), 5u);
  EXPECT_EQ(shots.front(), rig.newPicture);
  EXPECT_EQ(shots.back(), shown);
  EXPECT_EQ(rig.events.back(), "complete");
  EXPECT_EQ(rig.completes, 1);
}

TEST(TransitionRun, FallingProgressInvalidatesTheWholePicture) {
  UnthreadedRig rig;
  rig.player->SetReverse(true);
  rig.player->SetStep(50);
  rig.loadNew();
  rig.host.invalidated.clear();
  ASSERT_TRUE(rig.player->StartTransition().ok());
  int whole = 0;
  for (const Rect& r : rig.host.invalidated) whole += r == Rect{0, 0, 40, 30};
  EXPECT_GE(whole, 2);  // before the frames 50 and 0
}

TEST(TransitionRun, StartWithoutPictureOrWhileBusyIsIgnored) {
  PlayerRig empty;
  empty.player->SetThreaded(false);
  EXPECT_TRUE(empty.player->StartTransition().ok());
  EXPECT_FALSE(empty.player->Busy());

  UnthreadedRig rig;
  rig.player->SetStep(25);
  int nested = 0;
  rig.onProgress = [&](TCustomTransitionPlayer& s) {
    if (s.Progress() == 50) {
      EXPECT_TRUE(s.StartTransition().ok());  // ignored: the run goes on
      ++nested;
    }
  };
  rig.loadNew();
  ASSERT_TRUE(rig.player->StartTransition().ok());
  EXPECT_EQ(nested, 1);
  EXPECT_EQ(rig.frames, (std::vector<int>{25, 50, 75, 100}));
  EXPECT_EQ(rig.completes, 1);
}

TEST(TransitionRun, StopFromADispatchedMessageEndsTheLoopWithoutComplete) {
  UnthreadedRig rig;
  rig.player->SetStep(10);
  rig.pump.onProcess = [&] {
    if (rig.player->Progress() == 40) rig.player->StopTransition();
  };
  rig.loadNew();
  ASSERT_TRUE(rig.player->StartTransition().ok());
  EXPECT_FALSE(rig.player->Busy());
  EXPECT_EQ(rig.completes, 0);
  EXPECT_EQ(rig.frames.back(), 40);
  const int callsAfterStop = rig.pump.calls;
  EXPECT_GT(callsAfterStop, 0);
  // The frame reached stays on display: uncover style 5 at 40 of 40 pixels.
  EXPECT_EQ(rig.player->ScreenBitmap().pixel(15, 10), rig.newPicture.pixel(15, 10));
  EXPECT_NE(rig.player->ScreenBitmap().pixel(16, 10), rig.newPicture.pixel(16, 10));
}

// After a failed run: it ended without OnComplete, and a later run (without
// the failing handler) works normally.
void expectEndedAndALaterRunWorks(UnthreadedRig& rig) {
  EXPECT_FALSE(rig.player->Busy());
  EXPECT_EQ(rig.completes, 0);
  rig.onProgress = nullptr;
  ASSERT_TRUE(rig.player->StartTransition().ok());
  EXPECT_EQ(rig.completes, 1);
}

// A run whose handlers stop it ends within StartTransition, without OnComplete.
void expectStoppedWithoutComplete(UnthreadedRig& rig) {
  rig.loadNew();
  ASSERT_TRUE(rig.player->StartTransition().ok());
  EXPECT_FALSE(rig.player->Busy());
  EXPECT_EQ(rig.completes, 0);
}

TEST(TransitionRun, StopFromTheLastFramesProgressEventFinishesOnce) {
  UnthreadedRig rig;
  rig.player->SetStep(50);
  rig.onProgress = [&](TCustomTransitionPlayer& s) {
    if (s.Progress() == 100) s.StopTransition();
  };
  expectStoppedWithoutComplete(rig);
}

TEST(TransitionRun, StopFromInsideAFrameEventIsSafe) {
  UnthreadedRig rig;
  rig.player->SetStep(10);
  rig.player->OnBeforeNewFrame = [&](TCustomTransitionPlayer& s, const Bitmap24&, Bitmap24&) {
    if (s.Progress() == 30) s.StopTransition();
  };
  expectStoppedWithoutComplete(rig);
}

TEST(TransitionRun, ClosingThePlayerFromADispatchedMessageEndsTheLoopCleanly) {
  UnthreadedRig rig;
  rig.player->SetStep(10);
  rig.pump.onProcess = [&] {
    if (rig.player && rig.player->Progress() == 20) {
      rig.player->StopTransition();
      rig.host.player = nullptr;
      rig.player.reset();  // the window and its control go away
    }
  };
  rig.loadNew();
  TTransitionPlayer* p = rig.player.get();
  EXPECT_TRUE(p->StartTransition().ok());
  EXPECT_EQ(rig.player, nullptr);
  EXPECT_EQ(rig.completes, 0);
}

TEST(TransitionRun, DestroyingThePlayerMidRunWithoutStopIsSafeToo) {
  UnthreadedRig rig;
  rig.player->SetStep(10);
  rig.pump.onProcess = [&] {
    if (rig.player && rig.player->Progress() == 50) {
      rig.host.player = nullptr;
      rig.player.reset();
    }
  };
  rig.loadNew();
  TTransitionPlayer* p = rig.player.get();
  EXPECT_TRUE(p->StartTransition().ok());
  EXPECT_EQ(rig.completes, 0);
}

TEST(TransitionRun, StopWhenIdleDoesNothing) {
  UnthreadedRig rig;
  rig.player->StopTransition();
  EXPECT_FALSE(rig.player->Busy());
  EXPECT_EQ(rig.completes, 0);
}

TEST(TransitionRun, ManualStartPausesUntilTheApplicationMovesProgress) {
  UnthreadedRig rig;
  rig.player->SetManual(true);
  rig.loadNew();
  ASSERT_TRUE(rig.player->StartTransition().ok());
  EXPECT_TRUE(rig.player->Busy());
  EXPECT_TRUE(rig.frames.empty());
  rig.player->SetProgress(60);
  rig.player->SetProgress(100);
  EXPECT_TRUE(rig.player->Busy());  // reaching 100 does not end a paused run
  EXPECT_EQ(rig.frames, (std::vector<int>{60, 100}));
  rig.player->SetProgress(30);
  EXPECT_EQ(rig.player->Progress(), 30);
  rig.player->SetStep(35);
  rig.player->SetManual(false);  // resumes automatic play from 30
  EXPECT_FALSE(rig.player->Busy());
  EXPECT_EQ(rig.frames, (std::vector<int>{60, 100, 30, 65, 100}));
  EXPECT_EQ(rig.completes, 1);
}

TEST(TransitionRun, SettingManualDuringPlayPausesAndClearingItResumes) {
  UnthreadedRig rig;
  rig.player->SetStep(20);
  rig.onProgress = [&](TCustomTransitionPlayer& s) {
    if (s.Progress() == 40 && rig.frames.size() == 2) static_cast<TTransitionPlayer&>(s).SetManual(true);
  };
  rig.loadNew();
  ASSERT_TRUE(rig.player->StartTransition().ok());
  EXPECT_TRUE(rig.player->Busy());
  EXPECT_EQ(rig.frames, (std::vector<int>{20, 40}));
  EXPECT_EQ(rig.completes, 0);
  rig.player->SetManual(false);
  EXPECT_EQ(rig.frames, (std::vector<int>{20, 40, 60, 80, 100}));
  EXPECT_EQ(rig.completes, 1);
}

TEST(TransitionRun, StopFromPausedEndsWithoutComplete) {
  UnthreadedRig rig;
  rig.player->SetManual(true);
  rig.loadNew();
  ASSERT_TRUE(rig.player->StartTransition().ok());
  rig.player->SetProgress(50);
  rig.player->StopTransition();
  EXPECT_FALSE(rig.player->Busy());
  EXPECT_EQ(rig.completes, 0);
}

TEST(TransitionRun, AnErrorWhilePlayingEndsTheRunAndReachesTheCaller) {
  UnthreadedRig rig;
  rig.player->SetStep(25);
  rig.onProgress = [](TCustomTransitionPlayer& s) {
    if (s.Progress() == 50) throw std::runtime_error("handler failed");
  };
  rig.loadNew();
  const Status s = rig.player->StartTransition();
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.error(), "handler failed");
  expectEndedAndALaterRunWorks(rig);
}

TEST(TransitionRun, AnErrorWhileResumingFromPausedEndsTheRunAndReachesTheCaller) {
  UnthreadedRig rig;
  rig.player->SetStep(25);
  rig.player->SetManual(true);
  rig.loadNew();
  ASSERT_TRUE(rig.player->StartTransition().ok());
  rig.onProgress = [](TCustomTransitionPlayer& s) {
    if (s.Progress() == 50) throw std::runtime_error("handler failed");
  };
  EXPECT_THROW(rig.player->SetManual(false), std::runtime_error);
  expectEndedAndALaterRunWorks(rig);
}

TEST(TransitionRun, StyleZeroShowsTheNewPictureInOneFrame) {
  UnthreadedRig rig;
  rig.player->SetStyle(0);
  rig.player->SetStep(10);
  rig.loadNew();
  ASSERT_TRUE(rig.player->StartTransition().ok());
  EXPECT_EQ(rig.events, (std::vector<std::string>{"before10", "after100", "progress100", "complete"}));
  EXPECT_EQ(rig.player->ScreenBitmap(), rig.newPicture);
}

TEST(TransitionRun, ReversedStyleZeroEndsAtOnceOnTheOldImage) {
  UnthreadedRig rig;
  rig.player->SetStyle(0);
  rig.player->SetReverse(true);
  rig.loadNew();
  ASSERT_TRUE(rig.player->StartTransition().ok());
  EXPECT_FALSE(rig.player->Busy());
  EXPECT_EQ(rig.completes, 1);
  EXPECT_EQ(rig.player->ScreenBitmap(), fake::makePattern(1, 40, 30));
}

TEST(TransitionRun, CustomDrawnStyleZeroKeepsTheHandlersFrames) {
  UnthreadedRig rig;
  rig.player->SetStyle(0);
  rig.player->SetStep(50);
  rig.player->OnCustomDraw = [](TCustomTransitionPlayer&, const Bitmap24&, Bitmap24& screen) {
    screen.setPixel(0, 0, rgb(1, 2, 3));
  };
  std::vector<Color> corner;
  rig.onProgress = [&](TCustomTransitionPlayer& s) { corner.push_back(s.ScreenBitmap().pixel(0, 0)); };
  rig.loadNew();
  ASSERT_TRUE(rig.player->StartTransition().ok());
  EXPECT_EQ(rig.frames, (std::vector<int>{50, 100}));
  EXPECT_EQ(corner[0], rgb(1, 2, 3));
  EXPECT_EQ(corner[1], rig.newPicture.pixel(0, 0));
}

TEST(TransitionRun, LastForwardFrameIsTheNewPictureForEveryStyle) {
  for (int style = 0; style < 128; ++style) {
    UnthreadedRig rig;
    rig.player->SetStep(10);
    rig.player->SetStyle(style);
    rig.events.clear();
    rig.loadNew();
    ASSERT_TRUE(rig.player->StartTransition().ok());
    EXPECT_EQ(rig.player->ScreenBitmap(), rig.newPicture) << "style " << style;
    EXPECT_EQ(rig.completes, 1) << "style " << style;
  }
}

TEST(TransitionRun, FrameZeroOfEveryStyleShowsTheOldImageOutsideExtraCopies) {
  for (int style = 0; style < 128; ++style) {
    // Style 0 appears at once; the pixel styles have their own tests.
    if (style == 0 || familyOf(style) == StyleFamily::Pixel) continue;
    UnthreadedRig rig;
    rig.player->SetStyle(style);
    rig.player->SetManual(true);
    rig.loadNew();
    ASSERT_TRUE(rig.player->StartTransition().ok());
    rig.player->RenderFrame();  // frame 0 (Progress is already 0)
    const Bitmap24& f = rig.player->ScreenBitmap();
    const Bitmap24 old = fake::makePattern(1, 40, 30);
    int fromNew = 0;
    for (int32_t y = 0; y < 30; ++y)
      for (int32_t x = 0; x < 40; ++x) fromNew += f.pixel(x, y) != old.pixel(x, y);
    // Only the one-pixel strips of the extra copies of the half and quarter
    // styles show the new picture at 0.
    const bool strips = style == 12 || style == 13 || style == 29 || style == 30 || (style >= 55 && style <= 57);
    if (!strips) {
      EXPECT_EQ(fromNew, 0) << "style " << style;
    } else {
      EXPECT_LE(fromNew, 40 + 30 + 4) << "style " << style;
    }
  }
}

}  // namespace
}  // namespace vorn::testing

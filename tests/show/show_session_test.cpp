// Activation, the exits on user input, the close and its safety.
#include "show_rig.h"

namespace vorn::show::testing {
namespace {

TEST(Activation, ArmsTheFirstStepAndStartsTheSchedulerOnShow) {
  ShowRig rig;
  rig.addItem("a.jpg");
  ShowSession::ScreenSaver1BeforePreviewActive(rig.state);
  rig.cursor.at = {17, 23};
  rig.session.SS1BeforeMainSaverActive();
  EXPECT_TRUE(rig.state.SaverActive);
  EXPECT_TRUE(rig.session.StepDue);
  EXPECT_FALSE(rig.state.InPreview);
  EXPECT_EQ(rig.session.CurrentIndex, 0);
  EXPECT_EQ(rig.state.StartCursorPos, (Point{17, 23}));
  EXPECT_TRUE(rig.window.aligned);
  EXPECT_FALSE(rig.timer.on);
  EXPECT_EQ(rig.log.front(), "window.hideApp");
  EXPECT_FALSE(rig.scheduler.started);
  rig.session.FormShow();
  EXPECT_TRUE(rig.scheduler.started);
}

TEST(Activation, RandomChoicesAreSeededFromTheClock) {
  auto styles = [](uint32_t tick) {
    ShowRig rig;
    rig.addItem("a.jpg", 1).EffectNum = 0;
    rig.clock.now = tick;
    rig.start();
    rig.run(20000);
    return rig.player.styles;
  };
  EXPECT_EQ(styles(5000), styles(5000));
  EXPECT_NE(styles(5000), styles(6000));
}

TEST(Activation, UnusableCollectionRequestsTermination) {
  ShowRig rig;
  rig.collection.loadFailed = true;
  rig.start();
  EXPECT_EQ(rig.window.terminateRequests, 1);
}

TEST(Activation, PreviewStartsNothing) {
  ShowRig rig;
  rig.addItem("a.jpg");
  ShowSession::ScreenSaver1BeforePreviewActive(rig.state);
  rig.session.FormShow();
  EXPECT_FALSE(rig.scheduler.started);
  rig.window.close();
  // No sound reset, no scheduler, no release in preview.
  EXPECT_EQ(rig.countLog("wave.stop"), 0u);
  EXPECT_EQ(rig.countLog("scheduler.stop"), 0u);
  EXPECT_EQ(rig.countLog("collection.release"), 0u);
}

TEST(Activation, ConfigurationBoxIgnoresInputAndNeverShowsAnything) {
  ShowRig rig;
  rig.addItem("a.jpg");
  ShowSession::SS1BeforeConfigBoxActive(rig.state);
  rig.session.FormShow();
  EXPECT_TRUE(rig.scheduler.started);
  rig.run(5000);
  rig.session.FormKeyDown();
  rig.cursor.at = {0, 0};
  rig.session.FormMouseMove();
  rig.session.TransitionPlayer1Click();
  EXPECT_EQ(rig.window.closeRequests, 0);
  EXPECT_TRUE(rig.player.loaded.empty());
}

TEST(Exit, AnyKeyClosesEvenWithNoMouseMoveExit) {
  ShowRig rig;
  rig.addItem("a.jpg");
  rig.header().NoMouseMoveExit = true;
  rig.start();
  rig.run(100);
  rig.session.FormKeyDown();
  EXPECT_TRUE(rig.window.closed);
}

TEST(Exit, MouseMayMoveFifteenPixelsButNotSixteen) {
  const struct {
    int32_t dx, dy;
    bool closes;
  } cases[] = {{15, 15, false}, {-15, -15, false}, {15, -15, false}, {16, 0, true}, {0, 16, true}, {-16, 0, true}, {0, -16, true}};
  for (const auto& c : cases) {
    ShowRig rig;
    rig.addItem("a.jpg");
    rig.start();
    rig.cursor.at = {500 + c.dx, 400 + c.dy};
    rig.session.FormMouseMove();
    EXPECT_EQ(rig.window.closed, c.closes) << c.dx << "," << c.dy;
  }
}

TEST(Exit, SlowDriftAddsUpBecauseTheSquareDoesNotFollow) {
  ShowRig rig;
  rig.addItem("a.jpg");
  rig.start();
  for (int i = 1; i <= 16 && !rig.window.closed; ++i) {
    rig.cursor.at = {500 + i, 400};
    rig.session.FormMouseMove();
    EXPECT_EQ(rig.window.closed, i == 16) << i;
  }
}

TEST(Exit, NoMouseMoveExitIgnoresMovesAndClicks) {
  ShowRig rig;
  rig.addItem("a.jpg");
  rig.header().NoMouseMoveExit = true;
  rig.start();
  rig.cursor.at = {0, 0};
  rig.session.FormMouseMove();
  rig.session.TransitionPlayer1Click();
  EXPECT_EQ(rig.window.closeRequests, 0);
}

TEST(Exit, ClickClosesWithoutStoppingTheTransitionFirst) {
  ShowRig rig;
  rig.addItem("a.jpg");
  rig.start();
  rig.player.onFrame = [&](int f) {
    if (f == 3) rig.session.TransitionPlayer1Click();
  };
  rig.run(3);
  ASSERT_TRUE(rig.window.closed);
  // The click goes straight to the close; the close is what stops the player.
  auto pw = std::find(rig.log.begin(), rig.log.end(), "password");
  auto stop = std::find(rig.log.begin(), rig.log.end(), "player.stop");
  EXPECT_LT(pw, stop);
}

TEST(Exit, MouseMoveStopsTheTransitionBeforeAskingForThePassword) {
  ShowRig rig;
  rig.addItem("a.jpg");
  rig.start();
  rig.player.onFrame = [&](int f) {
    if (f == 3) {
      rig.cursor.at = {0, 0};
      rig.session.FormMouseMove();
    }
  };
  rig.run(3);
  auto pw = std::find(rig.log.begin(), rig.log.end(), "password");
  auto stop = std::find(rig.log.begin(), rig.log.end(), "player.stop");
  EXPECT_LT(stop, pw);
  EXPECT_EQ(rig.player.framesRun, 3);
  EXPECT_TRUE(rig.player.completedAt.empty());
}

TEST(Exit, RefusedPasswordKeepsTheShowGoingAndTheNextItemFollows) {
  ShowRig rig;
  rig.addItems({"a.jpg", "b.jpg"}, 2);
  rig.password.allow = false;
  rig.start();
  rig.player.onFrame = [&](int f) {
    if (f == 4 && rig.player.loaded.size() == 1) {
      rig.cursor.at = {900, 10};
      rig.session.FormMouseMove();
    }
  };
  rig.run(3000);
  EXPECT_FALSE(rig.window.closed);
  EXPECT_EQ(rig.window.closeRequests, 1);
  ASSERT_EQ(rig.player.loaded.size(), 2u);
  EXPECT_EQ(rig.player.loaded[1], rig.mediaFile("b.jpg"));
  // The stopped transition raised no OnComplete; the step started the timer.
  EXPECT_EQ(rig.player.completedAt.size(), 1u);
}

TEST(Close, RunsItsStepsInOrder) {
  ShowRig rig;
  rig.addItem("a.avi", 5).SoundPath = "D:\\Gen\\s.mid";
  rig.collection.files.insert(rig.mediaFile("s.mid"));
  rig.start();
  rig.run(100);
  rig.log.clear();
  rig.session.FormKeyDown();
  const Log expected = {"password",          "MediaPrev.stop", "MediaPrev.close",  "wave.stop",
                        "timer.off",         "MediaPrev.stop", "MediaPlayer1.stop", "MediaPlayer1.close",
                        "scheduler.stop",    "collection.release"};
  EXPECT_EQ(rig.log, expected);
}

TEST(Close, InsideTheStepsDispatchEndsTheStepWithoutTouchingReleasedState) {
  // Each of the step's dispatch points in turn: 4 (after the clear), 7,
  // before the load, and the caption's.
  for (int at = 1; at <= 4; ++at) {
    ShowRig rig;
    ShowItem& it = rig.addItem("a.jpg", 1);
    it.PicText = "x";
    rig.addItem("b.jpg", 1);
    rig.start();
    int seen = 0;
    rig.pump.onDispatch = [&] {
      if (++seen == at) rig.session.FormKeyDown();
    };
    rig.run(5000);
    EXPECT_TRUE(rig.window.closed) << at;
    EXPECT_FALSE(rig.collection.held) << at;
    EXPECT_FALSE(rig.timer.on) << at;
    EXPECT_TRUE(rig.scheduler.stopped) << at;
    EXPECT_EQ(rig.log.back(), "collection.release") << at;
    EXPECT_EQ(rig.session.CurrentIndex, 0) << at;
  }
}

TEST(Close, InsideATransitionStopsItAtTheFrameReachedWithoutOnComplete) {
  ShowRig rig;
  rig.addItem("a.jpg", 1);
  rig.start();
  rig.player.onFrame = [&](int f) {
    if (f == 5) rig.session.FormKeyDown();
  };
  rig.run(2000);
  EXPECT_TRUE(rig.window.closed);
  EXPECT_EQ(rig.player.framesRun, 5);
  EXPECT_TRUE(rig.player.completedAt.empty());
  EXPECT_FALSE(rig.timer.on);
  EXPECT_EQ(rig.log.back(), "collection.release");
}

TEST(Close, LateTimerAndStepRequestsDoNothing) {
  ShowRig rig;
  rig.addItem("a.jpg", 1);
  rig.start();
  rig.run(100);
  rig.session.FormKeyDown();
  size_t logged = rig.log.size();
  rig.session.Timer1Timer();
  rig.session.StepDue = true;
  rig.session.ShowNextItem();
  rig.session.TransitionPlayer1Complete();
  rig.session.FormMouseMove();
  rig.session.FormClose();
  EXPECT_EQ(rig.log.size(), logged);
}

}  // namespace
}  // namespace vorn::show::testing

// The slide step's order, wrap and timing on the fake clock.
#include "show_rig.h"

namespace vorn::show::testing {
namespace {

TEST(SlideStep, ShowsItemsInStoredOrderAndWraps) {
  ShowRig rig;
  rig.addItems({"a.jpg", "b.bmp", "c.gif"}, 1);
  rig.start();
  rig.run(10000);
  ASSERT_GE(rig.player.loaded.size(), 7u);
  for (size_t i = 0; i < rig.player.loaded.size(); ++i)
    EXPECT_EQ(rig.player.loaded[i], rig.mediaFile(std::string(1, char('a' + i % 3)) +
                                                  (i % 3 == 0 ? ".jpg" : i % 3 == 1 ? ".bmp" : ".gif")))
        << "step " << i;
}

TEST(SlideStep, FirstItemAppearsAtOnceWithoutWaitingForTimer1) {
  ShowRig rig;
  rig.addItem("a.jpg", 9);
  rig.start();
  uint32_t t0 = rig.clock.now;
  rig.run(3);
  ASSERT_EQ(rig.player.startedAt.size(), 1u);
  EXPECT_LE(rig.player.startedAt[0] - t0, 2u);
}

TEST(SlideStep, IntervalCountsFromTheEndOfTheTransition) {
  ShowRig rig;
  rig.addItem("a.jpg", 2);
  rig.addItem("b.jpg", 3);
  rig.start();
  rig.run(20000);
  ASSERT_GE(rig.player.startedAt.size(), 5u);
  for (size_t i = 0; i + 1 < rig.player.startedAt.size(); ++i) {
    uint32_t interval = i % 2 == 0 ? 2000 : 3000;
    uint32_t gap = rig.player.startedAt[i + 1] - rig.player.completedAt[i];
    // The interval, then at most one 2 ms poll until the step runs.
    EXPECT_GE(gap, interval) << i;
    EXPECT_LE(gap, interval + 2) << i;
  }
}

TEST(SlideStep, FixedCommonIntervalAppliesToEveryItem) {
  ShowRig rig;
  rig.addItem("a.jpg", 2);
  rig.addItem("b.jpg", 30);
  rig.header().UseCommonOptions = true;
  rig.header().ChgIntMode = 0;
  rig.header().ChgInt = 4;
  rig.start();
  rig.run(30000);
  ASSERT_GE(rig.timer.intervalsSet.size(), 5u);
  for (uint32_t v : rig.timer.intervalsSet) EXPECT_EQ(v, 4000u);
}

TEST(SlideStep, RandomCommonIntervalStaysWithinBoundsAndNeverReachesTheMaximum) {
  ShowRig rig;
  rig.addItem("a.jpg");
  rig.header().UseCommonOptions = true;
  rig.header().EffectNum = 1;
  rig.header().ChgIntMode = 1;
  rig.header().ChgIntMin = 3;
  rig.header().ChgIntMax = 15;
  rig.start();
  rig.run(3 * 3600 * 1000);
  std::set<uint32_t> seen(rig.timer.intervalsSet.begin(), rig.timer.intervalsSet.end());
  EXPECT_EQ(*seen.begin(), 3000u);
  EXPECT_EQ(*seen.rbegin(), 14000u);
  EXPECT_EQ(seen.size(), 12u);  // every whole second 3..14
  for (uint32_t v : seen) EXPECT_EQ(v % 1000, 0u);
}

TEST(SlideStep, EqualOrInvertedRandomBoundsGiveTheMinimum) {
  for (int32_t max : {6, 2}) {
    ShowRig rig;
    rig.addItem("a.jpg");
    rig.header().UseCommonOptions = true;
    rig.header().ChgIntMode = 1;
    rig.header().ChgIntMin = 6;
    rig.header().ChgIntMax = max;
    rig.start();
    rig.run(60000);
    ASSERT_GE(rig.timer.intervalsSet.size(), 5u) << max;
    for (uint32_t v : rig.timer.intervalsSet) EXPECT_EQ(v, 6000u) << max;
  }
}

TEST(SlideStep, ZeroOrNegativeIntervalStartsNoTimerAndTheItemStays) {
  for (int32_t seconds : {0, -5}) {
    ShowRig rig;
    rig.addItem("a.jpg", seconds);
    rig.addItem("b.jpg", 1);
    rig.start();
    rig.run(60000);
    EXPECT_EQ(rig.player.loaded.size(), 1u) << seconds;
    EXPECT_EQ(rig.timer.ms, 0u);
  }
}

TEST(SlideStep, MissingFileShowsNothingAndTheIntervalStartsAtTheStepEnd) {
  ShowRig rig;
  rig.addItem("a.jpg", 1);
  rig.addItem("gone.jpg", 2);
  rig.addItem("c.jpg", 1);
  rig.collection.files.erase(rig.mediaFile("gone.jpg"));
  rig.start();
  rig.run(4000);
  ASSERT_GE(rig.player.loaded.size(), 2u);
  EXPECT_EQ(rig.player.loaded[1], rig.mediaFile("c.jpg"));
  // a: transition + 1 s; gone: 2 s from its own (instant) step.
  uint32_t gap = rig.player.startedAt[1] - rig.player.completedAt[0];
  EXPECT_GE(gap, 3000u);
  EXPECT_LE(gap, 3006u);
}

TEST(SlideStep, FailingItemsAreSkippedAndTheShowGoesOn) {
  ShowRig rig;
  rig.addItems({"broken.jpg", "ok.jpg"}, 1);
  rig.player.badFiles.insert(rig.mediaFile("broken.jpg"));
  rig.start();
  rig.run(10000);
  EXPECT_GE(rig.player.loaded.size(), 3u);
  for (const auto& p : rig.player.loaded) EXPECT_EQ(p, rig.mediaFile("ok.jpg"));
}

TEST(SlideStep, AllFailingCollectionPacesOnTimer1InsteadOfSpinning) {
  ShowRig rig;
  for (const char* n : {"x.jpg", "y.mpg", "z.bmp"}) rig.addItem(n, 2);
  rig.player.badFiles = {rig.mediaFile("x.jpg"), rig.mediaFile("z.bmp")};
  rig.mediaPlayer1.failOpen = {rig.mediaFile("y.mpg")};
  rig.start();
  rig.run(600000);
  // Ten minutes at 2 s an item: about 300 steps, not one per poll.
  EXPECT_GE(rig.stepsRun, 295);
  EXPECT_LE(rig.stepsRun, 301);
}

TEST(SlideStep, IndexBeyondTheHeldItemsShowsThePreviousItemAgain) {
  ShowRig rig;
  rig.addItems({"a.jpg", "b.jpg"}, 1);
  rig.header().ItemCount = 3;  // one more than the file held
  rig.start();
  rig.run(5000);
  ASSERT_GE(rig.player.loaded.size(), 4u);
  EXPECT_EQ(rig.player.loaded[2], rig.mediaFile("b.jpg"));
  EXPECT_EQ(rig.player.loaded[3], rig.mediaFile("a.jpg"));
}

TEST(SlideStep, EmptyCollectionIdlesWithoutTouchingThePlayer) {
  ShowRig rig;
  rig.header().ItemCount = 0;
  rig.start();
  rig.run(10000);
  EXPECT_TRUE(rig.player.loaded.empty());
  EXPECT_EQ(rig.session.CurrentIndex, 0);
}

TEST(SlideStep, HintsTheNextPictureForDecodingAhead) {
  ShowRig rig;
  rig.addItems({"a.jpg", "m.avi", "c.jpg"}, 1);
  rig.start();
  rig.run(2);
  // After a: the next is a movie, nothing to decode.
  EXPECT_TRUE(rig.player.prefetched.empty());
  rig.run(1500);
  ASSERT_EQ(rig.player.prefetched.size(), 1u);
  EXPECT_EQ(rig.player.prefetched[0], rig.mediaFile("c.jpg"));
}

}  // namespace
}  // namespace vorn::show::testing

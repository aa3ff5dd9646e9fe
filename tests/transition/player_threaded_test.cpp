#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <thread>

#include "player_rig.h"

namespace vorn::testing {
namespace {

// A real worker thread; the test's thread is the main thread and serves the
// worker's synchronous calls while it waits, as a message loop would.
struct ThreadedRig : PlayerRig {
  ThreadedRig() {
    player->SetAutoSize(false);
    player->SetStyle(43);
    player->SetStep(20);
    player->SetDelay(5);
    player->SetThreadPriority(TThreadPriority::tpHighest);
    recordEvents();
    mainThread = std::this_thread::get_id();
    player->OnAfterNewFrame = [this](TCustomTransitionPlayer&, const Bitmap24&, Bitmap24&) {
      offMain += std::this_thread::get_id() != mainThread;
    };
    load(fake::makePattern(0, 30, 20));
  }
  void waitUntilIdle() {
    host.calls.waitUntil([this] { return !player->Busy(); });
  }
  std::thread::id mainThread;
  int offMain = 0;
};

TEST(ThreadedPacing, StartReturnsAtOnceAndTheWorkerPlaysTheRunOnTheMainThread) {
  ThreadedRig rig;
  ASSERT_TRUE(rig.player->StartTransition().ok());
  EXPECT_TRUE(rig.player->Busy());
  rig.waitUntilIdle();
  EXPECT_EQ(rig.frames, (std::vector<int>{20, 40, 60, 80, 100}));
  EXPECT_EQ(rig.completes, 1);
  EXPECT_EQ(rig.offMain, 0);
  EXPECT_EQ(rig.player->ScreenBitmap(), fake::makePattern(0, 30, 20));
}

TEST(ThreadedPacing, FramesStartDelayApartWhateverAStepCosts) {
  for (uint32_t cost : {2u, 9u}) {
    ThreadedRig rig;  // Delay 5
    // Only the step and the worker's sleep move the fake clock, one after
    // the other, so the ticks are the same every run.
    rig.onProgress = [&](TCustomTransitionPlayer&) { rig.clock.advance(cost); };
    ASSERT_TRUE(rig.player->StartTransition().ok());
    rig.waitUntilIdle();
    // The worker sleeps what is left of Delay; a step longer than Delay
    // leaves nothing to sleep.
    const uint32_t gap = std::max(cost, 5u);
    EXPECT_EQ(rig.frameTicks, (std::vector<uint32_t>{0, gap, 2 * gap, 3 * gap, 4 * gap})) << cost;
  }
}

TEST(ThreadedPacing, StopFromTheMainThreadJoinsTheWorkerWithoutComplete) {
  ThreadedRig rig;
  rig.player->SetStep(1);
  ASSERT_TRUE(rig.player->StartTransition().ok());
  rig.host.calls.waitUntil([&] { return rig.player->Progress() >= 10; });
  rig.player->StopTransition();
  EXPECT_FALSE(rig.player->Busy());
  EXPECT_EQ(rig.completes, 0);
  const size_t frames = rig.frames.size();
  rig.host.calls.serve();  // nothing more arrives from a joined worker
  EXPECT_EQ(rig.frames.size(), frames);
  EXPECT_LT(rig.frames.back(), 100);
}

// A step at 40 that does `at40` ends the run there without OnComplete, and
// a new run can start while the old worker winds down.
void expectRunEndsAt40(const std::function<void(TCustomTransitionPlayer&)>& at40) {
  ThreadedRig rig;
  rig.onProgress = [&](TCustomTransitionPlayer& s) {
    if (s.Progress() == 40) at40(s);
  };
  ASSERT_TRUE(rig.player->StartTransition().ok());
  rig.waitUntilIdle();
  EXPECT_EQ(rig.frames, (std::vector<int>{20, 40}));
  EXPECT_EQ(rig.completes, 0);
  rig.onProgress = nullptr;
  ASSERT_TRUE(rig.player->StartTransition().ok());
  rig.waitUntilIdle();
  EXPECT_EQ(rig.completes, 1);
}

TEST(ThreadedPacing, StopFromInsideAStepEndsTheRun) {
  expectRunEndsAt40([](TCustomTransitionPlayer& s) { s.StopTransition(); });
}

TEST(ThreadedPacing, DestroyingThePlayerRightAfterAStopFromInsideAStepJoinsTheWorker) {
  ThreadedRig rig;
  bool stopped = false;
  rig.onProgress = [&](TCustomTransitionPlayer& s) {
    if (s.Progress() == 40) {
      s.StopTransition();
      stopped = true;
    }
  };
  ASSERT_TRUE(rig.player->StartTransition().ok());
  rig.host.calls.waitUntil([&] { return stopped; });
  rig.host.player = nullptr;
  rig.player.reset();  // the worker may still be on its way to its end notification
  EXPECT_EQ(rig.completes, 0);
}

TEST(ThreadedPacing, ManualPausesTheWorkerAndClearingItStartsANewOne) {
  ThreadedRig rig;
  rig.onProgress = [](TCustomTransitionPlayer& s) {
    if (s.Progress() == 40) static_cast<TTransitionPlayer&>(s).SetManual(true);
  };
  ASSERT_TRUE(rig.player->StartTransition().ok());
  rig.host.calls.waitUntil([&] { return rig.player->Manual() && rig.frames.size() >= 2; });
  // Give the worker its end notification; the run stays paused.
  for (int i = 0; i < 50; ++i) {
    rig.host.calls.serve();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_TRUE(rig.player->Busy());
  EXPECT_EQ(rig.completes, 0);
  rig.onProgress = nullptr;
  rig.player->SetManual(false);
  rig.waitUntilIdle();
  EXPECT_EQ(rig.frames, (std::vector<int>{20, 40, 60, 80, 100}));
  EXPECT_EQ(rig.completes, 1);
}

TEST(ThreadedPacing, AnErrorInAStepEndsTheRunWithoutComplete) {
  expectRunEndsAt40([](TCustomTransitionPlayer&) { throw std::runtime_error("handler failed"); });
}

TEST(ThreadedPacing, DestroyingThePlayerFromInsideTheWorkersStepLetsTheWorkerEndByItself) {
  ThreadedRig rig;
  bool destroyed = false;
  rig.onProgress = [&](TCustomTransitionPlayer& s) {
    if (s.Progress() != 40) return;
    rig.host.player = nullptr;
    rig.player.reset();  // waiting for the worker here would wait for ourselves
    destroyed = true;
  };
  ASSERT_TRUE(rig.player->StartTransition().ok());
  rig.host.calls.waitUntil([&] { return destroyed; });
  EXPECT_EQ(rig.frames, (std::vector<int>{20, 40}));
  EXPECT_EQ(rig.completes, 0);
  // The rig's thread facility joins the worker it was handed.
}

TEST(ThreadedPacing, DestroyingThePlayerMidRunJoinsTheWorker) {
  ThreadedRig rig;
  rig.player->SetStep(1);
  ASSERT_TRUE(rig.player->StartTransition().ok());
  rig.host.calls.waitUntil([&] { return rig.player->Progress() >= 5; });
  rig.host.player = nullptr;
  rig.player.reset();
  EXPECT_EQ(rig.completes, 0);
}

}  // namespace
}  // namespace vorn::testing

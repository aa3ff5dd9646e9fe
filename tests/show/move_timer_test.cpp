// The scheduler thread against a user-interface thread played by the test:
// wakes arrive in a queue that the test's thread serves.
#include "show/move_timer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace vorn::show {
namespace {

using namespace std::chrono_literals;

struct QueueWaker : UiWaker {
  std::mutex m;
  std::condition_variable cv;
  int wakes = 0;
  void wakeUi() override {
    std::lock_guard lk(m);
    ++wakes;
    cv.notify_all();
  }
  // Serves wakes on the calling thread until `done` or the time is up.
  template <typename Done>
  bool serve(MoveTimer& t, Done done, std::chrono::milliseconds limit = 2000ms) {
    auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
      std::unique_lock lk(m);
      if (!cv.wait_until(lk, end, [&] { return wakes > 0; })) return false;
      --wakes;
      lk.unlock();
      t.serviceOnUiThread();
    }
    return true;
  }
};

TEST(MoveTimer, FirstStepRunsAsSoonAsTheThreadStarts) {
  QueueWaker ui;
  int steps = 0;
  MoveTimer t(ui, [&] { ++steps; });
  t.start();
  EXPECT_TRUE(ui.serve(t, [&] { return steps == 1; }));
  t.stop();
}

TEST(MoveTimer, AsksAgainOnlyWhenAStepBecomesDue) {
  QueueWaker ui;
  int steps = 0;
  MoveTimer t(ui, [&] { ++steps; });
  t.start();
  ASSERT_TRUE(ui.serve(t, [&] { return steps == 1; }));
  // A standing picture: no requests at all, instead of one every 2 ms.
  std::this_thread::sleep_for(60ms);
  EXPECT_EQ(t.requests(), 1u);
  for (int i = 2; i <= 5; ++i) {
    t.stepDue();
    ASSERT_TRUE(ui.serve(t, [&] { return steps == i; }));
  }
  EXPECT_EQ(t.requests(), 5u);
  t.stop();
}

TEST(MoveTimer, StopInsideTheStepReturnsAtOnceAndNoStepFollows) {
  QueueWaker ui;
  int steps = 0;
  MoveTimer* self = nullptr;
  MoveTimer t(ui, [&] {
    ++steps;
    self->stepDue();
    self->stop();  // the close, inside the step's dispatch
  });
  self = &t;
  t.start();
  ASSERT_TRUE(ui.serve(t, [&] { return steps == 1; }));
  t.stepDue();
  std::this_thread::sleep_for(20ms);
  ui.serve(t, [] { return false; }, 50ms);
  EXPECT_EQ(steps, 1);
}

TEST(MoveTimer, StopWhileARequestWaitsForTheUserInterfaceDoesNotBlock) {
  QueueWaker ui;
  int steps = 0;
  MoveTimer t(ui, [&] { ++steps; });
  t.start();
  {
    std::unique_lock lk(ui.m);
    ASSERT_TRUE(ui.cv.wait_for(lk, 2s, [&] { return ui.wakes > 0; }));
  }
  auto t0 = std::chrono::steady_clock::now();
  t.stop();  // the thread waits for a step that will never be served
  EXPECT_LT(std::chrono::steady_clock::now() - t0, 500ms);
  t.serviceOnUiThread();  // the wake still in the queue
  EXPECT_EQ(steps, 0);
}

TEST(MoveTimer, StopBeforeStartAndTwiceIsHarmless) {
  QueueWaker ui;
  MoveTimer t(ui, [] {});
  t.stop();
  t.start();
  t.stop();
  EXPECT_EQ(t.requests(), 0u);
}

TEST(MoveTimer, NestedWakeInsideAStepDoesNotRunASecondStep) {
  QueueWaker ui;
  int depth = 0, maxDepth = 0, steps = 0;
  MoveTimer* self = nullptr;
  MoveTimer t(ui, [&] {
    ++steps;
    maxDepth = std::max(maxDepth, ++depth);
    self->serviceOnUiThread();  // a dispatch inside the step
    --depth;
  });
  self = &t;
  t.start();
  ASSERT_TRUE(ui.serve(t, [&] { return steps == 1; }));
  t.stop();
  EXPECT_EQ(maxDepth, 1);
}

}  // namespace
}  // namespace vorn::show

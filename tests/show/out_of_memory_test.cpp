// Running out of memory anywhere in a slide step (the decode, the fit, the
// transition's frames) or in the picture made ahead: the item is skipped like
// any other media error, the next one arrives whole, and nothing is leaked.
// This program's operator new fails the Nth allocation on demand; the tests
// sweep N over every allocation of a step.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "bmp24_file.h"
#include "platform/fake/fake_file_system.h"
#include "show/picture_prefetch.h"
#include "show/transition_slide_player.h"
#include "show_rig.h"
#include "transition/fake/show_rig.h"

namespace {

std::atomic<int64_t> g_live{0};       // allocations not yet freed
std::atomic<int64_t> g_countdown{0};  // > 0: allocations left up to the failing one
std::atomic<bool> g_everyThread{false}, g_failed{false};
thread_local bool t_counted = false;

void* allocate(std::size_t n) {
  if ((t_counted || g_everyThread.load(std::memory_order_relaxed)) &&
      g_countdown.load(std::memory_order_relaxed) > 0 && g_countdown.fetch_sub(1) == 1) {
    g_failed = true;
    throw std::bad_alloc();
  }
  void* p = std::malloc(n ? n : 1);
  if (!p) throw std::bad_alloc();
  g_live.fetch_add(1, std::memory_order_relaxed);
  return p;
}

void release(void* p) {
  if (!p) return;
  g_live.fetch_sub(1, std::memory_order_relaxed);
  std::free(p);
}

// Fails the nth allocation from now, made on this thread (or on any thread).
void failAllocation(int64_t n, bool everyThread = false) {
  g_failed = false;
  g_everyThread = everyThread;
  t_counted = true;
  g_countdown = n;
}

// Stops counting; true when the failing allocation was reached.
bool stopFailing() {
  t_counted = false;
  g_everyThread = false;
  g_countdown = 0;
  return g_failed;
}

}  // namespace

void* operator new(std::size_t n) { return allocate(n); }
void* operator new[](std::size_t n) { return allocate(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
  try {
    return allocate(n);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t n, const std::nothrow_t& t) noexcept { return operator new(n, t); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { release(p); }

namespace vorn::show::testing {
namespace {

// The show window with the real slide player, transition player and decode
// ahead, over two stretched pictures on a fake disk.
struct RealShow : ShowFakes {
  fake::FakeFileSystem fs;
  fake::ShowRig rig{64, 48, 5};
  PicturePrefetcher prefetch{fs};
  TransitionSlidePlayer slide{*rig.player, fs, &prefetch};
  fake::FakeIntervalTimer timer{rig.clock, 1};
  ShowSession session{parts(timer, slide, rig.clock)};
  int completed = 0;

  RealShow() {
    window.session = &session;
    rig.player->OnComplete = [this](TCustomTransitionPlayer&) {
      ++completed;
      session.TransitionPlayer1Complete();
    };
    // A masked style and a rotation: both build frames of their own.
    add("a.bmp", gradient(90, 30, 1), 15);
    add("b.bmp", gradient(20, 70, 2), 120);
    session.SS1BeforeMainSaverActive();
    session.FormShow();
  }
  ~RealShow() { prefetch.waitIdle(); }
  // Whatever is made once for the whole program is made here.
  static void warmUp() {
    RealShow s;
    s.step();
    s.step();
  }

  void add(const std::string& name, const Bitmap24& pic, int32_t effect) {
    ShowItem& it = addItem(name);
    it.EffectNum = effect;
    it.ShowMode = 1;
    it.BckColor = rgb(9, 8, 7);
    it.PicText = "caption";
    fs.addFile(collection.mediaDir + name, bmpOf(pic));
  }
  // The worker has long finished by the time a step is due.
  void step() {
    prefetch.waitIdle();
    session.StepDue = true;
    session.ShowNextItem();
  }
  // The show went on past the step: its index moved on, the interval runs,
  // and the next item arrives whole.
  void expectGoesOn(int32_t indexBefore) {
    EXPECT_FALSE(session.StepDue);
    EXPECT_EQ(session.CurrentIndex, (indexBefore + 1) % 2);
    EXPECT_TRUE(timer.on);
    const int before = completed;
    step();
    EXPECT_EQ(completed, before + 1);
    EXPECT_EQ(session.CurrentIndex, indexBefore);
  }
};

// Fails allocation n of one step (the first, loading its picture itself, or
// the second, taking it from the decode ahead); false once n is past them all.
bool stepFailingAt(int stepNo, int64_t n) {
  bool reached = false;
  const int64_t live = g_live;
  {
    RealShow s;
    for (int i = 0; i < stepNo; ++i) s.step();
    s.prefetch.waitIdle();
    const int32_t index = s.session.CurrentIndex;
    failAllocation(n);
    EXPECT_NO_THROW(s.step());
    reached = stopFailing();
    if (!reached) {
      EXPECT_EQ(s.slide.lastLoadWasPrefetched(), stepNo > 0);
    }
    s.expectGoesOn(index);
  }
  EXPECT_EQ(g_live, live) << "leaked";
  return reached;
}

TEST(OutOfMemory, AStepThatRunsOutAtAnyAllocationSkipsItsItemAndLeaksNothing) {
  RealShow::warmUp();
  for (int stepNo : {0, 1}) {
    int64_t n = 1;
    while (stepFailingAt(stepNo, n) && !HasFailure() && n < 100000) ++n;
    EXPECT_GT(n, 20) << "step " << stepNo;  // the sweep ran over many allocations
  }
}

TEST(OutOfMemory, ThePictureMadeAheadRunningOutLeavesTheStepToLoadItItself) {
  RealShow::warmUp();
  int64_t n = 1;
  for (bool reached = true; reached && !HasFailure() && n < 100000; ++n) {
    const int64_t live = g_live;
    {
      RealShow s;
      s.step();
      s.prefetch.waitIdle();
      // Made again, with the worker's allocations counted.
      failAllocation(n, true);
      try {
        s.slide.prefetchPicture(s.collection.mediaDir + "b.bmp", rgb(9, 8, 7), true, 119);
      } catch (const std::bad_alloc&) {
        // The step's own call ignores it: only a hint was lost.
      }
      s.prefetch.waitIdle();
      reached = stopFailing();
      s.expectGoesOn(0);
      if (!reached) {
        EXPECT_TRUE(s.slide.lastLoadWasPrefetched());
      }
    }
    EXPECT_EQ(g_live, live) << "leaked at " << n;
  }
  EXPECT_GT(n, 20);
}

}  // namespace
}  // namespace vorn::show::testing

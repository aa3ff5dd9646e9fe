// Placing ahead: a step whose picture the worker decoded and placed shows
// the very frames (and the very pixels on the control) that a step loading
// it itself shows, and falls back to loading when the file or the control's
// state no longer fits what was made ahead.
#include <gtest/gtest.h>

#include "bmp24_file.h"
#include "platform/fake/fake_file_system.h"
#include "show/picture_prefetch.h"
#include "show/transition_slide_player.h"
#include "transition/fake/show_rig.h"

namespace vorn::show::testing {
namespace {

const char* kFile = "C:\\m\\a.bmp";

struct Look {
  int style = 14;
  Color color = rgb(0, 0, 0);
  bool stretch = true;
};

// Every frame of one step as the control shows it.
struct StepRun {
  std::vector<Bitmap24> screens, shown;
  bool prefetched = false, prepared = false;
};

enum class Ahead { None, Placed };

// A slide of `before` stands; then the step of the show runs for the file:
// clear, repaint in the new colour, load, start. `meanwhile` runs between the
// interval's work ahead and the step.
StepRun step(fake::FakeFileSystem& fs, Ahead ahead, const Look& look, const Look& hint,
         const std::function<void(fake::ShowRig&)>& meanwhile = {}) {
  fake::ShowRig rig(120, 90, 7);
  PicturePrefetcher pre(fs);
  TransitionSlidePlayer slide(*rig.player, fs, &pre);
  EXPECT_TRUE(rig.showAt(gradient(50, 70, 4)));
  rig.host.updateNow();
  if (ahead == Ahead::Placed) {
    slide.prefetchPicture(kFile, hint.color, hint.stretch);
    pre.waitIdle();
  }
  if (meanwhile) meanwhile(rig);
  StepRun run;
  rig.player->OnProgress = [&](TCustomTransitionPlayer& p) {
    run.screens.push_back(p.ScreenBitmap());
    run.shown.push_back(p.PaintBuffer());
  };
  slide.clearPictures();
  slide.clearScreen();
  slide.stopTransition();
  slide.setStyle(uint8_t(look.style));
  slide.setColor(look.color);
  slide.setStretch(look.stretch);
  slide.setStretchFine(look.stretch);
  rig.host.updateNow();  // the step's dispatch repaints the control
  EXPECT_TRUE(slide.loadPicture(kFile));
  run.prefetched = slide.lastLoadWasPrefetched();
  EXPECT_TRUE(slide.startTransition());
  run.prepared = slide.lastStartWasPrepared();
  rig.host.updateNow();
  run.shown.push_back(rig.player->PaintBuffer());
  pre.waitIdle();  // what the step handed to the worker is freed before the rig goes
  return run;
}

void expectSameFrames(const StepRun& a, const StepRun& b) {
  ASSERT_FALSE(a.screens.empty());
  EXPECT_EQ(a.screens.size(), b.screens.size());
  EXPECT_TRUE(a.screens == b.screens);
  EXPECT_TRUE(a.shown == b.shown);
}

TEST(PreparedStart, PlacedAheadShowsTheSameFramesForEveryFamilyAndPlacement) {
  fake::FakeFileSystem fs;
  // Wider than the control and taller than wide: both fits and both shrink and
  // enlarge on the way to the screen.
  for (Bitmap24 pic : {gradient(200, 60, 1), gradient(40, 100, 2)}) {
    fs.addFile(kFile, bmpOf(pic));
    for (int style : {0, 1, 14, 40, 57, 60, 90, 117, 118, 121})
      for (bool stretch : {true, false})
        for (Color c : {rgb(0, 0, 0), rgb(10, 200, 30)}) {
          Look look{style, c, stretch};
          SCOPED_TRACE(::testing::Message() << "style " << style << " stretch " << stretch << " colour " << c
                                          << " picture " << pic.width() << "x" << pic.height());
          StepRun plain = step(fs, Ahead::None, look, look);
          StepRun placed = step(fs, Ahead::Placed, look, look);
          EXPECT_FALSE(plain.prepared);
          EXPECT_TRUE(placed.prefetched);
          EXPECT_TRUE(placed.prepared);
          expectSameFrames(plain, placed);
        }
  }
}

TEST(PreparedStart, ChangedFileIsLoadedAgainAndShownAsLoaded) {
  fake::FakeFileSystem fs;
  fs.addFile(kFile, bmpOf(gradient(64, 48, 1)));
  Look look;
  StepRun placed = step(fs, Ahead::Placed, look, look, [&](fake::ShowRig&) {
    fs.addFile(kFile, bmpOf(gradient(64, 48, 9)));  // same size, other pixels
  });
  EXPECT_FALSE(placed.prefetched);
  EXPECT_FALSE(placed.prepared);
  StepRun plain = step(fs, Ahead::None, look, look);  // the changed file, loaded
  expectSameFrames(plain, placed);
}

TEST(PreparedStart, AWrongGuessOfColourOrStretchFallsBackToTheStepsOwnStart) {
  fake::FakeFileSystem fs;
  fs.addFile(kFile, bmpOf(gradient(64, 48, 3)));
  Look look{40, rgb(0, 0, 80), true};
  StepRun plain = step(fs, Ahead::None, look, look);
  for (Look hint : {Look{40, rgb(0, 0, 0), true}, Look{40, rgb(0, 0, 80), false}}) {
    StepRun placed = step(fs, Ahead::Placed, look, hint);
    EXPECT_TRUE(placed.prefetched);  // the decode is still used
    EXPECT_FALSE(placed.prepared);
    expectSameFrames(plain, placed);
  }
}

TEST(PreparedStart, ControlNotShowingItsPlainColourFallsBack) {
  fake::FakeFileSystem fs;
  fs.addFile(kFile, bmpOf(gradient(64, 48, 5)));
  Look look;
  // The control was resized after the work ahead: other client size.
  StepRun resized = step(fs, Ahead::Placed, look, look, [](fake::ShowRig& rig) { rig.host.setClientSize(100, 90); });
  EXPECT_TRUE(resized.prefetched);
  EXPECT_FALSE(resized.prepared);

  // A step without the repaint: the control still shows the last picture,
  // which is then the transition's old image on both paths.
  auto noRepaint = [&](Ahead ahead) {
    fake::ShowRig rig(120, 90, 7);
    PicturePrefetcher pre(fs);
    TransitionSlidePlayer slide(*rig.player, fs, &pre);
    EXPECT_TRUE(rig.showAt(gradient(50, 70, 4)));
    rig.host.updateNow();
    if (ahead == Ahead::Placed) {
      slide.prefetchPicture(kFile, look.color, true);
      pre.waitIdle();
    }
    StepRun run;
    rig.player->OnProgress = [&](TCustomTransitionPlayer& p) { run.screens.push_back(p.ScreenBitmap()); };
    slide.clearPictures();
    slide.clearScreen();
    slide.setStyle(uint8_t(look.style));
    EXPECT_TRUE(slide.loadPicture(kFile));
    EXPECT_TRUE(slide.startTransition());
    run.prepared = slide.lastStartWasPrepared();
    pre.waitIdle();
    return run;
  };
  StepRun plain = noRepaint(Ahead::None), placed = noRepaint(Ahead::Placed);
  EXPECT_FALSE(placed.prepared);
  ASSERT_FALSE(plain.screens.empty());
  EXPECT_TRUE(plain.screens == placed.screens);
}

TEST(PreparedStart, UnusedStartIsDroppedWithItsPicture) {
  fake::FakeFileSystem fs;
  fs.addFile(kFile, bmpOf(gradient(64, 48, 6)));
  fake::ShowRig rig(120, 90, 7);
  TPicture pic;
  ASSERT_TRUE(pic.LoadFromFile(fs, kFile));
  StartLayout layout{120, 90, true, true, true, rgb(0, 0, 0)};
  std::unique_ptr<PreparedStart> start = PrepareStart(pic, layout);
  ASSERT_TRUE(start);
  EXPECT_EQ(start->displayRect, (Rect{0, 0, 120, 90}));
  // Made for another picture than the one the player starts: not taken.
  TPicture other;
  ASSERT_TRUE(other.LoadFromFile(fs, kFile));
  rig.player->SetPicture(other);
  rig.host.updateNow();
  rig.player->SetPreparedStart(std::move(start));
  ASSERT_TRUE(rig.player->StartTransition());
  EXPECT_FALSE(rig.player->LastStartWasPrepared());
  EXPECT_EQ(rig.player->ScreenBitmap(), other.graphic()->bitmap());
}

}  // namespace
}  // namespace vorn::show::testing

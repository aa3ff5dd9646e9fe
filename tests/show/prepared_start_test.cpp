// Placing ahead: a step whose picture the worker decoded and placed shows
// the very frames (and the very pixels on the control) that a step loading
// it itself shows, and falls back to loading when the file or the control's
// state no longer fits what was made ahead.
#include <gtest/gtest.h>

#include <utility>

#include "bmp24_file.h"
#include "platform/fake/fake_file_system.h"
#include "raster/fit_rect.h"
#include "show/picture_prefetch.h"
#include "show/transition_slide_player.h"
#include "transition/fake/picture_source.h"
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

// The control shows a slide of its own; with Ahead::Placed the file was then
// decoded and placed ahead for `hint`, as the interval's work does.
struct Stage {
  fake::ShowRig rig{120, 90, 7};
  PicturePrefetcher pre;
  TransitionSlidePlayer slide;
  Stage(fake::FakeFileSystem& fs, Ahead ahead, const Look& hint) : pre(fs), slide(*rig.player, fs, &pre) {
    EXPECT_TRUE(rig.showAt(gradient(50, 70, 4)));
    rig.host.updateNow();
    if (ahead != Ahead::Placed) return;
    slide.prefetchPicture(kFile, hint.color, hint.stretch, hint.style);
    pre.waitIdle();
  }
  // What the step handed to the worker is freed before the rig goes.
  ~Stage() { pre.waitIdle(); }
};

// A slide of `before` stands; then the step of the show runs for the file:
// clear, repaint in the new colour, load, start. `meanwhile` runs between the
// interval's work ahead and the step.
StepRun step(fake::FakeFileSystem& fs, Ahead ahead, const Look& look, const Look& hint,
         const std::function<void(fake::ShowRig&)>& meanwhile = {}) {
  Stage stage(fs, ahead, hint);
  auto& [rig, pre, slide] = stage;
  if (meanwhile) meanwhile(rig);
  StepRun run;
  rig.player->OnProgress = [&](TCustomTransitionPlayer& p) {
    run.screens.push_back(std::as_const(p).ScreenBitmap());
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
  // The picture stands: repaints, also after the colour and the stretch
  // changed under it.
  auto repaint = [&] {
    rig.host.invalidate(Rect{0, 0, rig.host.width, rig.host.height});
    rig.host.updateNow();
    run.shown.push_back(rig.player->PaintBuffer());
  };
  repaint();
  slide.setColor(rgb(1, 2, 3));
  repaint();
  slide.setStretch(!look.stretch);
  repaint();
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

// The made-ahead start counts on the frame at progress 0 leaving the old
// image alone in every family; the rotations are the ones that draw there,
// so they are checked on sizes from one pixel up, odd and even.
TEST(PreparedStart, AtProgressZeroTheRotationsLeaveTheOldImage) {
  for (auto [w, h] : {std::pair{1, 1}, std::pair{2, 3}, std::pair{7, 5}, std::pair{300, 7}, std::pair{7, 300},
                      std::pair{160, 120}, std::pair{201, 199}}) {
    Bitmap24 before = gradient(w, h, 1), after = gradient(w, h, 2);
    for (int style : {118, 119, 120, 121, 122}) {
      fake::ShowRig rig(64, 48, 1);
      ASSERT_TRUE(rig.showAt(before));
      Bitmap24 atZero;
      rig.player->OnProgress = [&](TCustomTransitionPlayer& p) {
        if (p.Progress() != 0 || !atZero.empty()) return;
        atZero = std::as_const(p).ScreenBitmap();
        p.StopTransition();  // the rest of the run is not looked at
      };
      rig.player->SetStyle(style);
      TPicture pic;
      ASSERT_TRUE(fake::loadBitmap(pic, after));
      rig.player->SetPicture(pic);
      ASSERT_TRUE(rig.player->StartTransition());
      // The control showed `before` stretched, so the old image is that
      // look stretched back: whatever it is, it is the screen at 0 only if
      // nothing of `after` reached it.
      fake::ShowRig ref(64, 48, 1);
      ASSERT_TRUE(ref.showAt(before));
      Bitmap24 refZero;
      ref.player->OnProgress = [&](TCustomTransitionPlayer& p) {
        if (p.Progress() != 0 || !refZero.empty()) return;
        refZero = std::as_const(p).ScreenBitmap();
        p.StopTransition();
      };
      ref.player->SetStyle(60);  // a mask: draws nothing before progress 1
      ref.player->SetPicture(pic);
      ASSERT_TRUE(ref.player->StartTransition());
      ASSERT_FALSE(atZero.empty());
      EXPECT_TRUE(atZero == refZero) << "style " << style << " at " << w << "x" << h;
    }
  }
}

// A photo many times the window's size: stretched, its frames are composed
// at its place in the window, not at its own size, and the step still takes
// what was made ahead; at its own size nothing changes.
TEST(PreparedStart, ALargePhotoIsComposedAtItsDisplaySize) {
  fake::FakeFileSystem fs;
  fs.addFile(kFile, bmpOf(gradient(1200, 700, 5)));
  for (bool stretch : {true, false}) {
    StepRun placed = step(fs, Ahead::Placed, Look{40, rgb(0, 0, 0), stretch}, Look{40, rgb(0, 0, 0), stretch});
    EXPECT_TRUE(placed.prefetched);
    EXPECT_TRUE(placed.prepared);
    ASSERT_FALSE(placed.screens.empty());
    const Rect r = stretch ? FitRect(Rect{0, 0, 1200, 700}, Rect{0, 0, 120, 90}) : Rect{0, 0, 1200, 700};
    for (const Bitmap24& s : placed.screens)
      EXPECT_EQ(std::pair(s.width(), s.height()), std::pair(r.width(), r.height())) << "stretch " << stretch;
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
    SCOPED_TRACE(::testing::Message() << "hint colour " << hint.color << " stretch " << hint.stretch);
    StepRun placed = step(fs, Ahead::Placed, look, hint);
    // The picture is still used when it was made for the same fit.
    EXPECT_EQ(placed.prefetched, hint.stretch == look.stretch);
    EXPECT_FALSE(placed.prepared);
    expectSameFrames(plain, placed);
  }
}

// The style is part of the guess only for what the first frame's screen
// holds; a wrong guess still takes the images made ahead.
TEST(PreparedStart, AWrongGuessOfTheStyleStillShowsTheSameFrames) {
  fake::FakeFileSystem fs;
  fs.addFile(kFile, bmpOf(gradient(64, 48, 8)));
  for (auto [style, guess] : {std::pair{40, 0}, std::pair{0, 40}, std::pair{0, -1}, std::pair{120, 0}}) {
    SCOPED_TRACE(::testing::Message() << "style " << style << " guessed " << guess);
    Look look{style, rgb(0, 0, 0), true};
    Look hint = look;
    hint.style = guess;
    StepRun plain = step(fs, Ahead::None, look, look);
    StepRun placed = step(fs, Ahead::Placed, look, hint);
    EXPECT_TRUE(placed.prepared);
    expectSameFrames(plain, placed);
  }
}

// Whoever watches the frames gets the same on both paths.
TEST(PreparedStart, FrameHandlersSeeTheSameScreens) {
  fake::FakeFileSystem fs;
  fs.addFile(kFile, bmpOf(gradient(64, 48, 2)));
  for (int style : {0, 14, 60}) {
    std::vector<Bitmap24> seen[2];
    for (int ahead = 0; ahead < 2; ++ahead) {
      Stage stage(fs, ahead ? Ahead::Placed : Ahead::None, Look{style});
      auto& [rig, pre, slide] = stage;
      rig.player->OnBeforeNewFrame = [&](TCustomTransitionPlayer&, const Bitmap24&, Bitmap24& screen) {
        seen[ahead].push_back(screen);
      };
      rig.player->OnAfterNewFrame = [&](TCustomTransitionPlayer&, const Bitmap24&, Bitmap24& screen) {
        seen[ahead].push_back(screen);
      };
      slide.clearPictures();
      slide.clearScreen();
      slide.setStyle(uint8_t(style));
      rig.host.updateNow();
      ASSERT_TRUE(slide.loadPicture(kFile));
      ASSERT_TRUE(slide.startTransition());
      EXPECT_EQ(slide.lastStartWasPrepared(), ahead == 1);
      seen[ahead].push_back(rig.player->PaintBuffer());
    }
    EXPECT_TRUE(seen[0] == seen[1]) << "style " << style;
  }
}

TEST(PreparedStart, ControlNotShowingItsPlainColourFallsBack) {
  fake::FakeFileSystem fs;
  fs.addFile(kFile, bmpOf(gradient(64, 48, 5)));
  Look look;
  // The control was resized after the work ahead: other client size, so
  // also another fit of the picture.
  StepRun resized = step(fs, Ahead::Placed, look, look, [](fake::ShowRig& rig) { rig.host.setClientSize(100, 90); });
  EXPECT_FALSE(resized.prefetched);
  EXPECT_FALSE(resized.prepared);

  // A step without the repaint: the control still shows the last picture,
  // which is then the transition's old image on both paths.
  auto noRepaint = [&](Ahead ahead) {
    Stage stage(fs, ahead, look);
    auto& [rig, pre, slide] = stage;
    StepRun run;
    rig.player->OnProgress = [&](TCustomTransitionPlayer& p) { run.screens.push_back(std::as_const(p).ScreenBitmap()); };
    slide.clearPictures();
    slide.clearScreen();
    slide.setStyle(uint8_t(look.style));
    EXPECT_TRUE(slide.loadPicture(kFile));
    EXPECT_TRUE(slide.startTransition());
    run.prepared = slide.lastStartWasPrepared();
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
  EXPECT_EQ(std::as_const(*rig.player).ScreenBitmap(), other.graphic()->bitmap());
}

}  // namespace
}  // namespace vorn::show::testing

// Decoding ahead: the step takes the worker's picture only when it is ready
// and the file unchanged, and what it shows is the same either way.
#include "show/picture_prefetch.h"

#include <gtest/gtest.h>

#include "bmp24_file.h"
#include "platform/fake/fake_file_system.h"
#include "show/transition_slide_player.h"
#include "transition/fake/show_rig.h"

namespace vorn::show::testing {
namespace {

TEST(PicturePrefetch, ReadyPictureIsHandedOverOnceForItsOwnPath) {
  fake::FakeFileSystem fs;
  fs.addFile("C:\\m\\a.bmp", bmpOf(gradient(40, 30, 1)));
  PicturePrefetcher pre(fs);
  pre.request("C:\\m\\a.bmp");
  pre.waitIdle();
  TPicture pic;
  EXPECT_FALSE(pre.take("C:\\m\\b.bmp", {}, pic));
  pre.request("C:\\m\\a.bmp");
  pre.waitIdle();
  ASSERT_TRUE(pre.take("C:\\m\\a.bmp", {}, pic));
  EXPECT_EQ(pic.width(), 40);
  EXPECT_EQ(pic.graphic()->bitmap(), gradient(40, 30, 1));
  EXPECT_FALSE(pre.take("C:\\m\\a.bmp", {}, pic));  // used up
}

TEST(PicturePrefetch, ChangedFileIsNotTaken) {
  fake::FakeFileSystem fs;
  fs.addFile("C:\\m\\a.bmp", bmpOf(gradient(40, 30, 1)));
  PicturePrefetcher pre(fs);
  pre.request("C:\\m\\a.bmp");
  pre.waitIdle();
  fs.addFile("C:\\m\\a.bmp", bmpOf(gradient(40, 30, 2)));  // same size, new bytes
  TPicture pic;
  EXPECT_FALSE(pre.take("C:\\m\\a.bmp", {}, pic));
  EXPECT_FALSE(pic.hasGraphic());
}

TEST(PicturePrefetch, UndecodableOrMissingFileGivesNothing) {
  fake::FakeFileSystem fs;
  fs.addFile("C:\\m\\bad.bmp", std::string("BM but nothing else"));
  PicturePrefetcher pre(fs);
  TPicture pic;
  for (const char* p : {"C:\\m\\bad.bmp", "C:\\m\\none.bmp"}) {
    pre.request(p);
    pre.waitIdle();
    EXPECT_FALSE(pre.take(p, {}, pic)) << p;
  }
}

TEST(PicturePrefetch, ANewRequestDropsTheOldResult) {
  fake::FakeFileSystem fs;
  fs.addFile("C:\\m\\a.bmp", bmpOf(gradient(20, 20, 1)));
  fs.addFile("C:\\m\\b.bmp", bmpOf(gradient(20, 20, 2)));
  PicturePrefetcher pre(fs);
  pre.request("C:\\m\\a.bmp");
  pre.waitIdle();
  pre.request("C:\\m\\b.bmp");
  pre.waitIdle();
  TPicture pic;
  EXPECT_FALSE(pre.take("C:\\m\\a.bmp", {}, pic));
  EXPECT_TRUE(pre.take("C:\\m\\b.bmp", {}, pic));
}

// The whole transition, frame by frame, from a prefetched and from a loaded
// picture: the same frames.
TEST(TransitionSlidePlayer, PrefetchedAndLoadedPicturesGiveTheSameFrames) {
  fake::FakeFileSystem fs;
  fs.addFile("C:\\m\\a.bmp", bmpOf(gradient(64, 48, 9)));
  std::vector<Bitmap24> frames[2];
  for (int prefetched = 0; prefetched < 2; ++prefetched) {
    fake::ShowRig rig(96, 64, 3);
    rig.player->SetStretch(true);
    rig.player->SetStretchFine(true);
    rig.player->SetStyle(35);
    rig.player->OnProgress = [&](TCustomTransitionPlayer& p) {
      frames[prefetched].push_back(p.ScreenBitmap());
    };
    PicturePrefetcher pre(fs);
    TransitionSlidePlayer slide(*rig.player, fs, &pre);
    if (prefetched) {
      slide.prefetchPicture("C:\\m\\a.bmp", rgb(0, 0, 0), true, 35);
      pre.waitIdle();
    }
    ASSERT_TRUE(slide.loadPicture("C:\\m\\a.bmp"));
    EXPECT_EQ(slide.lastLoadWasPrefetched(), prefetched == 1);
    ASSERT_TRUE(slide.startTransition());
  }
  ASSERT_FALSE(frames[0].empty());
  EXPECT_EQ(frames[0], frames[1]);
}

}  // namespace
}  // namespace vorn::show::testing

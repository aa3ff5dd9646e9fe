// The real slide player over a fake disk whose picture changes between the
// decode ahead and the step: a vanished or shortened file gives an error, a
// rewritten one shows its new contents, and nothing reads stale memory.
#include <gtest/gtest.h>

#include "bmp24_file.h"
#include "platform/fake/fake_file_system.h"
#include "show/picture_prefetch.h"
#include "show/transition_slide_player.h"
#include "transition/fake/show_rig.h"

namespace vorn::show::testing {
namespace {

constexpr const char* kPic = "C:\\m\\a.bmp";

struct Slide {
  fake::FakeFileSystem fs;
  fake::ShowRig rig{48, 32, 3};
  PicturePrefetcher pre{fs};
  TransitionSlidePlayer slide{*rig.player, fs, &pre};
  Slide() {
    fs.addFile(kPic, bmpOf(gradient(40, 30, 1)));
    slide.prefetchPicture(kPic, rgb(0, 0, 0), true, -1);
    pre.waitIdle();
  }
};

TEST(MediaChangesPlayer, PictureDeletedAfterTheDecodeAheadIsNotShown) {
  Slide s;
  ASSERT_TRUE(s.fs.remove(kPic));
  EXPECT_FALSE(s.slide.loadPicture(kPic));
  (void)s.slide.startTransition();  // nothing new to show: no crash, no stale picture read
}

TEST(MediaChangesPlayer, PictureCutShortAfterTheDecodeAheadGivesAnError) {
  for (size_t keep : {size_t(0), size_t(2), size_t(14), size_t(54), size_t(400)}) {
    Slide s;
    auto bytes = *s.fs.contents(kPic);
    bytes.resize(std::min(keep, bytes.size()));
    s.fs.addFile(kPic, bytes);
    EXPECT_FALSE(s.slide.loadPicture(kPic)) << keep;
    EXPECT_FALSE(s.slide.lastLoadWasPrefetched()) << keep;
  }
}

TEST(MediaChangesPlayer, PictureRewrittenAfterTheDecodeAheadShowsTheNewContents) {
  Slide s;
  s.fs.addFile(kPic, bmpOf(gradient(24, 16, 5)));
  ASSERT_TRUE(s.slide.loadPicture(kPic));
  EXPECT_FALSE(s.slide.lastLoadWasPrefetched());
  ASSERT_TRUE(s.slide.startTransition());
}

}  // namespace
}  // namespace vorn::show::testing

#include <gtest/gtest.h>

#include "transition/fake/picture_source.h"
#include "transition/fake/show_rig.h"

namespace vorn {
namespace {

struct StoredFrame {
  int style, progress;
  uint64_t checksum;
};

const StoredFrame kStored[] = {
#include "rectangle_frame_checksums.inc"
};

// The same frames vorn-frames composes: the show's player on a 64 x 48
// window, pattern 2 on display, pattern 5 arriving.
TEST(RectangleStyleFrames, MatchTheStoredChecksums) {
  const Bitmap24 oldPicture = fake::makePattern(2, 64, 48), newPicture = fake::makePattern(5, 64, 48);
  fake::ShowRig rig(64, 48, 1);
  ASSERT_EQ(std::size(kStored), 57u * 3u);
  for (const StoredFrame& s : kStored) {
    ASSERT_TRUE(rig.showAt(oldPicture).ok());
    ASSERT_TRUE(rig.beginManual(newPicture, s.style).ok());
    rig.random.seed(1);
    rig.frameAt(s.progress);
    EXPECT_EQ(fake::frameChecksum(rig.player->PaintBuffer()), s.checksum)
        << "style " << s.style << " at " << s.progress;
  }
}

}  // namespace
}  // namespace vorn

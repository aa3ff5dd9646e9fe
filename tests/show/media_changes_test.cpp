// Media files that change on disk after the collection passed its check:
// gone, cut short or rewritten while the show runs. The show goes on with
// what it can still play and never ends or stalls because of them.
#include "show_rig.h"

namespace vorn::show::testing {
namespace {

TEST(MediaChanges, FilesThatVanishOrBreakMidShowAreSkippedAndTheShowGoesOn) {
  ShowRig rig;
  rig.addItems({"a.jpg", "b.bmp", "c.mpg", "d.jpg"}, 1);
  rig.start();
  rig.run(8000);
  ASSERT_FALSE(rig.window.closed);
  const size_t loadedBefore = rig.player.loaded.size();
  const int stepsBefore = rig.stepsRun;
  ASSERT_GE(loadedBefore, 3u);

  rig.collection.files.erase(rig.mediaFile("b.bmp"));        // deleted
  rig.player.badFiles.insert(rig.mediaFile("a.jpg"));        // cut short: no longer decodes
  rig.mediaPlayer1.failOpen.insert(rig.mediaFile("c.mpg"));  // rewritten: the player refuses it
  rig.run(20000);

  EXPECT_FALSE(rig.window.closed);
  EXPECT_EQ(rig.window.terminateRequests, 0);
  EXPECT_GT(rig.stepsRun, stepsBefore + 8);  // every item still takes its turn
  ASSERT_GT(rig.player.loaded.size(), loadedBefore);
  for (size_t i = loadedBefore; i < rig.player.loaded.size(); ++i)
    EXPECT_EQ(rig.player.loaded[i], rig.mediaFile("d.jpg"));

  // The files come back: they are shown again.
  rig.collection.files.insert(rig.mediaFile("b.bmp"));
  rig.player.badFiles.clear();
  const size_t loadedAgain = rig.player.loaded.size();
  rig.run(10000);
  bool sawB = false;
  for (size_t i = loadedAgain; i < rig.player.loaded.size(); ++i)
    sawB = sawB || rig.player.loaded[i] == rig.mediaFile("b.bmp");
  EXPECT_TRUE(sawB);
}

TEST(MediaChanges, EveryFileGoneMidShowKeepsTheWindowUpAndPacesOnTheTimer) {
  ShowRig rig;
  for (const char* n : {"a.jpg", "b.mpg", "c.bmp"}) rig.addItem(n, 2);
  rig.start();
  rig.run(7000);
  rig.collection.files.clear();
  const int stepsBefore = rig.stepsRun;
  const size_t loadedBefore = rig.player.loaded.size();
  rig.run(60000);
  EXPECT_FALSE(rig.window.closed);
  EXPECT_EQ(rig.player.loaded.size(), loadedBefore);
  // A minute at 2 s an item: about 30 steps, not one per poll.
  EXPECT_GE(rig.stepsRun - stepsBefore, 28);
  EXPECT_LE(rig.stepsRun - stepsBefore, 32);
}

}  // namespace
}  // namespace vorn::show::testing

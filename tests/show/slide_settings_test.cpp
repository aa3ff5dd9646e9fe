// What the slide step sets on the player and the movie box per item.
#include "show_rig.h"

namespace vorn::show::testing {
namespace {

TEST(SlideStyle, RandomEffectDrawsStylesOneTo121Only) {
  ShowRig rig;
  rig.addItem("a.jpg", 1).EffectNum = 0;
  rig.start();
  rig.run(4 * 3600 * 1000);
  std::set<uint8_t> seen(rig.player.styles.begin(), rig.player.styles.end());
  ASSERT_GT(rig.player.styles.size(), 10000u);
  EXPECT_EQ(*seen.begin(), 1);
  EXPECT_EQ(*seen.rbegin(), 121);
  EXPECT_EQ(seen.size(), 121u);
}

TEST(SlideStyle, StoredEffectIsTheStyleAfterIt) {
  ShowRig rig;
  rig.addItem("a.jpg", 1).EffectNum = 1;
  rig.addItem("b.jpg", 1).EffectNum = 123;
  rig.addItem("c.jpg", 1).EffectNum = 52;
  rig.start();
  rig.run(4000);
  ASSERT_GE(rig.player.styles.size(), 3u);
  EXPECT_EQ(rig.player.styles[0], 0);
  EXPECT_EQ(rig.player.styles[1], 122);
  EXPECT_EQ(rig.player.styles[2], 51);
}

TEST(SlideStyle, CommonSettingsTakeTheHeadersEffectColourAndFit) {
  ShowRig rig;
  ShowItem& it = rig.addItem("a.jpg", 1);
  it.EffectNum = 5;
  it.BckColor = rgb(1, 2, 3);
  it.ShowMode = 1;
  rig.header().UseCommonOptions = true;
  rig.header().EffectNum = 10;
  rig.header().BckColor = rgb(9, 8, 7);
  rig.header().ShowMode = 0;
  rig.header().ChgInt = 1;
  rig.start();
  rig.run(3);
  EXPECT_EQ(rig.player.styles.at(0), 9);
  EXPECT_EQ(rig.player.color, rgb(9, 8, 7));
  EXPECT_EQ(rig.window.color, rgb(9, 8, 7));
  EXPECT_EQ(rig.window.movieBoxColor, rgb(9, 8, 7));
  EXPECT_FALSE(rig.player.stretch);
  EXPECT_FALSE(rig.player.stretchFine);
}

TEST(SlideStyle, ItemSettingsTakeTheItemsColourAndFit) {
  ShowRig rig;
  ShowItem& it = rig.addItem("a.jpg", 1);
  it.BckColor = rgb(40, 50, 60);
  it.ShowMode = 1;
  rig.addItem("b.jpg", 1).ShowMode = 2;  // shown at its own size
  rig.start();
  rig.run(3);
  EXPECT_EQ(rig.player.color, rgb(40, 50, 60));
  EXPECT_EQ(rig.window.color, rgb(40, 50, 60));
  EXPECT_EQ(rig.window.movieBoxColor, rgb(40, 50, 60));
  EXPECT_TRUE(rig.player.stretch);
  EXPECT_TRUE(rig.player.stretchFine);
  rig.run(1500);
  EXPECT_FALSE(rig.player.stretch);
}

TEST(SlideMedia, RoutesByExtensionMp3IsAMovie) {
  for (const char* movie : {"clip.mpg", "clip.MPEG", "clip.mpe", "song.mp3", "clip.avi", "cut.avi/part"}) {
    ShowRig rig;
    rig.addItem(movie, 1);
    rig.start();
    rig.run(3);
    EXPECT_TRUE(rig.player.loaded.empty()) << movie;
    ASSERT_EQ(rig.mediaPlayer1.opened.size(), 1u) << movie;
    EXPECT_EQ(rig.mediaPlayer1.opened[0], rig.mediaFile(movie));
    EXPECT_TRUE(rig.mediaPlayer1.playing);
    EXPECT_TRUE(rig.window.movieBoxVisible);
    EXPECT_FALSE(rig.window.playerVisible);
  }
  for (const char* picture : {"p.jpg", "p.bmp", "p.mid", "noext", "p.av"}) {
    ShowRig rig;
    rig.addItem(picture, 1);
    rig.start();
    rig.run(3);
    EXPECT_TRUE(rig.mediaPlayer1.opened.empty()) << picture;
    EXPECT_EQ(rig.player.loaded.size(), 1u) << picture;
    EXPECT_TRUE(rig.window.playerVisible);
    EXPECT_FALSE(rig.window.movieBoxVisible);
  }
}

TEST(SlideMedia, MovieAtOwnSizeIsCentredOtherwiseFillsTheBox) {
  ShowRig rig;
  rig.window.W = 1023;
  rig.window.H = 767;
  rig.mediaPlayer1.own = {0, 0, 321, 241};
  rig.addItem("own.avi", 1).ShowMode = 0;
  rig.addItem("fill.avi", 1).ShowMode = 1;
  rig.addItem("two.avi", 1).ShowMode = 2;
  rig.start();
  rig.run(3);
  EXPECT_EQ(rig.mediaPlayer1.put, (DisplayRect{511 - 160, 383 - 120, 321, 241}));
  rig.run(1002);
  EXPECT_EQ(rig.mediaPlayer1.put, (DisplayRect{1, 1, 1022, 766}));
  rig.run(1002);
  EXPECT_EQ(rig.mediaPlayer1.put, (DisplayRect{1, 1, 1022, 766}));
}

TEST(SlideMedia, MoviePlacementFollowsTheItemEvenUnderCommonSettings) {
  ShowRig rig;
  rig.addItem("own.mpg", 1).ShowMode = 0;
  rig.header().UseCommonOptions = true;
  rig.header().ShowMode = 1;
  rig.header().ChgInt = 1;
  rig.start();
  rig.run(3);
  EXPECT_EQ(rig.mediaPlayer1.put, (DisplayRect{512 - 160, 384 - 120, 320, 240}));
}

TEST(SlideMedia, NextStepStopsTheMovieAndAFailedOpenSkipsIt) {
  ShowRig rig;
  rig.addItems({"a.avi", "bad.avi"}, 1);
  rig.mediaPlayer1.failOpen.insert(rig.mediaFile("bad.avi"));
  rig.start();
  rig.run(1003);
  EXPECT_FALSE(rig.mediaPlayer1.playing);
  EXPECT_EQ(rig.countLog("MediaPlayer1.play"), 1u);
  EXPECT_EQ(rig.session.CurrentIndex, 0);
  EXPECT_TRUE(rig.timer.on);
}

TEST(SlideMedia, TestRunTakesTheStoredFullPaths) {
  ShowRig rig;
  rig.collection.testRun = true;
  rig.addItem("a.jpg", 1);
  rig.collection.files = {"D:\\Gen\\a.jpg"};
  rig.start();
  rig.run(3);
  ASSERT_EQ(rig.player.loaded.size(), 1u);
  EXPECT_EQ(rig.player.loaded[0], "D:\\Gen\\a.jpg");
}

}  // namespace
}  // namespace vorn::show::testing

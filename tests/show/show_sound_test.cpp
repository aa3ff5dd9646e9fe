// Item sounds, the per-step sound reset and the background music.
#include "show_rig.h"

namespace vorn::show::testing {
namespace {

TEST(ItemSound, WavePlaysLoopedOrOnceThroughTheWaveCall) {
  ShowRig rig;
  ShowItem& a = rig.addItem("a.jpg", 1);
  a.SoundPath = "D:\\Gen\\loop.wav";
  a.SoundLoop = true;
  ShowItem& b = rig.addItem("b.jpg", 1);
  b.SoundPath = "D:\\Gen\\once.WAV";
  rig.collection.files.insert(rig.mediaFile("loop.wav"));
  rig.collection.files.insert(rig.mediaFile("once.WAV"));
  rig.start();
  rig.run(2000);
  EXPECT_EQ(rig.countLog("wave.loop " + rig.mediaFile("loop.wav")), 1u);
  EXPECT_EQ(rig.countLog("wave.once " + rig.mediaFile("once.WAV")), 1u);
}

TEST(ItemSound, OtherSoundsGoThroughMediaPrevAndAreNeverLooped) {
  ShowRig rig;
  ShowItem& a = rig.addItem("a.jpg", 1);
  a.SoundPath = "D:\\Gen\\tune.mid";
  a.SoundLoop = true;
  rig.collection.files.insert(rig.mediaFile("tune.mid"));
  rig.start();
  rig.run(3);
  EXPECT_EQ(rig.mediaPrev.opened, std::vector<std::string>{rig.mediaFile("tune.mid")});
  EXPECT_TRUE(rig.mediaPrev.playing);
  EXPECT_EQ(rig.countLog("wave.loop"), 0u);
}

TEST(ItemSound, EachStepStopsTheWaveSoundAndClosesMediaPrevFirst) {
  ShowRig rig;
  rig.addItem("a.jpg", 1).SoundPath = "D:\\Gen\\tune.rmi";
  rig.addItem("b.jpg", 1);
  rig.collection.files.insert(rig.mediaFile("tune.rmi"));
  rig.start();
  rig.run(1500);
  EXPECT_FALSE(rig.mediaPrev.isOpen);
  EXPECT_EQ(rig.countLog("wave.stop"), 2u);
}

TEST(ItemSound, BackgroundCheckFileInTheMediaFolderSilencesItemSounds) {
  ShowRig rig;
  rig.addItem("a.jpg", 1).SoundPath = "D:\\Gen\\s.wav";
  rig.collection.files.insert(rig.mediaFile("s.wav"));
  rig.header().AllBckSound = "D:\\Gen\\music.mid";
  // Only the copy in BckSnd exists: the check looks in the media folder.
  rig.collection.files.insert(rig.collection.mediaDir + "BckSnd\\music.mid");
  rig.start();
  rig.run(3);
  EXPECT_EQ(rig.countLog("wave.once"), 1u);

  ShowRig silenced;
  silenced.addItem("a.jpg", 1).SoundPath = "D:\\Gen\\s.wav";
  silenced.collection.files.insert(silenced.mediaFile("s.wav"));
  silenced.header().AllBckSound = "D:\\Gen\\music.mid";
  silenced.collection.files.insert(silenced.mediaFile("music.mid"));
  silenced.start();
  silenced.run(3);
  EXPECT_EQ(silenced.countLog("wave.once"), 0u);
}

TEST(ItemSound, MissingOrEmptySoundPlaysNothing) {
  ShowRig rig;
  rig.addItem("a.jpg", 1).SoundPath = "D:\\Gen\\gone.wav";
  rig.addItem("b.jpg", 1).SoundPath = "D:\\Gen\\";
  rig.start();
  rig.run(2000);
  EXPECT_EQ(rig.countLog("wave.once"), 0u);
  EXPECT_EQ(rig.countLog("MediaPrev.open"), 0u);
}

TEST(ItemSound, DisableAllSoundsNeitherPlaysNorStopsSounds) {
  ShowRig rig;
  rig.addItem("a.jpg", 1).SoundPath = "D:\\Gen\\s.wav";
  rig.collection.files.insert(rig.mediaFile("s.wav"));
  rig.header().DisableAllSounds = true;
  rig.addBackgroundSound("bg.wav");
  rig.start();
  rig.run(5000);
  EXPECT_EQ(rig.countLog("wave."), 0u);
  EXPECT_EQ(rig.countLog("MediaPrev."), 0u);
  EXPECT_EQ(rig.countLog("BckSndMIDI."), 0u);
}

TEST(ItemSound, DisableAllSoundsKeepsTheMoviesSound) {
  ShowRig rig;
  rig.addItem("song.mp3", 1);
  rig.header().DisableAllSounds = true;
  rig.start();
  rig.run(3);
  EXPECT_TRUE(rig.mediaPlayer1.playing);
}

TEST(BackgroundSound, WaveLoopsFromBckSndAndEndsAtTheFirstStepsReset) {
  ShowRig rig;
  rig.addItem("a.jpg", 1);
  std::string bg = rig.addBackgroundSound("bg.wav");
  rig.session.SS1BeforeMainSaverActive();
  EXPECT_EQ(rig.log.back(), "wave.loop " + bg);
  rig.session.FormShow();
  rig.run(3);
  EXPECT_EQ(rig.countLog("wave.stop"), 1u);
}

TEST(BackgroundSound, OtherMusicPlaysOnceThroughBckSndMidiUntouchedByTheClose) {
  ShowRig rig;
  rig.addItem("a.jpg", 1);
  std::string bg = rig.addBackgroundSound("bg.mid");
  rig.start();
  EXPECT_EQ(rig.bckSndMIDI.opened, std::vector<std::string>{bg});
  EXPECT_TRUE(rig.bckSndMIDI.playing);
  rig.run(5000);
  rig.session.FormKeyDown();
  EXPECT_TRUE(rig.bckSndMIDI.playing);
  EXPECT_EQ(rig.countLog("BckSndMIDI.stop"), 0u);
}

TEST(BackgroundSound, MissingOrUnplayableMusicGivesASilentShow) {
  ShowRig rig;
  rig.addItem("a.jpg", 1);
  rig.header().AllBckSound = "D:\\Gen\\bg.mid";
  rig.start();
  EXPECT_EQ(rig.countLog("BckSndMIDI.open"), 0u);

  ShowRig broken;
  broken.addItem("a.jpg", 1);
  std::string bg = broken.addBackgroundSound("bg.rmi");
  broken.bckSndMIDI.failOpen.insert(bg);
  broken.start();
  broken.run(2000);
  EXPECT_EQ(broken.countLog("BckSndMIDI.play"), 0u);
  EXPECT_GE(broken.player.loaded.size(), 2u);
}

TEST(BackgroundSound, TestRunPlaysTheStoredPath) {
  ShowRig rig;
  rig.collection.testRun = true;
  rig.header().AllBckSound = "E:\\Music\\bg.wav";
  rig.collection.files.insert("E:\\Music\\bg.wav");
  rig.start();
  EXPECT_EQ(rig.countLog("wave.loop E:\\Music\\bg.wav"), 1u);
}

TEST(Caption, PlacedByPicTextPosWithUnknownValuesAtTheBottom) {
  struct Case {
    uint8_t pos;
    int32_t left, top;
  };
  // FW 1024, FH 768; the text "Hello" is 35 x 33 in the fake.
  const Case cases[] = {{0, 512 - 17, 384 - 16}, {1, 512 - 17, 10},        {2, 1024 - 35 - 10, 384 - 16},
                        {3, 512 - 17, 768 - 33 - 10}, {4, 10, 384 - 16}, {7, 512 - 17, 768 - 33 - 10},
                        {255, 512 - 17, 768 - 33 - 10}};
  for (const Case& c : cases) {
    ShowRig rig;
    ShowItem& it = rig.addItem("a.jpg", 1);
    it.PicText = "Hello";
    it.PicTextPos = c.pos;
    it.PicTextFont = "Arial";
    it.PicTextSize = 16;
    it.PicTextColor = rgb(255, 255, 0);
    rig.start();
    rig.run(3);
    EXPECT_TRUE(rig.caption.visible) << int(c.pos);
    EXPECT_EQ(rig.caption.left, c.left) << int(c.pos);
    EXPECT_EQ(rig.caption.top, c.top) << int(c.pos);
    EXPECT_EQ(rig.caption.font, "Arial");
    EXPECT_EQ(rig.caption.size, 16);
    EXPECT_EQ(rig.caption.color, rgb(255, 255, 0));
  }
}

TEST(Caption, EmptyTextHidesItAndNoCaptionStaysOnTheNextItem) {
  ShowRig rig;
  rig.addItem("a.jpg", 1).PicText = text::W1250("Balaton nyáron");
  rig.addItems({"b.jpg", "missing.jpg"}, 1);
  rig.collection.files.erase(rig.mediaFile("missing.jpg"));
  rig.start();
  rig.run(3);
  EXPECT_TRUE(rig.caption.visible);
  EXPECT_EQ(rig.caption.text, text::W1250("Balaton nyáron"));
  rig.run(1400);
  EXPECT_FALSE(rig.caption.visible);
  rig.caption.visible = true;  // as if b had one
  rig.run(1400);
  EXPECT_FALSE(rig.caption.visible);  // the step hides it even for an item without a caption file
}

TEST(Caption, PlacedForMoviesToo) {
  ShowRig rig;
  ShowItem& it = rig.addItem("m.avi", 1);
  it.PicText = "Film";
  it.PicTextPos = 1;
  rig.start();
  rig.run(3);
  EXPECT_TRUE(rig.caption.visible);
  EXPECT_EQ(rig.caption.top, 10);
}

}  // namespace
}  // namespace vorn::show::testing

// The show over the real collection state: INITAll on a fake disk, the
// installed folders of a normal run and the stored paths of a "/TEST" run.
#include "show/collection_source.h"

#include <cstring>

#include "collection/crc32.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_message_box.h"
#include "show_rig.h"

namespace vorn::show::testing {
namespace {

struct Host : CollectionHost {
  std::string executablePath() override { return "C:\\Saver\\Vorn.scr"; }
  void hideApplicationWindow() override {}
};

// A collection of two pictures stored with the generator's own paths.
struct Disk {
  fake::FakeFileSystem fs;
  fake::FakeMessageBoxes boxes;
  Host host;
  TCollectionState state{fs, boxes};

  explicit Disk(const std::string& folder) {
    fs.addFile("C:\\Saver\\Vorn.scr", std::string("MZ"));
    std::vector<uint8_t> file(TCNFHeader::kSize + 2 * TCNFItem::kSize, 0);
    TCNFHeader h;
    h.zeroFill();
    h.setMagic();
    h.setItemCount(2);
    h.setAllBckSound("D:\\Gen\\bg.wav");
    std::memcpy(file.data(), h.bytes(), TCNFHeader::kSize);
    const char* names[] = {"a.jpg", "b.bmp"};
    for (int i = 0; i < 2; ++i) {
      std::string body = std::string("picture ") + names[i];
      fs.addFile(folder + names[i], body);
      TCNFItem it;
      it.zeroFill();
      it.setMediaPath(std::string("D:\\Gen\\") + names[i]);
      it.setMediaCRC(int64_t(*FileCRC(fs, folder + names[i])));
      it.setChgInt(1);
      it.setEffectNum(1);
      std::memcpy(file.data() + TCNFHeader::kSize + i * TCNFItem::kSize, &it, TCNFItem::kSize);
    }
    fs.addFile("C:\\Saver\\Vorn.CNF", file);
  }
};

TEST(CollectionSource, NormalRunTakesMediaFromTheInstalledFolder) {
  Disk disk("C:\\Saver\\Vorn\\");
  CollectionShowSource src(disk.state, disk.host, disk.fs, false);
  EXPECT_FALSE(src.initAll());
  EXPECT_EQ(src.header().ItemCount, 2);
  ShowItem it;
  ASSERT_TRUE(src.getItem(1, it));
  EXPECT_EQ(src.locateMediaFile(it.MediaPath), "C:\\Saver\\Vorn\\b.bmp");
  EXPECT_TRUE(src.fileExists(src.locateMediaFile(it.MediaPath)));
  EXPECT_EQ(src.locateBckSound(src.header().AllBckSound), "C:\\Saver\\Vorn\\BckSnd\\bg.wav");
  EXPECT_FALSE(src.getItem(2, it));
}

TEST(CollectionSource, TestRunShowsTheStoredPaths) {
  Disk disk("D:\\Gen\\");
  disk.fs.addFile("C:\\Saver\\Vorn\\a.jpg", std::string("an installed copy, ignored"));
  CollectionShowSource src(disk.state, disk.host, disk.fs, true);
  ShowRig rig;
  ShowSession session(rig.parts(rig.timer, rig.player, rig.clock, &src));
  rig.window.session = &session;
  rig.player.session = &session;
  session.SS1BeforeMainSaverActive();
  session.FormShow();
  for (int t = 0; t < 4000; t += 2) {
    rig.clock.advance(2);
    if (rig.timer.on && rig.clock.now - rig.timer.startedAt >= rig.timer.ms) {
      rig.timer.startedAt = rig.clock.now;
      session.Timer1Timer();
    }
    session.ShowNextItem();
  }
  ASSERT_GE(rig.player.loaded.size(), 3u);
  EXPECT_EQ(rig.player.loaded[0], "D:\\Gen\\a.jpg");
  EXPECT_EQ(rig.player.loaded[1], "D:\\Gen\\b.bmp");
  EXPECT_EQ(rig.player.loaded[2], "D:\\Gen\\a.jpg");
  session.FormKeyDown();
  EXPECT_FALSE(disk.state.FileMan);
}

TEST(CollectionSource, ThePreviewsLoadReadsNoMediaFileAndKeepsAChangedOne) {
  Disk disk("C:\\Saver\\Vorn\\");
  disk.fs.addFile("C:\\Saver\\Vorn\\b.bmp", std::string("changed since the check value was taken"));
  CollectionShowSource src(disk.state, disk.host, disk.fs, false);
  int reads = disk.fs.readCalls;
  EXPECT_FALSE(src.initAllUnchecked());
  const int uncheckedReads = disk.fs.readCalls - reads;
  EXPECT_TRUE(disk.boxes.shown.empty());
  ShowItem it;
  EXPECT_TRUE(src.getItem(1, it));

  reads = disk.fs.readCalls;
  EXPECT_TRUE(src.initAll()) << "the show's load still checks";
  EXPECT_EQ(disk.fs.readCalls - reads - uncheckedReads, 2) << "the two media files";
}

TEST(CollectionSource, MissingCollectionFailsTheLoad) {
  fake::FakeFileSystem fs;
  fake::FakeMessageBoxes boxes;
  Host host;
  TCollectionState state(fs, boxes);
  fs.addFile("C:\\Saver\\Vorn.scr", std::string("MZ"));
  CollectionShowSource src(state, host, fs, false);
  EXPECT_TRUE(src.initAll());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, collectionMissingCaption());
}

}  // namespace
}  // namespace vorn::show::testing

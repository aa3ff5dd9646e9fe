// "OK" while the disk misbehaves: whichever step of the save fails, or the
// disk is full, the collection on disk keeps every byte, the header in memory
// keeps its old values, the user is told once, and a later "OK" goes through.
#include <gtest/gtest.h>

#include "config/panel_model.h"
#include "panel_fixture.h"

namespace vorn::config {
namespace {

const char* kCnf = testing::kPanelCnf;
const char* kPicture = "C:\\Vorn\\Vorn\\a.bmp";

struct Panel : testing::PanelDisk {
  PanelModel panel;
  std::vector<uint8_t> original;

  Panel() {
    fs.addFile(kPicture, std::string("BM picture"));
    TCNFFileMan writer(fs, boxes);
    writer.FileName = kCnf;
    writer.header.setChgInt(6);
    writer.header.setEffectNum(17);
    writer.Now = [] { return 45000.25; };
    writer.Add(testing::itemForFile(fs, kPicture, "X:\\src\\a.bmp"));
    EXPECT_TRUE(writer.SaveToFile());
    original = *fs.contents(kCnf);
    LoadIntoPanel(state, host, false, panel);
    EXPECT_FALSE(state.LoadFailed);
    boxes.shown.clear();
    panel.settings.ChgIntSE.setValue(42);  // the change "OK" would store
  }
  size_t fileCount() const { return fs.paths().size(); }
};

void expectUntouched(Panel& p, const std::string& what) {
  EXPECT_EQ(*p.fs.contents(kCnf), p.original) << what;
  EXPECT_EQ(p.fileCount(), 3u) << what << ": a temporary file was left behind";
  EXPECT_EQ(p.state.FileMan->header.ChgInt(), 6) << what;
  EXPECT_EQ(p.boxes.shown.size(), 1u) << what;
}

TEST(ConfigPanelFaults, EachFailingFileStepKeepsTheCollectionAndIsReported) {
  const char* names[] = {"open", "write", "flush", "close", "rename"};
  for (int which = 0; which < 5; ++which) {
    Panel p;
    switch (which) {
      case 0: p.fs.failOpenWriteAt(1); break;
      case 1: p.fs.failWriteAt(1); break;
      case 2: p.fs.failFlushAt(1); break;
      case 3: p.fs.failCloseAt(1); break;
      case 4: p.fs.failRenameAt(1); break;
    }
    EXPECT_EQ(Button1Save(p.panel.settings, p.state, p.boxes), SaveOutcome::WriteFailed) << names[which];
    expectUntouched(p, names[which]);
    // The fault has passed: the same "OK" now stores the change.
    EXPECT_EQ(Button1Save(p.panel.settings, p.state, p.boxes), SaveOutcome::Saved) << names[which];
    EXPECT_NE(*p.fs.contents(kCnf), p.original);
    EXPECT_EQ(p.state.FileMan->header.ChgInt(), 42);
  }
}

TEST(ConfigPanelFaults, FullDiskKeepsTheCollectionAtEveryAmountOfRoomLeft) {
  Panel probe;
  const uint64_t used = probe.fs.usedBytes();
  for (uint64_t room : {uint64_t(0), uint64_t(1), uint64_t(100), uint64_t(TCNFHeader::kSize),
                        uint64_t(probe.original.size() - 1)}) {
    Panel p;
    p.fs.setCapacity(used + room);  // the new file needs original.size() bytes of room
    EXPECT_EQ(Button1Save(p.panel.settings, p.state, p.boxes), SaveOutcome::WriteFailed) << room;
    expectUntouched(p, "room " + std::to_string(room));
  }
  Panel p;
  p.fs.setCapacity(used + p.original.size());  // exactly enough
  EXPECT_EQ(Button1Save(p.panel.settings, p.state, p.boxes), SaveOutcome::Saved);
  EXPECT_EQ(p.state.FileMan->header.ChgInt(), 42);
}

}  // namespace
}  // namespace vorn::config

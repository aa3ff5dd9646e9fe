// The collection file changes under an open configuration panel: another
// program (an editor, a copy over the folder, a second panel) replaces,
// edits or deletes it between the load and "OK". The panel holds the items
// it read at the open, and its save writes them all, so saving then would
// put the old items over the new file. "OK" therefore saves nothing, leaves
// the file as the other program left it, and says so; "Mégsem" never
// writes. A rewrite with the very same bytes is no change and saves.
#include <gtest/gtest.h>

#include "config/item_preview.h"
#include "config/panel_model.h"
#include "panel_fixture.h"

namespace vorn::config {
namespace {

const char* kCnf = testing::kPanelCnf;
const char* kMediaDir = testing::kPanelMediaDir;

// Writes a collection of the named pictures (each present in the media
// folder) with the given interval, as an editor would.
std::vector<uint8_t> writeCollection(fake::FakeFileSystem& fs, std::initializer_list<const char*> names,
                                     int32_t chgInt, double savedAt) {
  fake::FakeMessageBoxes quiet;
  TCNFFileMan w(fs, quiet);
  w.FileName = kCnf;
  w.header.setChgInt(chgInt);
  w.Now = [savedAt] { return savedAt; };
  for (const char* n : names) {
    const std::string path = std::string(kMediaDir) + n;
    fs.addFile(path, std::string("BM picture ") + n);
    w.Add(testing::itemForFile(fs, path, std::string("X:\\src\\") + n));
  }
  EXPECT_TRUE(w.SaveToFile());
  return *fs.contents(kCnf);
}

struct OpenPanel : testing::PanelDisk {
  PanelModel panel;

  OpenPanel() {
    writeCollection(fs, {"a.bmp", "b.bmp"}, 6, 45000.25);
    LoadIntoPanel(state, host, false, panel);
    EXPECT_FALSE(state.LoadFailed);
    EXPECT_EQ(panel.ListView1.size(), 2u);
    boxes.shown.clear();
    panel.settings.ChgIntSE.setValue(42);  // what the user changed in the panel
  }
  SaveOutcome ok() { return Button1Save(panel.settings, state, boxes); }
  // "Mégsem": the form closes and releases the collection; nothing is saved.
  void cancel() { state.Release(); }
};

void expectRefusedAndTold(OpenPanel& p, const std::string& what) {
  ASSERT_EQ(p.boxes.shown.size(), 1u) << what;
  EXPECT_EQ(p.boxes.shown[0].text, notSavedFileChangedText()) << what;
  EXPECT_EQ(p.boxes.shown[0].caption, "HIBA") << what;
}

TEST(ConfigPanelReplacedFile, OkKeepsAnotherProgramsNewCollectionAndSaysSo) {
  OpenPanel p;
  const auto replacement = writeCollection(p.fs, {"c.bmp", "d.bmp", "e.bmp"}, 9, 45001.5);
  EXPECT_EQ(p.ok(), SaveOutcome::NotSavedFileChanged);
  EXPECT_EQ(*p.fs.contents(kCnf), replacement);  // its three items are all there
  expectRefusedAndTold(p, "replaced");
  // Opening the panel again reads the new collection, and its "OK" saves.
  p.cancel();
  p.panel = PanelModel{};
  p.boxes.shown.clear();
  LoadIntoPanel(p.state, p.host, false, p.panel);
  ASSERT_FALSE(p.state.LoadFailed);
  ASSERT_EQ(p.panel.ListView1.size(), 3u);
  p.panel.settings.ChgIntSE.setValue(42);
  EXPECT_EQ(p.ok(), SaveOutcome::Saved);
  TCNFFileMan check(p.fs, p.boxes);
  check.FileName = kCnf;
  check.LoadFromFile();
  EXPECT_EQ(check.Count(), 3);
  EXPECT_EQ(check.header.ChgInt(), 42);
}

TEST(ConfigPanelReplacedFile, MegsemNeverWritesWhateverHappenedToTheFile) {
  OpenPanel replaced;
  const auto replacement = writeCollection(replaced.fs, {"c.bmp"}, 9, 45001.5);
  replaced.cancel();
  EXPECT_EQ(*replaced.fs.contents(kCnf), replacement);
  EXPECT_TRUE(replaced.boxes.shown.empty());

  OpenPanel deleted;
  ASSERT_TRUE(deleted.fs.remove(kCnf));
  deleted.cancel();
  EXPECT_FALSE(deleted.fs.exists(kCnf));
}

TEST(ConfigPanelReplacedFile, EveryKindOfChangeOnDiskStopsTheSave) {
  struct Case {
    const char* what;
    void (*change)(fake::FakeFileSystem& fs);
  };
  const Case cases[] = {
      {"same items, other header (same size)",
       [](fake::FakeFileSystem& fs) { writeCollection(fs, {"a.bmp", "b.bmp"}, 7, 45000.25); }},
      {"same items saved again later (only the save time differs)",
       [](fake::FakeFileSystem& fs) { writeCollection(fs, {"a.bmp", "b.bmp"}, 6, 45002.0); }},
      {"one item fewer", [](fake::FakeFileSystem& fs) { writeCollection(fs, {"a.bmp"}, 6, 45000.25); }},
      {"one byte of an item flipped",
       [](fake::FakeFileSystem& fs) {
         auto b = *fs.contents(kCnf);
         b[b.size() - 5] ^= 0x20;
         fs.addFile(kCnf, b);
       }},
      {"cut short", [](fake::FakeFileSystem& fs) {
         auto b = *fs.contents(kCnf);
         b.resize(b.size() - 100);
         fs.addFile(kCnf, b);
       }},
      {"bytes appended", [](fake::FakeFileSystem& fs) {
         auto b = *fs.contents(kCnf);
         b.push_back(0);
         fs.addFile(kCnf, b);
       }},
      {"emptied", [](fake::FakeFileSystem& fs) { fs.addFile(kCnf, std::string()); }},
      {"not a collection any more", [](fake::FakeFileSystem& fs) { fs.addFile(kCnf, std::string("plain text")); }},
  };
  for (const Case& c : cases) {
    OpenPanel p;
    c.change(p.fs);
    const auto onDisk = *p.fs.contents(kCnf);
    EXPECT_EQ(p.ok(), SaveOutcome::NotSavedFileChanged) << c.what;
    EXPECT_EQ(*p.fs.contents(kCnf), onDisk) << c.what;
    expectRefusedAndTold(p, c.what);
    EXPECT_EQ(p.state.FileMan->header.ChgInt(), 6) << c.what << ": the panel's copy was changed anyway";
  }
}

TEST(ConfigPanelReplacedFile, DeletedFileIsNotBroughtBackFromTheOldCopy) {
  OpenPanel p;
  ASSERT_TRUE(p.fs.remove(kCnf));
  EXPECT_EQ(p.ok(), SaveOutcome::NotSavedFileChanged);
  EXPECT_FALSE(p.fs.exists(kCnf));
  expectRefusedAndTold(p, "deleted");
}

TEST(ConfigPanelReplacedFile, TheSameBytesWrittenAgainIsNoChangeAndSaves) {
  OpenPanel p;
  const auto same = *p.fs.contents(kCnf);
  ASSERT_TRUE(p.fs.remove(kCnf));
  p.fs.addFile(kCnf, same);  // a backup copied back, a "save" that changed nothing
  EXPECT_EQ(p.ok(), SaveOutcome::Saved);
  EXPECT_TRUE(p.boxes.shown.empty());
  EXPECT_EQ(p.state.FileMan->header.ChgInt(), 42);
}

TEST(ConfigPanelReplacedFile, ASecondOkAfterASaveSeesItsOwnFileAsUnchanged) {
  OpenPanel p;
  EXPECT_EQ(p.ok(), SaveOutcome::Saved);
  p.panel.settings.ChgIntSE.setValue(43);
  EXPECT_EQ(p.ok(), SaveOutcome::Saved);
  EXPECT_TRUE(p.boxes.shown.empty());
  // ...but not once someone else wrote after it.
  writeCollection(p.fs, {"a.bmp"}, 6, 45003.0);
  EXPECT_EQ(p.ok(), SaveOutcome::NotSavedFileChanged);
}

TEST(ConfigPanelReplacedFile, AFailedWriteLeavesTheFileAndItsStampAsTheyWere) {
  OpenPanel p;
  const auto before = *p.fs.contents(kCnf);
  p.fs.failRenameAt(1);
  EXPECT_EQ(p.ok(), SaveOutcome::WriteFailed);
  EXPECT_EQ(*p.fs.contents(kCnf), before);
  // The file is still the one loaded: the retry is no "changed by another program".
  p.boxes.shown.clear();
  EXPECT_EQ(p.ok(), SaveOutcome::Saved);
  EXPECT_TRUE(p.boxes.shown.empty());
}

}  // namespace
}  // namespace vorn::config

#include <gtest/gtest.h>

#include <cstring>

#include "config/panel_model.h"
#include "panel_fixture.h"

namespace vorn::config {
namespace {

const char* kCnf = testing::kPanelCnf;

// A collection with one picture whose header bytes are all distinctive, so a
// save shows exactly which bytes it touched.
struct Installed : testing::PanelDisk {
  PanelModel panel;
  std::vector<uint8_t> original;

  explicit Installed(bool withItem = true) {
    TCNFFileMan writer(fs, boxes);
    writer.FileName = kCnf;
    for (size_t i = 16; i < TCNFHeader::kSize; ++i) writer.header.bytes()[i] = uint8_t(i * 7);
    writer.header.setChgIntMode(1);
    writer.header.setChgInt(6);
    writer.header.setChgIntMin(10);
    writer.header.setChgIntMax(12);  // below min + 4: the panel raises it
    writer.header.setEffectNum(17);
    writer.header.setShowMode(1);
    writer.header.setAllBckSound("zene.mid");
    writer.Now = [] { return 45000.25; };
    if (withItem) {
      fs.addFile("C:\\Vorn\\Vorn\\a.bmp", std::string("BM picture"));
      writer.Add(testing::itemForFile(fs, "C:\\Vorn\\Vorn\\a.bmp", "X:\\src\\a.bmp"));
    }
    EXPECT_TRUE(writer.SaveToFile());
    original = *fs.contents(kCnf);
  }
  void load() { LoadIntoPanel(state, host, false, panel); }
};

// Offsets and sizes of the header fields "OK" may change.
bool ownedBySave(size_t off) {
  struct Span { size_t off, len; };
  static const Span kOwned[] = {
      {0, 16},     // Magic
      {48, 8},     // SavedAt
      {220, 4},    // ItemCount
      {934, 1},    // UseCommonOptions
      {936, 4},    // BckColor
      {940, 28},   // ChgIntMode .. EffectNum, NoMouseMoveExit
      {965, 1},    // DisableAllSounds
      {966, 256},  // AllBckSound (length byte and text)
  };
  for (const Span& s : kOwned)
    if (off >= s.off && off < s.off + s.len) return true;
  return false;
}

TEST(PanelLoad, AnotherIntervalModeLeavesTheRadioButtonsAsTheyStand) {
  PanelModel panel;
  panel.settings.checkRadio(2);
  CollectionView v;
  v.ChgIntMode = 7;
  v.ChgInt = 9;
  panel.showCollection(v);
  EXPECT_FALSE(panel.settings.RadioButton1);
  EXPECT_TRUE(panel.settings.RadioButton2);
  EXPECT_EQ(panel.settings.ChgIntSE.value(), 9);  // the loader goes on past them
}

TEST(ConfigPanel, LoadingFillsTheSettingsWithTheirCouplingRules) {
  Installed s;
  s.load();
  const SettingsPage& p = s.panel.settings;
  EXPECT_TRUE(p.RadioButton2);
  EXPECT_FALSE(p.ChgIntSE.enabled);
  EXPECT_TRUE(p.ChgIntMAXSE.enabled);
  EXPECT_EQ(p.ChgIntMINSE.value(), 10);
  EXPECT_EQ(p.ChgIntMAXSE.value(), 14);  // kept at least 4 above the lower bound
  EXPECT_EQ(p.ShwEffectNum, 17);
  EXPECT_EQ(p.ALLBckSoundsFE, "zene.mid");
  ASSERT_EQ(s.panel.ListView1.size(), 1u);
  EXPECT_EQ(s.panel.ListView1[0].caption, "a");
}

TEST(ConfigPanel, OkWritesOnlyTheSettingsFieldsAndKeepsEveryOtherByte) {
  Installed s;
  s.load();
  s.panel.settings.ChgIntSE.setValue(42);
  s.panel.settings.ShwEffectNum = 123;
  s.panel.settings.BckColCB = 0x00123456;
  s.panel.settings.ALLBckSoundsFEAfterDialog("\"uj.wav\"");
  EXPECT_EQ(Button1Save(s.panel.settings, s.state, s.boxes), SaveOutcome::Saved);
  const auto after = *s.fs.contents(kCnf);
  ASSERT_EQ(after.size(), s.original.size());
  for (size_t i = 0; i < after.size(); ++i)
    if (i >= TCNFHeader::kSize || !ownedBySave(i)) ASSERT_EQ(after[i], s.original[i]) << "byte " << i;
  TCNFHeader h;
  std::memcpy(h.bytes(), after.data(), TCNFHeader::kSize);
  EXPECT_EQ(h.ChgInt(), 42);
  EXPECT_EQ(h.EffectNum(), 123);
  EXPECT_EQ(h.BckColor(), 0x00123456u);
  EXPECT_EQ(h.AllBckSound(), "uj.wav");
  EXPECT_EQ(h.ChgIntMax(), 14);
}

TEST(ConfigPanel, SavingClampsTypedValuesAndKeepsTheUpperBoundAtLeastTheLower) {
  SettingsPage p;
  p.ChgIntSE.setText("0");  // Enter saves without the focus leaving the box
  p.setChgIntMin(99);       // upper bound 99 = its maximum
  p.ChgIntMAXSE.setText("5");
  TCNFHeader h;
  h.zeroFill();
  SaveSettings(p, h);
  EXPECT_EQ(h.ChgInt(), 1);
  EXPECT_EQ(h.ChgIntMin(), 99);
  EXPECT_EQ(h.ChgIntMax(), 99);
  p.ChgIntMINSE.setText("0");
  p.ChgIntMAXSE.setText("2");
  SaveSettings(p, h);
  EXPECT_EQ(h.ChgIntMin(), 1);
  EXPECT_EQ(h.ChgIntMax(), 5);  // the lower bound's clamp reruns the coupling
}

TEST(ConfigPanel, OkAfterAFailedLoadWritesNothingAndSaysWhy) {
  Installed s;
  s.fs.addFile("C:\\Vorn\\Vorn\\a.bmp", std::string("BM changed"));  // CRC no longer matches
  s.load();
  ASSERT_TRUE(s.state.LoadFailed);
  s.boxes.shown.clear();
  EXPECT_EQ(Button1Save(s.panel.settings, s.state, s.boxes), SaveOutcome::NotSavedLoadFailed);
  EXPECT_EQ(*s.fs.contents(kCnf), s.original);
  ASSERT_EQ(s.boxes.shown.size(), 1u);
  EXPECT_EQ(s.boxes.shown[0].caption, "HIBA");
}

TEST(ConfigPanel, OkOnAFileWithAWrongSignatureWritesNothing) {
  Installed s;
  auto bad = s.original;
  bad[0] = 'X';
  s.fs.addFile(kCnf, bad);
  s.load();
  EXPECT_FALSE(s.state.LoadFailed);  // the reader rejected it; LoadFailed stays false
  EXPECT_EQ(Button1Save(s.panel.settings, s.state, s.boxes), SaveOutcome::NotSavedLoadFailed);
  EXPECT_EQ(*s.fs.contents(kCnf), bad);
}

TEST(ConfigPanel, AFailedWriteKeepsTheFileAndTheHeaderAndIsReported) {
  Installed s;
  s.load();
  s.boxes.shown.clear();
  s.fs.failRenameAt(1);
  s.panel.settings.ChgIntSE.setValue(42);
  EXPECT_EQ(Button1Save(s.panel.settings, s.state, s.boxes), SaveOutcome::WriteFailed);
  EXPECT_EQ(*s.fs.contents(kCnf), s.original);
  EXPECT_EQ(s.state.FileMan->header.ChgInt(), 6);
  EXPECT_EQ(s.boxes.shown.size(), 1u);
}

TEST(ConfigPanel, NarrowsTheListColumnFromNineItemsOn) {
  EXPECT_FALSE(narrowListColumn(8));
  EXPECT_TRUE(narrowListColumn(9));
}

}  // namespace
}  // namespace vorn::config

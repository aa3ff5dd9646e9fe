#include <gtest/gtest.h>

#include <algorithm>

#include "cnf_test_files.h"
#include "collection/collection_state.h"
#include "collection/fake/fake_collection_host.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_message_box.h"
#include "platform/safe_save.h"
#include "text/cp1250.h"

namespace vorn {
namespace {

// An installed saver: C:\Program Files\Vorn Saver.scr, its collection
// "Vorn Saver.CNF", media in "C:\Program Files\Vorn Saver\".
struct Installed {
  fake::FakeFileSystem fs;
  fake::FakeMessageBoxes boxes;
  std::optional<CollectionView> view;
  fake::FakeCollectionHost host{"C:\\Program Files\\Vorn Saver.scr"};
  TCollectionState state{fs, boxes};
  TCNFFileMan writer{fs, boxes};

  Installed() {
    fs.addFile("C:\\Program Files\\Vorn Saver.scr", std::string("MZ"));
    writer.FileName = "C:\\Program Files\\Vorn Saver.CNF";
    writer.header.setCollName("Teszt");
  }
  void addMedia(const std::string& storedPath, const std::string& installedPath,
                const std::string& content) {
    fs.addFile(installedPath, content);
    auto bytes = *fs.contents(installedPath);
    writer.Add(testing::itemFor(storedPath, mediaCrcOf(bytes.data(), bytes.size())));
  }
  void save() { ASSERT_TRUE(writer.SaveToFile()); }
};

TEST(CollectionLoading, FindsTheCollectionAndTheMediaBesideTheProgram) {
  Installed s;
  s.addMedia("D:\\forrás\\kép1.bmp", "C:\\Program Files\\Vorn Saver\\kép1.bmp", "BM one");
  s.addMedia("D:\\forrás\\film.mpg", "C:\\Program Files\\Vorn Saver\\film.mpg", "movie");
  s.save();
  s.state.INITAll(s.host, false, &s.view);
  EXPECT_EQ(s.host.hideCalls, 1);
  EXPECT_EQ(s.state.FileMan->FileName, "C:\\Program Files\\Vorn Saver.CNF");
  EXPECT_EQ(s.state.MediaDir(), "C:\\Program Files\\Vorn Saver\\");
  EXPECT_EQ(s.state.BckSndDir(), "C:\\Program Files\\Vorn Saver\\BckSnd\\");
  EXPECT_FALSE(s.state.LoadFailed);
  EXPECT_TRUE(s.boxes.shown.empty());
  ASSERT_TRUE(s.view);
  ASSERT_EQ(s.view->items.size(), 2u);
  EXPECT_EQ(s.view->items[0].caption, "kép1");
  EXPECT_FALSE(s.view->items[0].movie);
  EXPECT_EQ(s.view->items[1].caption, "film");
  EXPECT_TRUE(s.view->items[1].movie);
  ASSERT_TRUE(s.state.CurrentItem);
}

TEST(CollectionLoading, ShortStartPathStillFindsTheLongNamedCollection) {
  Installed s;
  s.fs.addShortName("C:\\Program Files", "C:\\PROGRA~1");
  s.fs.addShortName("C:\\Program Files\\Vorn Saver.scr", "C:\\PROGRA~1\\VORNSA~1.SCR");
  s.fs.addShortName("C:\\Program Files\\Vorn Saver", "C:\\PROGRA~1\\VORNSA~1");
  s.addMedia("x.bmp", "C:\\Program Files\\Vorn Saver\\x.bmp", "real");
  s.save();
  s.host.path = "C:\\PROGRA~1\\VORNSA~1.SCR";
  s.state.INITAll(s.host, false, &s.view);
  // The collection by the long name, in the folder as reported...
  EXPECT_EQ(s.state.FileMan->FileName, "C:\\PROGRA~1\\Vorn Saver.CNF");
  // ...while the media folder comes from the short path as the system gave it.
  EXPECT_EQ(s.state.MediaDir(), "C:\\PROGRA~1\\VORNSA~1\\");
  EXPECT_EQ(s.state.FileMan->Count(), 1);
  EXPECT_FALSE(s.state.LoadFailed);
}

TEST(CollectionLoading, MissingCollectionIsReportedOnceAndLeavesTheListEmpty) {
  Installed s;
  s.state.INITAll(s.host, false, &s.view);
  ASSERT_EQ(s.boxes.shown.size(), 1u);
  EXPECT_EQ(s.boxes.shown[0].caption, text::W1250("Megnyitási hiba"));
  EXPECT_EQ(s.boxes.shown[0].text,
            text::W1250("Nem található, vagy nem magnyitható a beállításokat tartalmazó állomány... "
                        "Telepítse újra a képernyővédőt, vagy vegye fel a kapcsolatot a "
                        "rendszergazdával."));
  EXPECT_TRUE(s.state.LoadFailed);
  // The panel is shown the (zero) header all the same.
  ASSERT_TRUE(s.view);
  EXPECT_TRUE(s.view->items.empty());
  EXPECT_EQ(s.view->CollName, "");
}

TEST(CollectionLoading, ChangedByteInTheFirst4096FailsWithThatFileName) {
  Installed s;
  std::string big(6000, 'q');
  s.addMedia("a.bmp", "C:\\Program Files\\Vorn Saver\\a.bmp", "aaaa");
  s.addMedia("E:\\x\\nagy.avi", "C:\\Program Files\\Vorn Saver\\nagy.avi", big);
  s.addMedia("c.bmp", "C:\\Program Files\\Vorn Saver\\c.bmp", "cccc");
  s.save();
  big[5000] = 'Z';  // after the checked span: not noticed
  s.fs.addFile("C:\\Program Files\\Vorn Saver\\nagy.avi", big);
  s.state.INITAll(s.host, false, &s.view);
  EXPECT_FALSE(s.state.LoadFailed);
  EXPECT_EQ(s.state.FileMan->Count(), 3);

  big[4095] = 'Z';
  s.fs.addFile("C:\\Program Files\\Vorn Saver\\nagy.avi", big);
  s.view.reset();
  s.state.LoadCollection(&s.view);
  EXPECT_TRUE(s.state.LoadFailed);
  EXPECT_EQ(s.state.FileMan->Count(), 0);
  ASSERT_EQ(s.boxes.shown.size(), 1u);
  EXPECT_EQ(s.boxes.shown[0].caption, "HIBA");
  EXPECT_EQ(s.boxes.shown[0].text,
            text::W1250("A következő állomány megsérült, vagy megváltozott. A projekt így nem "
                        "betölthető...\r") + "nagy.avi");
  EXPECT_FALSE(s.view);  // controls and list untouched
}

TEST(CollectionLoading, OnlyTheFirstFailingFileIsReported) {
  Installed s;
  s.writer.Add(testing::itemFor("missing1.bmp", 1));
  s.writer.Add(testing::itemFor("missing2.bmp", 2));
  s.save();
  s.state.INITAll(s.host, false, &s.view);
  ASSERT_EQ(s.boxes.shown.size(), 1u);
  EXPECT_NE(s.boxes.shown[0].text.find("missing1.bmp"), std::string::npos);
}

TEST(CollectionLoading, TestRunTakesTheStoredPathsAndIgnoresTheInstalledCopies) {
  Installed s;
  s.addMedia("D:\\src\\p.bmp", "D:\\src\\p.bmp", "original");
  s.fs.addFile("C:\\Program Files\\Vorn Saver\\p.bmp", std::string("different"));
  s.save();
  s.state.INITAll(s.host, true, &s.view);
  EXPECT_EQ(s.state.MediaDir(), "");
  EXPECT_EQ(s.state.BckSndDir(), "");
  EXPECT_FALSE(s.state.LoadFailed);
  EXPECT_EQ(s.state.locateMediaFile("D:\\src\\p.bmp"), "D:\\src\\p.bmp");
  EXPECT_EQ(s.state.locateBckSound("D:\\z\\m.mid"), "D:\\z\\m.mid");

  // The same collection in a normal run finds the different installed copy.
  s.state.INITAll(s.host, false, &s.view);
  EXPECT_TRUE(s.state.LoadFailed);
}

TEST(CollectionLoading, LocationRuleUsesTheFileNamePart) {
  MediaLocation where{false, "C:\\V\\", "C:\\V\\BckSnd\\"};
  EXPECT_EQ(where.media("D:\\a\\b\\kép.jpg"), "C:\\V\\kép.jpg");
  EXPECT_EQ(where.media("D:kép.jpg"), "C:\\V\\kép.jpg");
  EXPECT_EQ(where.bckSound("D:\\zene\\háttér.mid"), "C:\\V\\BckSnd\\háttér.mid");
  EXPECT_EQ(where.media(""), "");  // an empty SoundPath names no file
  EXPECT_EQ(where.bckSound("D:\\zene\\"), "");
}

TEST(CollectionLoading, ZeroItemsLoadWithAnEmptyList) {
  Installed s;
  s.save();
  s.state.INITAll(s.host, false, &s.view);
  EXPECT_FALSE(s.state.LoadFailed);
  EXPECT_TRUE(s.boxes.shown.empty());
  ASSERT_TRUE(s.view);
  EXPECT_TRUE(s.view->items.empty());
}

TEST(CollectionLoading, WrongSignatureLeavesLoadFailedClearAndFillsFromTheBytesRead) {
  Installed s;
  s.fs.addFile("C:\\Program Files\\Vorn Saver.CNF", std::string("Valami más"));
  s.state.INITAll(s.host, false, &s.view);
  EXPECT_FALSE(s.state.LoadFailed);
  ASSERT_EQ(s.boxes.shown.size(), 1u);
  EXPECT_FALSE(s.state.FileMan->LastLoadAccepted());
  EXPECT_TRUE(s.view);
}

TEST(CollectionLoading, ShowsThePanelTheHeadersTextsAndSettings) {
  Installed s;
  TCNFHeader& h = s.writer.header;
  h.setCollName(text::W1250("Nyári képek"));
  h.setCopyText("(c) Kis");
  h.setComment("egy||kettő|három");
  h.setUseCommonOptions(true);
  h.setBckColor(0x00FF8000);
  h.setEffectNum(17);
  h.setChgIntMode(1);
  h.setChgInt(5);
  h.setChgIntMin(3);
  h.setChgIntMax(15);
  h.setShowMode(1);
  h.setDisableAllSounds(true);
  h.setAllBckSound("C:\\zene.mid");
  s.save();
  s.state.INITAll(s.host, false, &s.view);
  ASSERT_TRUE(s.view);
  const CollectionView& v = *s.view;
  EXPECT_EQ(v.CollName, text::W1250("Nyári képek"));
  EXPECT_EQ(v.CopyText, "(c) Kis");
  EXPECT_EQ(v.CollURL, "");
  EXPECT_EQ(v.Comment, "egy\r\nkettő|három");
  EXPECT_TRUE(v.UseCommonOptions);
  EXPECT_EQ(v.BckColor, 0x00FF8000u);
  EXPECT_EQ(v.EffectNum, 17);
  EXPECT_EQ(v.ChgIntMode, 1);
  EXPECT_EQ(v.ChgInt, 5);
  EXPECT_EQ(v.ChgIntMin, 3);
  EXPECT_EQ(v.ChgIntMax, 15);
  EXPECT_EQ(v.ShowMode, 1);
  EXPECT_FALSE(v.NoMouseMoveExit);
  EXPECT_TRUE(v.DisableAllSounds);
  EXPECT_EQ(v.AllBckSound, "C:\\zene.mid");
}

TEST(CollectionLoading, TheShowMayAskForNoView) {
  Installed s;
  s.addMedia("a.gif", "C:\\Program Files\\Vorn Saver\\a.gif", "GIF89a");
  s.save();
  s.state.INITAll(s.host, false, nullptr);
  EXPECT_FALSE(s.state.LoadFailed);
  EXPECT_EQ(s.state.FileMan->Count(), 1);
  s.state.Release();
  EXPECT_FALSE(s.state.FileMan);
  EXPECT_FALSE(s.state.CurrentItem);
}

TEST(SafeSave, LeavesNoTemporaryFileAndReplacesTheTarget) {
  fake::FakeFileSystem fs;
  fs.addFile("C:\\a.cnf", std::string("old"));
  ASSERT_TRUE(saveFileSafely(fs, "C:\\a.cnf", {'n', 'e', 'w'}));
  EXPECT_EQ(*fs.contents("C:\\a.cnf"), (std::vector<uint8_t>{'n', 'e', 'w'}));
  EXPECT_FALSE(fs.exists(safeSaveTempPath("C:\\a.cnf")));
  fs.failRenameAt(1);
  auto st = saveFileSafely(fs, "C:\\a.cnf", {'x'});
  EXPECT_FALSE(st);
  EXPECT_FALSE(st.error().empty());
  EXPECT_FALSE(fs.exists(safeSaveTempPath("C:\\a.cnf")));
}

}  // namespace
}  // namespace vorn

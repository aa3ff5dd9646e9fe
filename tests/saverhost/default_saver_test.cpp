#include <gtest/gtest.h>

#include <map>

#include "platform/fake/fake_profile.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_system_params.h"
#include "saverhost/default_saver.h"

using namespace vorn;
using namespace vorn::saverhost;

namespace {

// Only what the registration looks at: existence and the directory entry.
class DiskEntries final : public FileSystem {
 public:
  bool exists(const std::string& path) override { return entries.count(path) > 0; }
  std::optional<DirEntry> findFirst(const std::string& path) override {
    ++searches;
    auto it = entries.find(path);
    if (it == entries.end() || hideFromSearch) return std::nullopt;
    return it->second;
  }
  Result<std::vector<uint8_t>> readFile(const std::string&, size_t) override {
    return makeError("not here");
  }
  std::unique_ptr<WritableFile> openWrite(const std::string&) override { return nullptr; }
  bool rename(const std::string&, const std::string&) override { return false; }
  bool remove(const std::string&) override { return false; }

  std::map<std::string, DirEntry> entries;
  bool hideFromSearch = false;
  int searches = 0;
};

struct World {
  DiskEntries files;
  fake::FakeRegistry registry;
  fake::FakeProfileFiles profiles;
  fake::FakeSystemParameters system;
  SaverRegistrationServices services{registry, profiles, system};

  void addFile(const std::string& path, std::string longName, std::string shortName) {
    files.entries[path] = DirEntry{std::move(longName), std::move(shortName), 1000};
  }
  std::optional<std::string> desktop(const std::string& name) const {
    return registry.stringAt(RegistryRoot::CurrentUser, "Control Panel\\Desktop", name);
  }
  bool notified() const {
    return system.calls.size() == 1 && system.calls[0].action == kSpiSetScreenSaveActive &&
           system.calls[0].param == 1 && !system.calls[0].withPrevious &&
           system.calls[0].winIni == kSpifSendWinIniChange;
  }
};

constexpr const char* kExe = "C:\\Saver\\Multimedia Saver.scr";

bool makeDefault(World& w, const std::string& path) {
  SaverFileAt exe(w.files, path);
  return MakeDefaultSaver(w.services, exe);
}

}  // namespace

TEST(DiskFileName, LongNameGivesTheSystemsShortAlias) {
  World w;
  w.addFile(kExe, "Multimedia Saver.scr", "MULTIM~1.SCR");
  EXPECT_EQ(GetDiskFileName(w.files, kExe), "MULTIM~1.SCR");
  w.addFile("C:\\a.b.c.scr", "a.b.c.scr", "ABC~1.SCR");  // several dots, short base
  EXPECT_EQ(GetDiskFileName(w.files, "C:\\a.b.c.scr"), "a.b.c.scr");
  w.addFile("C:\\several.dots.scr", "several.dots.scr", "SEVERA~1.SCR");
  EXPECT_EQ(GetDiskFileName(w.files, "C:\\several.dots.scr"), "SEVERA~1.SCR");
}

TEST(DiskFileName, EightDotThreeNameKeepsItsStoredLetterCase) {
  World w;
  w.addFile("C:\\x\\vorn.scr", "Vorn.scr", "");
  EXPECT_EQ(GetDiskFileName(w.files, "C:\\x\\vorn.scr"), "Vorn.scr");
}

TEST(DiskFileName, AliasWithShortBaseFallsBackToTheLongName) {
  World w;
  w.addFile("C:\\a b.scr", "a b.scr", "AB~1.SCR");
  EXPECT_EQ(GetDiskFileName(w.files, "C:\\a b.scr"), "a b.scr");
  // Dot at position 8 is still "8 or earlier".
  w.addFile("C:\\q.scr", "qqqq qqq.scr", "QQQQQ~1.SCR");
  EXPECT_EQ(GetDiskFileName(w.files, "C:\\q.scr"), "qqqq qqq.scr");
  // An alias without a dot does not count either.
  w.addFile("C:\\noext", "no extension here", "NOEXTE~1");
  EXPECT_EQ(GetDiskFileName(w.files, "C:\\noext"), "no extension here");
}

TEST(DiskFileName, NamesAreCutAtTheirZeroAndToThePlatformsBuffers) {
  World w;
  w.addFile("C:\\z", "long", std::string("ABCDEFGH.SCR\0junk", 17));
  EXPECT_EQ(GetDiskFileName(w.files, "C:\\z"), "ABCDEFGH.SCR");
  w.addFile("C:\\y", std::string(300, 'n'), "");
  EXPECT_EQ(GetDiskFileName(w.files, "C:\\y"), std::string(260, 'n'));
}

TEST(DiskFileName, MissingFileGivesEmpty) {
  World w;
  EXPECT_EQ(GetDiskFileName(w.files, "C:\\nothing.scr"), "");
}

TEST(RegWriteString, WritesAZeroTerminatedStringAndClosesTheKey) {
  fake::FakeRegistry reg;
  EXPECT_TRUE(RegWriteString(reg, RegistryRoot::CurrentUser, "A\\B", "V", "data"));
  EXPECT_EQ(reg.stringAt(RegistryRoot::CurrentUser, "a\\b", "v"), "data");
  EXPECT_TRUE(reg.openKeys.empty());
  EXPECT_EQ(reg.log, (std::vector<std::string>{"create A\\B", "set V", "close"}));
}

TEST(RegWriteString, ClosesTheKeyEvenWhenTheWriteFails) {
  fake::FakeRegistry reg;
  reg.refusedValues.insert("V");
  EXPECT_FALSE(RegWriteString(reg, RegistryRoot::CurrentUser, "A", "V", "x"));
  EXPECT_TRUE(reg.openKeys.empty());
  EXPECT_EQ(reg.log.back(), "close");
}

TEST(RegWriteString, KeyThatCannotBeCreatedIsAFailureWithoutAWrite) {
  fake::FakeRegistry reg;
  reg.refusedKeys.insert("A");
  EXPECT_FALSE(RegWriteString(reg, RegistryRoot::CurrentUser, "A", "V", "x"));
  EXPECT_EQ(reg.log, std::vector<std::string>{"create A"});
}

TEST(MakeDefaultSaver, OnNtWritesBothRegistryValuesAndNotifies) {
  World w;
  w.addFile(kExe, "Multimedia Saver.scr", "MULTIM~1.SCR");
  EXPECT_TRUE(makeDefault(w, kExe));
  EXPECT_EQ(w.desktop("SCRNSAVE.EXE"), "MULTIM~1.SCR");
  EXPECT_EQ(w.desktop("ScreenSaveActive"), "1");
  EXPECT_TRUE(w.profiles.writes.empty());  // system.ini untouched on NT
  EXPECT_TRUE(w.notified());
  EXPECT_TRUE(w.registry.openKeys.empty());
  EXPECT_EQ(w.registry.log, (std::vector<std::string>{"create Control Panel\\Desktop",
                                                       "set SCRNSAVE.EXE", "close",
                                                       "create Control Panel\\Desktop",
                                                       "set ScreenSaveActive", "close"}));
}

TEST(MakeDefaultSaver, OffNtAlsoWritesSystemIniBootSection) {
  World w;
  w.system.platform = kPlatformWin32Windows;
  w.addFile("C:\\W\\Vorn.scr", "Vorn.scr", "");
  EXPECT_TRUE(makeDefault(w, "C:\\W\\Vorn.scr"));
  auto it = w.profiles.entries.find({"system.ini", "boot", "SCRNSAVE.EXE"});
  ASSERT_NE(it, w.profiles.entries.end());
  EXPECT_EQ(it->second, "Vorn.scr");
  EXPECT_EQ(w.profiles.entries.size(), 1u);
  EXPECT_TRUE(w.notified());
}

TEST(MakeDefaultSaver, FailedProfileWriteKeepsRegistryValuesStillNotifiesAndFails) {
  World w;
  w.system.platform = kPlatformWin32Windows;
  w.profiles.failWrites = true;
  w.addFile("C:\\W\\Vorn.scr", "Vorn.scr", "");
  EXPECT_FALSE(makeDefault(w, "C:\\W\\Vorn.scr"));
  EXPECT_EQ(w.desktop("SCRNSAVE.EXE"), "Vorn.scr");
  EXPECT_EQ(w.desktop("ScreenSaveActive"), "1");
  EXPECT_EQ(w.profiles.writes.size(), 1u);
  EXPECT_TRUE(w.notified());
}

TEST(MakeDefaultSaver, MissingFileFailsAtOnceWithNothingWrittenOrSent) {
  World w;
  EXPECT_FALSE(makeDefault(w, "C:\\gone.scr"));
  EXPECT_EQ(w.files.searches, 0);
  EXPECT_TRUE(w.registry.log.empty());
  EXPECT_TRUE(w.profiles.writes.empty());
  EXPECT_TRUE(w.system.calls.empty());
}

TEST(MakeDefaultSaver, FileThatTheSearchCannotFindFailsWithNothingWritten) {
  World w;
  w.addFile(kExe, "Multimedia Saver.scr", "MULTIM~1.SCR");
  w.files.hideFromSearch = true;
  EXPECT_FALSE(makeDefault(w, kExe));
  EXPECT_TRUE(w.registry.log.empty());
  EXPECT_TRUE(w.system.calls.empty());
}

TEST(MakeDefaultSaver, FirstRegistryFailureStopsBeforeTheSecondValue) {
  World w;
  w.system.platform = kPlatformWin32Windows;
  w.addFile(kExe, "Multimedia Saver.scr", "MULTIM~1.SCR");
  w.registry.refusedValues.insert("SCRNSAVE.EXE");
  EXPECT_FALSE(makeDefault(w, kExe));
  EXPECT_EQ(w.desktop("ScreenSaveActive"), std::nullopt);
  EXPECT_TRUE(w.profiles.writes.empty());
  EXPECT_TRUE(w.system.calls.empty());
}

TEST(MakeDefaultSaver, SecondRegistryFailureLeavesTheFirstValueWritten) {
  World w;
  w.system.platform = kPlatformWin32Windows;
  w.addFile(kExe, "Multimedia Saver.scr", "MULTIM~1.SCR");
  w.registry.refusedValues.insert("SCREENSAVEACTIVE");
  EXPECT_FALSE(makeDefault(w, kExe));
  EXPECT_EQ(w.desktop("SCRNSAVE.EXE"), "MULTIM~1.SCR");  // no rollback
  EXPECT_TRUE(w.profiles.writes.empty());
  EXPECT_TRUE(w.system.calls.empty());
}

TEST(MakeDefaultSaver, DeniedKeyFailsWithNothingWritten) {
  World w;
  w.addFile(kExe, "Multimedia Saver.scr", "MULTIM~1.SCR");
  w.registry.refusedKeys.insert("CONTROL PANEL\\DESKTOP");
  EXPECT_FALSE(makeDefault(w, kExe));
  EXPECT_EQ(w.desktop("SCRNSAVE.EXE"), std::nullopt);
  EXPECT_TRUE(w.system.calls.empty());
}

// The collection's file layer and location rules against the real Windows
// calls (run under Wine): long and 8.3 names, the safe save, read-only files.
#include <gtest/gtest.h>
#include <windows.h>

#include "collection/collection_state.h"
#include "collection/fake/fake_collection_host.h"
#include "collection/win32/win32_collection_host.h"
#include "platform/fake/fake_message_box.h"
#include "platform/safe_save.h"
#include "platform/win32/win32_file_system.h"
#include "text/cp1250.h"

namespace vorn {
namespace {

std::wstring wide(const std::string& cp1250) {
  const std::u16string u = text::cp1250ToUtf16(cp1250);
  return std::wstring(u.begin(), u.end());
}

std::string narrow(const std::wstring& w) {
  return text::utf16ToCp1250(std::u16string(w.begin(), w.end()));
}

// A fresh folder with a long, accented name under the prefix's temp folder.
struct Scratch {
  std::string dir;
  Scratch() {
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    dir = narrow(tmp) + text::W1250("Vorn hosszú mappa ") + std::to_string(GetCurrentProcessId()) +
          "-" + std::to_string(GetTickCount());
    CreateDirectoryW(wide(dir).c_str(), nullptr);
  }
  ~Scratch() { wipe(dir); }
  static void wipe(const std::string& d) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(wide(d + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = narrow(fd.cFileName);
        if (name == "." || name == "..") continue;
        const std::string p = d + "\\" + name;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          wipe(p);
        } else {
          SetFileAttributesW(wide(p).c_str(), FILE_ATTRIBUTE_NORMAL);
          DeleteFileW(wide(p).c_str());
        }
      } while (FindNextFileW(h, &fd));
      FindClose(h);
    }
    RemoveDirectoryW(wide(d).c_str());
  }
  void mkdir(const std::string& p) const { CreateDirectoryW(wide(p).c_str(), nullptr); }
};

void put(Win32FileSystem& fs, const std::string& path, const std::string& content) {
  ASSERT_TRUE(saveFileSafely(fs, path, std::vector<uint8_t>(content.begin(), content.end()))) << path;
}

std::string shortPathOf(const std::string& path) {
  wchar_t buf[MAX_PATH];
  const DWORD n = GetShortPathNameW(wide(path).c_str(), buf, MAX_PATH);
  return n && n < MAX_PATH ? narrow(buf) : std::string();
}

// Writes an installed saver: <dir>\Vorn Képernyővédő.scr, its collection and
// one picture stored under a full path elsewhere.
struct InstalledSaver {
  Scratch s;
  Win32FileSystem fs;
  fake::FakeMessageBoxes boxes;
  std::string exe, stored;
  InstalledSaver() {
    exe = s.dir + "\\" + text::W1250("Vorn Képernyővédő.scr");
    put(fs, exe, "MZ");
    s.mkdir(s.dir + "\\forrás");
    stored = s.dir + "\\forrás\\" + text::W1250("kép.bmp");
    put(fs, stored, "BM picture bytes");
    TCNFFileMan writer(fs, boxes);
    writer.FileName = s.dir + "\\" + text::W1250("Vorn Képernyővédő.CNF");
    TCNFItem it;
    it.zeroFill();
    it.setMediaPath(stored);
    it.setMediaCRC(int64_t(*FileCRC(fs, stored)));
    writer.Add(it);
    EXPECT_TRUE(writer.SaveToFile());
  }
};

TEST(Win32Collection, NormalRunTakesMediaFromTheInstalledFolder) {
  InstalledSaver w;
  fake::FakeCollectionHost host(w.exe);
  std::optional<CollectionView> view;
  TCollectionState state(w.fs, w.boxes);
  state.INITAll(host, false, &view);
  EXPECT_TRUE(state.LoadFailed);  // not installed yet: the media folder is empty
  ASSERT_EQ(w.boxes.shown.size(), 1u);
  EXPECT_EQ(w.boxes.shown[0].caption, "HIBA");

  const std::string mediaDir = w.s.dir + "\\" + text::W1250("Vorn Képernyővédő") + "\\";
  EXPECT_EQ(state.MediaDir(), mediaDir);
  w.s.mkdir(mediaDir);
  put(w.fs, mediaDir + text::W1250("kép.bmp"), "BM picture bytes");
  w.boxes.shown.clear();
  state.INITAll(host, false, &view);
  EXPECT_FALSE(state.LoadFailed);
  EXPECT_TRUE(w.boxes.shown.empty());
  ASSERT_TRUE(view);
  ASSERT_EQ(view->items.size(), 1u);
  EXPECT_EQ(view->items[0].caption, text::W1250("kép"));
}

TEST(Win32Collection, TestRunTakesTheStoredFullPaths) {
  InstalledSaver w;
  fake::FakeCollectionHost host(w.exe);
  TCollectionState state(w.fs, w.boxes);
  state.INITAll(host, true, nullptr);
  EXPECT_FALSE(state.LoadFailed);
  EXPECT_TRUE(w.boxes.shown.empty());
  EXPECT_EQ(state.MediaDir(), "");
  EXPECT_EQ(state.locateMediaFile(w.stored), w.stored);
}

TEST(Win32Collection, ShortStartPathFindsTheLongNamedCollection) {
  InstalledSaver w;
  const std::string shortExe = shortPathOf(w.exe);
  ASSERT_FALSE(shortExe.empty());
  if (shortExe == w.exe) GTEST_SKIP() << "this volume makes no 8.3 names";
  auto entry = w.fs.findFirst(shortExe);
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->longName, text::W1250("Vorn Képernyővédő.scr"));

  fake::FakeCollectionHost host(shortExe);
  TCollectionState state(w.fs, w.boxes);
  state.INITAll(host, true, nullptr);
  const std::string folder = shortExe.substr(0, shortExe.find_last_of('\\'));
  EXPECT_EQ(state.FileMan->FileName, folder + "\\" + text::W1250("Vorn Képernyővédő.CNF"));
  EXPECT_EQ(state.FileMan->Count(), 1);
  EXPECT_FALSE(state.LoadFailed);

  // In a normal run the media folder is the short path as reported, less its
  // extension: a folder of that name holds the media.
  state.INITAll(host, false, nullptr);
  const std::string mediaDir = shortExe.substr(0, shortExe.size() - 4) + "\\";
  EXPECT_EQ(state.MediaDir(), mediaDir);
  w.s.mkdir(mediaDir);
  put(w.fs, mediaDir + text::W1250("kép.bmp"), "BM picture bytes");
  w.boxes.shown.clear();
  state.INITAll(host, false, nullptr);
  EXPECT_FALSE(state.LoadFailed) << (w.boxes.shown.empty() ? "" : w.boxes.shown[0].text);
}

TEST(Win32FileSystem, SafeSaveReplacesInOneStepAndKeepsReadOnlyFiles) {
  Scratch s;
  Win32FileSystem fs;
  const std::string target = s.dir + "\\" + text::W1250("Gyűjtemény.CNF");
  put(fs, target, "old");
  put(fs, target, "newer");
  auto bytes = fs.readFile(target, SIZE_MAX);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(std::string(bytes->begin(), bytes->end()), "newer");
  EXPECT_FALSE(fs.exists(safeSaveTempPath(target)));
  EXPECT_FALSE(fs.exists(s.dir));  // a folder is not a file
  EXPECT_EQ(fs.findFirst(target)->size, 5u);

  SetFileAttributesW(wide(target).c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(saveFileSafely(fs, target, {'x'}));
  bytes = fs.readFile(target, SIZE_MAX);
  EXPECT_EQ(std::string(bytes->begin(), bytes->end()), "newer");
  EXPECT_FALSE(fs.exists(safeSaveTempPath(target)));
}

TEST(Win32FileSystem, MissingFilesAndFoldersFailCleanly) {
  Win32FileSystem fs;
  EXPECT_FALSE(fs.readFile("C:\\nincs ilyen\\x.cnf", 10));
  EXPECT_FALSE(fs.openWrite("C:\\nincs ilyen\\x.cnf"));
  EXPECT_FALSE(fs.findFirst("C:\\nincs ilyen\\x.cnf"));
  EXPECT_FALSE(saveFileSafely(fs, "C:\\nincs ilyen\\x.cnf", {'x'}));
}

TEST(Win32CollectionHost, ReportsTheRunningExecutable) {
  Win32CollectionHost host;
  const std::string path = host.executablePath();
  EXPECT_NE(text::asciiUpper(path).find("VORN_COLLECTION_TESTS.EXE"), std::string::npos) << path;
}

}  // namespace
}  // namespace vorn

// The real platform calls under Wine: version resource of the built
// Vorn.scr, directory entries of real files, registry strings.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_version_info.h"
#include "platform/win32/wide.h"
#include "saverhost/default_saver.h"
#include "saverhost/file_version.h"
#include "text/cp1250.h"

using namespace vorn;
using namespace vorn::saverhost;

namespace {

std::string ownExe() {
  wchar_t buf[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
  return win32::narrow(std::wstring(buf, n));
}

// A folder of its own under the temp folder, removed with its files.
class TempDir {
 public:
  TempDir() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    path_ = win32::narrow(base) + "vorn_saverhost_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryW(win32::wide(path_).c_str(), nullptr);
  }
  ~TempDir() {
    for (const auto& f : files_) DeleteFileW(win32::wide(f).c_str());
    RemoveDirectoryW(win32::wide(path_).c_str());
  }
  std::string touch(const std::string& name) {
    std::string p = path_ + "\\" + name;
    HANDLE h = CreateFileW(win32::wide(p).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
    files_.push_back(p);
    return p;
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::vector<std::string> files_;
};

// The build gives the program's Unix path; Wine shows that file system as Z:.
const std::string kScr = std::string("Z:") + VORN_SCR_PATH;

}  // namespace

TEST(FileVersionOnWindows, BuiltVornScrCarriesVersion2_1_2_100) {
  win32::Win32VersionInfoReader reader;
  TFileVersion v;
  GetFileVersion(reader, kScr, v);
  ASSERT_TRUE(v.Valid) << kScr;
  EXPECT_EQ(v.major(), 2);
  EXPECT_EQ(v.minor(), 1);
  EXPECT_EQ(v.release(), 2);
  EXPECT_EQ(v.build(), 100);
  EXPECT_EQ(v.ProductMS, 0x00020001u);
  EXPECT_EQ(v.ProductLS, 0x00020064u);
  FixedFileInfo block;
  ASSERT_TRUE(GetFixedFileInfo(reader, kScr, block));
  EXPECT_EQ(block.signature(), 0xFEEF04BDu);
}

TEST(FileVersionOnWindows, ProgramWithoutVersionResourceIsInvalid) {
  win32::Win32VersionInfoReader reader;
  TFileVersion v{true, 1, 1, 1, 1};
  GetFileVersion(reader, ownExe(), v);  // the test program has no version resource
  EXPECT_FALSE(v.Valid);
  EXPECT_EQ(v.FileMS, 0u);
  GetFileVersion(reader, "Z:\\no\\such\\file.scr", v);
  EXPECT_FALSE(v.Valid);
}

TEST(DiskFileNameOnWindows, LongNameGetsTheFileSystemsAlias) {
  TempDir dir;
  std::string p = dir.touch("Vorn Multimedia Saver.scr");
  Win32FileSystem files;
  std::string name = GetDiskFileName(files, p);
  ASSERT_EQ(name.size(), 12u) << name;
  EXPECT_NE(name.find('~'), std::string::npos) << name;
  EXPECT_EQ(name.substr(8), ".SCR");
}

TEST(DiskFileNameOnWindows, EightDotThreeNameComesBackWithItsStoredCase) {
  TempDir dir;
  std::string p = dir.touch("VornSav.scr");
  Win32FileSystem files;
  EXPECT_EQ(GetDiskFileName(files, dir.path() + "\\vornsav.SCR"), "VornSav.scr");
  EXPECT_TRUE(files.exists(p));
  EXPECT_FALSE(files.exists(dir.path()));  // a folder is not a file
  EXPECT_EQ(GetDiskFileName(files, dir.path() + "\\missing.scr"), "");
}

TEST(DiskFileNameOnWindows, AccentedLongNameSurvivesTheWideCalls) {
  TempDir dir;
  std::string longName = text::W1250("képernyővédő.scr");
  dir.touch(longName);
  Win32FileSystem files;
  std::optional<DirEntry> e = files.findFirst(dir.path() + "\\" + longName);
  ASSERT_TRUE(e);
  EXPECT_EQ(e->longName, longName);
}

TEST(RegistryOnWindows, StringsRoundTripAsWindows1250WithTheirZero) {
  win32::Win32Registry reg;
  const std::string key = "Software\\VornTests";
  const std::string data = text::W1250("Képernyővédő ő ű");
  ASSERT_TRUE(RegWriteString(reg, RegistryRoot::CurrentUser, key, "Probe", data));
  std::optional<Registry::Key> k = reg.openKey(RegistryRoot::CurrentUser, key, kRegAllAccess);
  ASSERT_TRUE(k);
  std::optional<RegistryValue> v = reg.readValue(*k, "Probe");
  ASSERT_TRUE(v);
  EXPECT_EQ(v->type, kRegSz);
  std::string expected = data + '\0';
  EXPECT_EQ(std::string(v->data.begin(), v->data.end()), expected);
  EXPECT_FALSE(reg.readValue(*k, "Absent"));
  reg.closeKey(*k);
  EXPECT_FALSE(reg.openKey(RegistryRoot::CurrentUser, key + "\\Absent", kRegAllAccess));
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\VornTests");
}

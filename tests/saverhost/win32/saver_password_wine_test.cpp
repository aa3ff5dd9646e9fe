// The screen-saver password with stand-ins of the system's services placed
// in the scratch prefix's system folder for the time of each test.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "saver_process.h"

namespace vorn::wine {
namespace {

constexpr DWORD kStart = 8000;
constexpr DWORD kEnd = 5000;

std::wstring systemFile(const wchar_t* name) {
  wchar_t dir[MAX_PATH];
  GetSystemDirectoryW(dir, MAX_PATH);
  return std::wstring(dir) + L"\\" + name;
}

// Installs a stand-in under `name` in the system folder; whatever lay there
// before is moved aside and put back afterwards.
class InstalledStandin {
 public:
  InstalledStandin(const char* builtPath, const wchar_t* name) : target_(systemFile(name)) {
    // The file may be there under another letter case; it goes back as it was.
    WIN32_FIND_DATAW fd;
    HANDLE f = FindFirstFileW(target_.c_str(), &fd);
    original_ = target_;
    if (f != INVALID_HANDLE_VALUE) {
      original_ = systemFile(fd.cFileName);
      FindClose(f);
    }
    backup_ = target_ + L".vornbak";
    moved_ = MoveFileExW(original_.c_str(), backup_.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    ok_ = CopyFileW(WindowsPath(builtPath).c_str(), target_.c_str(), FALSE) != FALSE;
  }
  ~InstalledStandin() {
    DeleteFileW(target_.c_str());
    if (moved_) MoveFileExW(backup_.c_str(), original_.c_str(), MOVEFILE_REPLACE_EXISTING);
  }
  bool ok() const { return ok_; }

 private:
  std::wstring target_, original_, backup_;
  bool moved_ = false, ok_ = false;
};

// A value under HKEY_CURRENT_USER of the scratch prefix for the time of a
// test, removed again afterwards.
class TestValue {
 public:
  TestValue(const wchar_t* path, const wchar_t* name, DWORD type, const void* data, DWORD size) : name_(name) {
    RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
    RegSetValueExW(key_, name, 0, type, static_cast<const BYTE*>(data), size);
  }
  ~TestValue() {
    RegDeleteValueW(key_, name_);
    RegCloseKey(key_);
  }
  TestValue(const TestValue&) = delete;
  TestValue& operator=(const TestValue&) = delete;

 private:
  HKEY key_ = nullptr;
  const wchar_t* name_;
};

constexpr DWORD kOne = 1;

// ScreenSaveUsePassword on.
struct PasswordOn : TestValue {
  PasswordOn() : TestValue(L"Control Panel\\Desktop", L"ScreenSaveUsePassword", REG_DWORD, &kOne, sizeof kOne) {}
};

// Wine has a built-in MPR.DLL of its own; while this lasts the prefix loads
// the file in the system folder instead.
struct NativeMpr : TestValue {
  NativeMpr() : TestValue(L"Software\\Wine\\DllOverrides", L"mpr", REG_SZ, L"native", 14) {}
};

// The folder the stand-ins answer from and log into.
class StandinFolder {
 public:
  StandinFolder() : dir_(VORN_STANDIN_WORK) {
    CreateDirectoryW(WindowsPath(dir_).c_str(), nullptr);
    DeleteFileW(WindowsPath(dir_ + "/calls.txt").c_str());
    SetEnvironmentVariableW(L"VORN_STANDIN_DIR", WindowsPath(dir_).c_str());
  }
  ~StandinFolder() { SetEnvironmentVariableW(L"VORN_STANDIN_DIR", nullptr); }
  void answer(bool consent) {
    std::ofstream(WindowsPath(dir_ + "/verify_answer.txt").c_str()) << (consent ? "1" : "0");
  }
  std::vector<std::string> calls() const {
    std::vector<std::string> lines;
    std::ifstream in(WindowsPath(dir_ + "/calls.txt").c_str());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

 private:
  std::string dir_;
};

TEST(SaverPassword, RefusedCloseKeepsTheSaverAcceptedCloseEndsIt) {
  StandinFolder folder;
  InstalledStandin cpl(VORN_PASSWORD_STANDIN, L"PASSWORD.CPL");
  ASSERT_TRUE(cpl.ok());
  PasswordOn password;
  folder.answer(false);
  SaverProcess saver(L"/s");
  HWND form = saver.WaitForm(kStart);
  ASSERT_TRUE(form);
  PostMessageW(form, WM_KEYDOWN, 'A', 0);
  ASSERT_TRUE(PumpUntil([&] { return folder.calls().size() >= 2; }, kEnd));
  PumpFor(300);
  EXPECT_FALSE(saver.Exited()) << "a refused password keeps the show";
  EXPECT_TRUE(IsWindowVisible(form));
  // Both close queries ask, each with the form as the window in front.
  const std::string expected = "VerifyScreenSavePwd " + std::to_string(uintptr_t(form));
  EXPECT_EQ(folder.calls(), (std::vector<std::string>{expected, expected}));
  CURSORINFO ci{};
  ci.cbSize = sizeof ci;
  GetCursorInfo(&ci);
  EXPECT_EQ(ci.flags & CURSOR_SHOWING, 0u) << "the cursor is hidden again";

  folder.answer(true);
  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_TRUE(saver.WaitExit(kEnd));
  EXPECT_EQ(folder.calls().size(), 4u);
}

TEST(SaverPassword, ConfigurationBoxClosesWithoutAsking) {
  StandinFolder folder;
  InstalledStandin cpl(VORN_PASSWORD_STANDIN, L"PASSWORD.CPL");
  PasswordOn password;
  folder.answer(false);
  SaverProcess saver(L"/c");
  HWND form = saver.WaitForm(kStart);
  ASSERT_TRUE(form);
  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_TRUE(saver.WaitExit(kEnd));
  EXPECT_TRUE(folder.calls().empty());
}

TEST(SaverPassword, WithoutTheLibraryTheSaverClosesAtOnce) {
  StandinFolder folder;
  PasswordOn password;
  SaverProcess saver(L"/s");
  HWND form = saver.WaitForm(kStart);
  ASSERT_TRUE(form);
  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_TRUE(saver.WaitExit(kEnd));
}

TEST(SaverPasswordChange, CallsTheChangeServiceWithScrsaveAndTheParent) {
  StandinFolder folder;
  NativeMpr native;
  InstalledStandin mpr(VORN_MPR_STANDIN, L"MPR.DLL");
  ASSERT_TRUE(mpr.ok());
  {
    SaverProcess saver(L"/a 4660");
    bool sawWindow = false;
    EXPECT_TRUE(PumpUntil(
        [&] {
          sawWindow = sawWindow || saver.VisibleForm() != nullptr;
          return saver.Exited();
        },
        kStart));
    EXPECT_FALSE(sawWindow);
  }
  {
    SaverProcess saver(L"-A");
    EXPECT_TRUE(saver.WaitExit(kStart));
  }
  EXPECT_EQ(folder.calls(), (std::vector<std::string>{"PwdChangePasswordA SCRSAVE 4660 0 0",
                                                      "PwdChangePasswordA SCRSAVE 0 0 0"}));
}

}  // namespace
}  // namespace vorn::wine

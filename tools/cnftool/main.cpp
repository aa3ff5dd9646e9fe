// cnftool's entry: binds the real file system and the platform's idea of a
// full path, then runs the command. Arguments and output are UTF-8.
#include <iostream>
#include <string>
#include <vector>

#include "cnftool.h"
#include "text/cp1250.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/win32_file_system.h"
#else
#include <unistd.h>

#include "platform/posix_file_system.h"
#endif

namespace {

#ifdef _WIN32
std::string fullPath(const std::string& path) {
  const std::u16string u = vorn::text::cp1250ToUtf16(path);
  const std::wstring w(u.begin(), u.end());
  wchar_t buf[1024];
  const DWORD n = GetFullPathNameW(w.c_str(), 1024, buf, nullptr);
  if (n == 0 || n >= 1024) return path;
  return vorn::text::utf16ToCp1250(std::u16string(buf, buf + n));
}

std::vector<std::string> arguments(int, char**) {
  int n = 0;
  wchar_t** w = CommandLineToArgvW(GetCommandLineW(), &n);
  std::vector<std::string> out;
  for (int i = 1; i < n; ++i) {
    std::u16string u;
    for (const wchar_t* p = w[i]; *p; ++p) u.push_back(char16_t(*p));
    out.push_back(vorn::text::cp1250ToUtf8(vorn::text::utf16ToCp1250(u)));
  }
  LocalFree(w);
  return out;
}
#else
// Wine shows the Linux root as drive Z:, so that is the full path a Windows
// program (a test run of the saver under Wine) can open.
std::string fullPath(const std::string& path) {
  std::string native = vorn::PosixFileSystem::nativePath(path);
  if (native.empty() || native[0] != '/') {
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd)) native = std::string(cwd) + "/" + native;
  }
  std::string win = "Z:" + vorn::text::utf8ToCp1250(native);
  for (char& c : win)
    if (c == '/') c = '\\';
  return win;
}

std::vector<std::string> arguments(int argc, char** argv) { return {argv + 1, argv + argc}; }
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  SetConsoleOutputCP(CP_UTF8);
  vorn::Win32FileSystem fs;
#else
  vorn::PosixFileSystem fs;
#endif
  vorn::cnftool::Env env{fs, std::cout, std::cerr, fullPath, {}};
  return vorn::cnftool::run(arguments(argc, argv), env);
}

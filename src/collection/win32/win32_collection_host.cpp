#include "collection/win32/win32_collection_host.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "text/cp1250.h"

namespace vorn {

namespace {

std::wstring moduleFileName() {
  std::vector<wchar_t> buf(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), DWORD(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) return std::wstring(buf.data(), n);
    buf.resize(buf.size() * 2);
  }
}

std::wstring shortPathOf(const std::wstring& path) {
  const DWORD n = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (n == 0) return {};
  std::vector<wchar_t> buf(n);
  const DWORD got = GetShortPathNameW(path.c_str(), buf.data(), n);
  return got == 0 || got >= n ? std::wstring() : std::wstring(buf.data(), got);
}

// The path in Windows-1250 when every letter of it has a place there.
std::optional<std::string> inCp1250(const std::wstring& w) {
  const std::u16string u(w.begin(), w.end());
  std::string s = text::utf16ToCp1250(u);
  if (text::cp1250ToUtf16(s) != u) return std::nullopt;
  return s;
}

}  // namespace

std::string Win32CollectionHost::executablePath() {
  const std::wstring path = moduleFileName();
  if (auto exact = inCp1250(path)) return *exact;
  // Installed under a folder that Windows-1250 cannot spell (a Cyrillic user
  // name): the system's 8.3 alias of the path can, and the collection beside
  // the program and the media folder are found through it. Without an alias
  // the letters that have no place become "?" and the collection is missing.
  if (auto alias = inCp1250(shortPathOf(path))) return *alias;
  const std::u16string u(path.begin(), path.end());
  return text::utf16ToCp1250(u);
}

}  // namespace vorn

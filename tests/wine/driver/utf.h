#pragma once
// The driver speaks UTF-8 on its side (scripts, output) and UTF-16 to the
// system.
#include <windows.h>

#include <string>

namespace driver {

inline std::wstring fromUtf8(const std::string& s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

inline std::string toUtf8(const std::wstring& w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                      nullptr);
  return s;
}

// Shows control characters so a mismatch is readable: \r \n \t \xNN.
std::string visible(const std::string& s);

// Writes UTF-8 bytes to standard output / error unchanged.
void out(const std::string& line);
void err(const std::string& line);

}  // namespace driver

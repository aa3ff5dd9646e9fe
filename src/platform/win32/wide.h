#pragma once
// Windows-1250 bytes to the wide-character calls and back.
#include <string>

#include "text/cp1250.h"

namespace vorn::win32 {

inline std::wstring wide(const std::string& cp1250) {
  std::u16string u = text::cp1250ToUtf16(cp1250);
  return std::wstring(u.begin(), u.end());
}

inline std::string narrow(const std::wstring& w) {
  return text::utf16ToCp1250(std::u16string(w.begin(), w.end()));
}

}  // namespace vorn::win32

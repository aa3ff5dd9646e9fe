#include "utf.h"

#include <cstdio>

namespace driver {

std::string visible(const std::string& s) {
  std::string r;
  for (unsigned char c : s) {
    if (c == '\r') r += "\\r";
    else if (c == '\n') r += "\\n";
    else if (c == '\t') r += "\\t";
    else if (c < 32) {
      char buf[8];
      snprintf(buf, sizeof buf, "\\x%02X", c);
      r += buf;
    } else r += static_cast<char>(c);
  }
  return r;
}

static void writeTo(DWORD which, const std::string& line) {
  std::string s = line + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(which), s.data(), static_cast<DWORD>(s.size()), &written, nullptr);
}

void out(const std::string& line) { writeTo(STD_OUTPUT_HANDLE, line); }
void err(const std::string& line) { writeTo(STD_ERROR_HANDLE, line); }

}  // namespace driver

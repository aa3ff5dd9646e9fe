#include "platform/win32/win32_shell.h"

#include <windows.h>
#include <shellapi.h>

#include "text/cp1250.h"

namespace vorn::win32 {

void Win32Shell::open(const std::string& address) {
  const std::u16string w = text::cp1250ToUtf16(address);
  ShellExecuteW(nullptr, L"open", reinterpret_cast<LPCWSTR>(w.c_str()), nullptr, nullptr,
                SW_SHOWNORMAL);
}

void Win32Shell::setWaitCursor(bool waiting) {
  SetCursor(LoadCursor(nullptr, waiting ? IDC_WAIT : IDC_ARROW));
}

}  // namespace vorn::win32

#include "collection/win32/win32_collection_host.h"

#include <windows.h>

#include <vector>

#include "text/cp1250.h"

namespace vorn {

std::string Win32CollectionHost::executablePath() {
  std::vector<wchar_t> buf(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), DWORD(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) return text::utf16ToCp1250(std::u16string(buf.begin(), buf.begin() + n));
    buf.resize(buf.size() * 2);
  }
}

void Win32CollectionHost::hideApplicationWindow() {
  const std::u16string t = text::cp1250ToUtf16(title_);
  const std::wstring title(t.begin(), t.end());
  if (HWND own = FindWindowW(nullptr, title.c_str())) ShowWindow(own, SW_HIDE);
  // Tool window and topmost: kept off the task bar and above other windows.
  if (appWindow_) SetWindowLongW(static_cast<HWND>(appWindow_), GWL_EXSTYLE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
}

}  // namespace vorn

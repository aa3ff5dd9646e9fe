#include "platform/win32/win32_message_box.h"

#include <windows.h>

#include "text/cp1250.h"

namespace vorn {

void Win32MessageBoxes::show(const std::string& text, const std::string& caption) {
  std::u16string t = text::cp1250ToUtf16(text), c = text::cp1250ToUtf16(caption);
  MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(t.c_str()), reinterpret_cast<const wchar_t*>(c.c_str()),
              MB_OK | MB_TASKMODAL);
}

}  // namespace vorn

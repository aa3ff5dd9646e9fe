#include "platform/win32/win32_message_boxes.h"

#include <windows.h>

#include "platform/win32/wide.h"

namespace vorn::win32 {

void Win32MessageBoxes::show(const std::string& text, const std::string& caption) {
  MessageBoxW(reinterpret_cast<HWND>(owner_), wide(text).c_str(), wide(caption).c_str(),
              owner_ ? MB_OK : MB_OK | MB_TASKMODAL);
}

}  // namespace vorn::win32

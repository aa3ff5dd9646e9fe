#include "platform/win32/win32_message_pump.h"

namespace vorn::win32 {

void Win32MessagePump::processMessages() {
  MSG m;
  while (!quit_ && PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      // The program ends; the outer loop must see the request too.
      quit_ = true;
      PostQuitMessage(int(m.wParam));
      return;
    }
    if (PreTranslate && PreTranslate(m)) continue;
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

}  // namespace vorn::win32

#include "transition/win32/win32_pacing.h"

#include <windows.h>

namespace vorn {

uint32_t Win32TickClock::tickCount() { return GetTickCount(); }
void Win32TickClock::sleep(uint32_t ms) { Sleep(ms); }

void Win32MessagePump::processMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(int(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace vorn

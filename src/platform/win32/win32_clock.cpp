#include "platform/win32/win32_clock.h"

#include <windows.h>

namespace vorn::win32 {

uint32_t Win32TickClock::tickCount() { return GetTickCount(); }
void Win32TickClock::sleep(uint32_t ms) { Sleep(ms); }

}  // namespace vorn::win32

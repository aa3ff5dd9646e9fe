#include "platform/win32/win32_system_params.h"

#include <windows.h>

namespace vorn::win32 {

bool Win32SystemParameters::set(uint32_t action, uint32_t param, uint32_t* previous,
                                uint32_t winIni) {
  BOOL old = FALSE;
  BOOL ok = SystemParametersInfoW(action, param, previous ? &old : nullptr, winIni);
  if (previous) *previous = static_cast<uint32_t>(old);
  return ok != 0;
}

uint32_t Win32SystemParameters::platformId() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&info)) return 0;
#pragma GCC diagnostic pop
  return info.dwPlatformId;
}

}  // namespace vorn::win32

/* Test-only MPR.DLL: records the password change request. */
#include "standin_log.h"

__declspec(dllexport) DWORD WINAPI PwdChangePasswordA(LPCSTR provider, HWND parent, DWORD a, DWORD b) {
  char line[160];
  snprintf(line, sizeof line, "PwdChangePasswordA %s %lu %lu %lu", provider ? provider : "(null)",
           (unsigned long)(UINT_PTR)parent, (unsigned long)a, (unsigned long)b);
  standinLog(line);
  return 0;
}

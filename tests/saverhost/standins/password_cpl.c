/* Test-only PASSWORD.CPL: the verification answers with the first character
   of verify_answer.txt ('1' consents, anything else refuses) and logs each call. */
#include "standin_log.h"

__declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND window) {
  char line[64], path[MAX_PATH];
  snprintf(line, sizeof line, "VerifyScreenSavePwd %lu", (unsigned long)(UINT_PTR)window);
  standinLog(line);
  standinPath(path, sizeof path, "verify_answer.txt");
  FILE* f = fopen(path, "r");
  int c = f ? fgetc(f) : EOF;
  if (f) fclose(f);
  return c == '1';
}

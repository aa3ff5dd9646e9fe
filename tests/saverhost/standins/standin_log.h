/* Shared by the test-only stand-ins of the system's password services: they
   answer from and write to files in the folder named by VORN_STANDIN_DIR,
   which the test sets before it starts the screen saver. */
#pragma once
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

static void standinPath(char* out, size_t size, const char* file) {
  const char* dir = getenv("VORN_STANDIN_DIR");
  snprintf(out, size, "%s\\%s", dir ? dir : ".", file);
}

static void standinLog(const char* line) {
  char path[MAX_PATH];
  standinPath(path, sizeof path, "calls.txt");
  FILE* f = fopen(path, "a");
  if (!f) return;
  fprintf(f, "%s\n", line);
  fclose(f);
}

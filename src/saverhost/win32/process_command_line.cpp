#include "saverhost/win32/process_command_line.h"

#include <windows.h>

#include "platform/win32/wide.h"

namespace vorn::saverhost {
namespace {

std::wstring moduleFileName() {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n < buf.size()) {
      buf.resize(n);
      return buf;
    }
    buf.resize(buf.size() * 2);  // truncated: try a longer buffer
  }
}

}  // namespace

const std::wstring& ProcessExecutablePath() {
  static const std::wstring path = moduleFileName();
  return path;
}

const CommandLine& ProcessCommandLine() {
  static const CommandLine line(win32::narrow(ProcessExecutablePath()), win32::narrow(GetCommandLineW()));
  return line;
}

}  // namespace vorn::saverhost

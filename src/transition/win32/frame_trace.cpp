#include "transition/win32/frame_trace.h"

#include <windows.h>

#include <cstdlib>

#include "transition/style_catalogue.h"

namespace vorn {

std::unique_ptr<FrameTrace> FrameTrace::fromEnvironment() {
  const wchar_t* path = _wgetenv(L"VORN_FRAME_TRACE");
  if (!path || !*path) return nullptr;
  return std::make_unique<FrameTrace>(path);
}

FrameTrace::FrameTrace(const std::wstring& path) : file_(_wfopen(path.c_str(), L"w")) {
  LARGE_INTEGER f;
  if (QueryPerformanceFrequency(&f) && f.QuadPart > 0) frequency_ = f.QuadPart;
}

FrameTrace::~FrameTrace() {
  if (file_) std::fclose(file_);
}

int64_t FrameTrace::now() const {
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return c.QuadPart / frequency_ * 1'000'000 + c.QuadPart % frequency_ * 1'000'000 / frequency_;
}

void FrameTrace::composed(int style, int progress, int step, int delayMs) {
  if (!file_) return;
  std::fprintf(file_, "%lld compose %d %s %d %d %d\n", static_cast<long long>(now()), style, familyName(familyOf(style)),
               progress, step, delayMs);
  std::fflush(file_);
}

void FrameTrace::presented() {
  if (!file_) return;
  std::fprintf(file_, "%lld present\n", static_cast<long long>(now()));
  std::fflush(file_);
}

}  // namespace vorn

#pragma once
// An opt-in record of when the show's transition frames are composed and
// when they reach the window, for the pacing benchmark (bench/show). The
// environment variable VORN_FRAME_TRACE names the file; without it nothing
// is made and nothing is timed. One line an event, written at once (the
// show may end without unwinding). A frame's compose line comes before the
// present line of the paint that shows it:
//   MICROSECONDS compose STYLE FAMILY PROGRESS STEP DELAY_MS
//   MICROSECONDS present
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace vorn {

class FrameTrace {
 public:
  static std::unique_ptr<FrameTrace> fromEnvironment();
  explicit FrameTrace(const std::wstring& path);
  ~FrameTrace();

  void composed(int style, int progress, int step, int delayMs);
  void presented();

 private:
  int64_t now() const;

  std::FILE* file_ = nullptr;
  int64_t frequency_ = 1;
};

}  // namespace vorn

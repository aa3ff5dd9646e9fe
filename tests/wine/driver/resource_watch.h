#pragma once
// Watching a running process for leaks: its private bytes, kernel handles,
// GDI and USER objects and windows, sampled at a fixed period. A show holds
// more while a transition runs than while a picture stands, so each figure
// is judged by its resting level, the least of a few samples in a row: the
// level at the end may not lie above the level just after a settling time
// by more than a slack, and the process must keep running throughout.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace driver {

struct ResourceSample {
  DWORD atMs = 0;             // since the watch began
  uint64_t privateBytes = 0;  // PROCESS_MEMORY_COUNTERS_EX.PrivateUsage
  uint64_t workingSet = 0;
  uint64_t peakWorkingSet = 0;  // the highest working set the process has had
  DWORD handles = 0;
  bool guiCounts = false;  // GetGuiResources answered (Wine 8 does not)
  bool wineGdi = false;    // gdi counted in Wine's own table instead
  DWORD gdi = 0, user = 0;
  DWORD windows = 0;  // top-level and child windows of the process
};

struct WatchLimits {
  DWORD everyMs = 10000;
  DWORD forMs = 60000;
  DWORD settleMs = 60000;  // growth is judged from here on
  size_t window = 3;       // samples whose least value is a resting level
  uint64_t privateSlack = 4u << 20;
  DWORD gdiSlack = 8, userSlack = 4, handleSlack = 8, windowSlack = 0;
};

// One sample; false with the reason when the process cannot be queried.
bool sampleResources(HANDLE process, DWORD pid, ResourceSample& s, std::string& error);

// Samples every limits.everyMs for limits.forMs, printing each sample and a
// summary through `print`. False with the reason when the process ended,
// fewer than two windows of samples lie after settleMs, or a figure's level
// over the last `window` samples lies above its level over the first
// `window` samples from settleMs on by more than its slack.
bool watchResources(HANDLE process, DWORD pid, const WatchLimits& limits, std::vector<ResourceSample>& samples,
                    std::string& error, const std::function<void(const std::string&)>& print);

}  // namespace driver

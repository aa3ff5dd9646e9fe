#include "resource_watch.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>

namespace driver {
namespace {

struct WindowCount {
  DWORD pid;
  DWORD n;
};

BOOL CALLBACK countChild(HWND, LPARAM p) {
  ++reinterpret_cast<WindowCount*>(p)->n;
  return TRUE;
}

BOOL CALLBACK countTopLevel(HWND w, LPARAM p) {
  auto* c = reinterpret_cast<WindowCount*>(p);
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  if (owner != c->pid) return TRUE;
  ++c->n;
  EnumChildWindows(w, countChild, p);
  return TRUE;
}

// Wine keeps each process's GDI objects in a table of its own, which the
// process environment block points to (GdiSharedHandleTable): 65536
// entries of 24 bytes, a used one with a nonzero type byte. GetGuiResources
// is not implemented there, so this is how the GDI objects are counted.
constexpr size_t kGdiEntries = 0x10000, kGdiEntrySize = 24, kGdiTypeOffset = 14;

bool wineGdiObjects(HANDLE process, DWORD& count) {
  using QueryInfo = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  static const auto query = reinterpret_cast<QueryInfo>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  static const bool onWine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  if (!query || !onWine) return false;
  struct {
    void* reserved1;
    void* peb;
    void* reserved2[2];
    ULONG_PTR pid;
    void* reserved3;
  } basic{};
  if (query(process, 0 /* ProcessBasicInformation */, &basic, sizeof basic, nullptr) != 0 || !basic.peb) return false;
#ifdef _WIN64
  const size_t tableField = 0xF8;
#else
  const size_t tableField = 0x94;
#endif
  void* table = nullptr;
  SIZE_T got = 0;
  if (!ReadProcessMemory(process, static_cast<char*>(basic.peb) + tableField, &table, sizeof table, &got) || !table)
    return false;
  static std::vector<unsigned char> copy(kGdiEntries * kGdiEntrySize);
  if (!ReadProcessMemory(process, table, copy.data(), copy.size(), &got) || got != copy.size()) return false;
  count = 0;
  for (size_t i = 0; i < kGdiEntries; ++i) count += copy[i * kGdiEntrySize + kGdiTypeOffset] != 0;
  return true;
}

std::string kib(uint64_t bytes) { return std::to_string((bytes + 512) / 1024) + " KiB"; }

std::string line(const ResourceSample& s) {
  char buf[256];
  std::snprintf(buf, sizeof buf, "sample %5.1f s: private %8lu KiB  working set %8lu KiB  handles %4lu  gdi %s  user %s  windows %lu",
                s.atMs / 1000.0, static_cast<unsigned long>(s.privateBytes / 1024),
                static_cast<unsigned long>(s.workingSet / 1024), static_cast<unsigned long>(s.handles),
                s.guiCounts || s.wineGdi ? std::to_string(s.gdi).c_str() : "n/a",
                s.guiCounts ? std::to_string(s.user).c_str() : "n/a", static_cast<unsigned long>(s.windows));
  return buf;
}

// One figure of the samples: its least value over the first window from the
// settling time on and over the last window, and its highest value overall.
struct Levels {
  uint64_t early = UINT64_MAX, late = UINT64_MAX, top = 0;
};

template <typename Get>
Levels levelsOf(const std::vector<ResourceSample>& all, size_t firstJudged, size_t window, Get get) {
  Levels l;
  for (size_t i = firstJudged; i < firstJudged + window; ++i) l.early = std::min<uint64_t>(l.early, get(all[i]));
  for (size_t i = all.size() - window; i < all.size(); ++i) l.late = std::min<uint64_t>(l.late, get(all[i]));
  for (const auto& s : all) l.top = std::max<uint64_t>(l.top, get(s));
  return l;
}

}  // namespace

bool sampleResources(HANDLE process, DWORD pid, ResourceSample& s, std::string& error) {
  PROCESS_MEMORY_COUNTERS_EX m{};
  m.cb = sizeof m;
  if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m)) {
    error = "GetProcessMemoryInfo failed (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  s.privateBytes = m.PrivateUsage;
  s.workingSet = m.WorkingSetSize;
  s.peakWorkingSet = m.PeakWorkingSetSize;
  if (!GetProcessHandleCount(process, &s.handles)) s.handles = 0;
  SetLastError(ERROR_SUCCESS);
  s.gdi = GetGuiResources(process, GR_GDIOBJECTS);
  const DWORD gdiError = GetLastError();
  s.user = GetGuiResources(process, GR_USEROBJECTS);
  // A process with a window has GDI objects; none and an error is a system
  // that does not count them.
  s.guiCounts = !(s.gdi == 0 && s.user == 0 && gdiError != ERROR_SUCCESS);
  if (!s.guiCounts) s.wineGdi = wineGdiObjects(process, s.gdi);
  WindowCount c{pid, 0};
  EnumWindows(countTopLevel, reinterpret_cast<LPARAM>(&c));
  s.windows = c.n;
  return true;
}

bool watchResources(HANDLE process, DWORD pid, const WatchLimits& lim, std::vector<ResourceSample>& samples,
                    std::string& error, const std::function<void(const std::string&)>& print) {
  const ULONGLONG t0 = GetTickCount64();
  for (DWORD k = 0;; ++k) {
    const ULONGLONG due = t0 + ULONGLONG(k) * lim.everyMs;
    if (due > t0 + lim.forMs) break;
    const ULONGLONG now = GetTickCount64();
    if (due > now && WaitForSingleObject(process, DWORD(due - now)) != WAIT_TIMEOUT) {
      error = "the process ended during the watch";
      return false;
    }
    if (WaitForSingleObject(process, 0) != WAIT_TIMEOUT) {
      error = "the process ended during the watch";
      return false;
    }
    ResourceSample s;
    s.atMs = DWORD(GetTickCount64() - t0);
    if (!sampleResources(process, pid, s, error)) return false;
    samples.push_back(s);
    print(line(s));
  }

  size_t firstJudged = 0;
  while (firstJudged < samples.size() && samples[firstJudged].atMs + lim.everyMs / 2 < lim.settleMs) ++firstJudged;
  const size_t window = std::max<size_t>(lim.window, 1);
  if (samples.size() < firstJudged + 2 * window) {
    error = "too few samples after the settling time to judge growth";
    return false;
  }
  // What the system does not count is left out: under Wine 8 the private
  // bytes and the handle count of another process read as 0 (the working
  // set stands in for the memory), GetGuiResources is a stub (the GDI
  // objects come from Wine's table, the windows stand in for USER objects).
  const ResourceSample& first = samples.front();
  const bool privateKnown = first.privateBytes > 0;
  struct Figure {
    const char* name;
    bool known;
    uint64_t (*get)(const ResourceSample&);
    uint64_t slack;
    bool bytes;
  };
  const Figure figures[] = {
      {"private bytes", privateKnown, [](const ResourceSample& s) { return s.privateBytes; }, lim.privateSlack, true},
      // The working set also moves with the system's paging (pages taken
      // back and faulted in again swing it by megabytes between samples),
      // so as the stand-in it gets twice the private bytes' slack.
      {"working set", !privateKnown, [](const ResourceSample& s) { return s.workingSet; }, 2 * lim.privateSlack,
       true},
      {"handles", first.handles > 0, [](const ResourceSample& s) { return uint64_t(s.handles); }, lim.handleSlack,
       false},
      {first.wineGdi ? "gdi objects (Wine's table)" : "gdi objects", first.guiCounts || first.wineGdi,
       [](const ResourceSample& s) { return uint64_t(s.gdi); }, lim.gdiSlack, false},
      {"user objects", first.guiCounts, [](const ResourceSample& s) { return uint64_t(s.user); }, lim.userSlack,
       false},
      {"windows", true, [](const ResourceSample& s) { return uint64_t(s.windows); }, lim.windowSlack, false},
  };
  bool ok = true;
  for (const Figure& f : figures) {
    if (!f.known) {
      print(std::string("resources: ") + f.name + " n/a (not counted by this system)");
      continue;
    }
    const Levels l = levelsOf(samples, firstJudged, window, f.get);
    const bool grew = l.late > l.early + f.slack;
    auto show = [&](uint64_t v) { return f.bytes ? kib(v) : std::to_string(v); };
    print(std::string("resources: ") + f.name + " level " + show(l.early) + " after " +
          std::to_string(samples[firstJudged].atMs / 1000) + " s, " + show(l.late) + " at the end, highest " +
          show(l.top) + (grew ? "  GREW" : ""));
    if (grew) {
      if (ok) error = std::string(f.name) + " grew from " + show(l.early) + " to " + show(l.late);
      ok = false;
    }
  }
  return ok;
}

}  // namespace driver

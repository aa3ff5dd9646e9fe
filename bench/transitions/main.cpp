// The time of one RenderFrame for every style, beside the memory floor of a
// frame measured in the same run:
//   memcpy     one frame copied (read one, write one)
//   r2w1       a pass that reads two frames and writes one, which is what a
//              frame inherently does (old picture laid down, new one over it)
// The ratio is against r2w1; the goal is at most 2 for every style. Times
// are the CPU time of this thread, so that other processes on a loaded
// machine do not count against a frame (or against the floor), and the best
// of --reps runs of each.
//
//   vorn_bench_transitions [--styles 0-127] [--sizes 1080p,4k|WxH] [--progress 10,50,90]
//                          [--reps 5] [--json] [--checksum]
//
// --checksum times nothing: it prints one checksum of ScreenBitmap per row
// (random styles seeded anew before each frame), so that a faster path can
// be held against the frames of the one it replaces, at any size.
#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "transition/fake/picture_source.h"
#include "transition/fake/show_rig.h"
#include "transition/frame_context.h"

namespace {

double cpuMs() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

struct Size {
  int32_t w, h;
};

struct Row {
  int style;
  Size size;
  int progress;
  double ms, floorMs, memcpyMs;
};

// The best of the repetitions: what else the machine does (another
// process's memory traffic, pages moved under us) only ever adds time, so
// the fastest run is the one nearest to the work itself.
double best(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

template <class Fn>
double timeMs(int reps, Fn&& fn) {
  std::vector<double> t;
  for (int i = 0; i < reps; ++i) {
    const double a = cpuMs();
    fn();
    t.push_back(cpuMs() - a);
  }
  return best(t);
}

bool parseList(const std::string& s, int lo, int hi, std::vector<int>& out) {
  out.clear();
  size_t start = 0;
  for (;;) {
    const size_t comma = s.find(',', start);
    const std::string part = s.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    const size_t dash = part.find('-', 1);
    const int a = std::atoi(part.c_str());
    const int b = dash == std::string::npos ? a : std::atoi(part.c_str() + dash + 1);
    if (part.empty() || a < lo || b > hi || b < a) return false;
    for (int v = a; v <= b; ++v) out.push_back(v);
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

bool parseSizes(const std::string& s, std::vector<Size>& out) {
  out.clear();
  size_t start = 0;
  for (;;) {
    const size_t comma = s.find(',', start);
    const std::string part = s.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (part == "1080p")
      out.push_back({1920, 1080});
    else if (part == "4k" || part == "4K")
      out.push_back({3840, 2160});
    else {
      int w = 0, h = 0;
      if (std::sscanf(part.c_str(), "%dx%d", &w, &h) != 2 || w <= 0 || h <= 0 || w > 8192 || h > 8192) return false;
      out.push_back({w, h});
    }
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vorn;
  std::vector<int> styles, progresses{10, 50, 90};
  for (int s = 0; s < 128; ++s) styles.push_back(s);
  std::vector<Size> sizes{{1920, 1080}, {3840, 2160}};
  int reps = 5;
  bool json = false, checksum = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool hasValue = i + 1 < argc;
    if (a == "--json") {
      json = true;
    } else if (a == "--checksum") {
      checksum = true;
    } else if (a == "--styles" && hasValue) {
      if (!parseList(argv[++i], 0, 127, styles)) return std::fprintf(stderr, "bad --styles\n"), 2;
    } else if (a == "--progress" && hasValue) {
      if (!parseList(argv[++i], 0, 100, progresses)) return std::fprintf(stderr, "bad --progress\n"), 2;
    } else if (a == "--sizes" && hasValue) {
      if (!parseSizes(argv[++i], sizes)) return std::fprintf(stderr, "bad --sizes\n"), 2;
    } else if (a == "--reps" && hasValue) {
      reps = std::max(1, std::atoi(argv[++i]));
    } else {
      std::fprintf(stderr,
                   "usage: vorn_bench_transitions [--styles 0-127] [--sizes 1080p,4k|WxH] [--progress 10,50,90] "
                   "[--reps N] [--json] [--checksum]\n");
      return 2;
    }
  }

  std::vector<Row> rows;
  for (const Size& size : sizes) {
    const Bitmap24 oldPicture = fake::makePattern(2, size.w, size.h);
    const Bitmap24 newPicture = fake::makePattern(5, size.w, size.h);

    // The floors, on buffers of one frame each.
    Bitmap24 a = oldPicture, b = newPicture, dst(size.w, size.h);
    const size_t bytes = dst.sizeBytes();
    const double memcpyMs = checksum ? 0 : timeMs(reps * 3, [&] { std::memcpy(dst.data(), a.data(), bytes); });
    const double floorMs = checksum ? 0 : timeMs(reps * 3, [&] {
      const uint8_t* pa = a.data();
      const uint8_t* pb = b.data();
      uint8_t* pd = dst.data();
      for (size_t i = 0; i < bytes; ++i) pd[i] = uint8_t((pa[i] + pb[i]) >> 1);
    });

    fake::ShowRig rig(size.w, size.h, 1);
    rig.host.player = nullptr;  // the frame only: no repaint of the window
    for (int style : styles) {
      if (!rig.showAt(oldPicture).ok() || !rig.beginManual(newPicture, style).ok())
        return std::fprintf(stderr, "cannot start style %d\n", style), 1;
      for (int p : progresses) {
        rig.player->SetProgress(p);
        if (checksum) {
          rig.random.seed(1);
          if (rig.player->Progress() == p) rig.player->RenderFrame();
          std::printf("%d %dx%d %d %016llx\n", style, size.w, size.h, p,
                      (unsigned long long)fake::frameChecksum(rig.player->ScreenBitmap()));
          continue;
        }
        // Style 0 ends its run in its first frame; keep the requested value.
        const double ms = timeMs(reps, [&] {
          rig.player->SetProgress(p);
          if (rig.player->Progress() == p) rig.player->RenderFrame();
        });
        rows.push_back({style, size, p, ms, floorMs, memcpyMs});
      }
    }
  }

  if (checksum) return 0;
  if (json) {
    std::printf("[\n");
    for (size_t i = 0; i < rows.size(); ++i) {
      const Row& r = rows[i];
      std::printf("  {\"style\": %d, \"width\": %d, \"height\": %d, \"progress\": %d, \"ms\": %.3f, \"floor_ms\": %.3f, "
                  "\"ratio\": %.2f}%s\n",
                  r.style, r.size.w, r.size.h, r.progress, r.ms, r.floorMs, r.ms / r.floorMs,
                  i + 1 < rows.size() ? "," : "");
    }
    std::printf("]\n");
    return 0;
  }
  std::printf("%5s %11s %4s %9s %10s %10s %6s\n", "style", "size", "p", "ms", "r2w1 ms", "memcpy ms", "ratio");
  for (const Row& r : rows)
    std::printf("%5d %5dx%-5d %4d %9.3f %10.3f %10.3f %6.2f\n", r.style, r.size.w, r.size.h, r.progress, r.ms,
                r.floorMs, r.memcpyMs, r.ms / r.floorMs);
  std::vector<Row> worst = rows;
  std::sort(worst.begin(), worst.end(), [](const Row& x, const Row& y) { return x.ms / x.floorMs > y.ms / y.floorMs; });
  std::printf("worst ratios:");
  for (size_t i = 0; i < std::min<size_t>(5, worst.size()); ++i)
    std::printf(" style %d %dx%d p%d %.2f;", worst[i].style, worst[i].size.w, worst[i].size.h, worst[i].progress,
                worst[i].ms / worst[i].floorMs);
  std::printf("\n");
  return 0;
}

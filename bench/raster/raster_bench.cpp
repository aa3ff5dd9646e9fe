// Milliseconds per operation on full frames, each beside a memcpy of the same
// frame measured in the same run, so the ratio means something on a busy
// machine. Run: build/native/bench/raster/vorn_bench_raster [repeats]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <random>
#include <vector>

#include "raster/canvas.h"
#include "raster/region.h"

using namespace vorn;

namespace {

volatile uint8_t sink;

// CPU time of this thread: on a shared machine wall time mostly measures
// the other processes.
double cpuMs() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Best of `reps` runs, in milliseconds.
double timeMs(int reps, const std::function<void()>& fn) {
  double best = 1e30;
  for (int i = 0; i < reps; ++i) {
    const double t0 = cpuMs();
    fn();
    best = std::min(best, cpuMs() - t0);
  }
  return best;
}

Bitmap24 noise(int32_t w, int32_t h) {
  Bitmap24 b(w, h);
  std::mt19937 rng(1);
  for (size_t i = 0; i < b.sizeBytes(); ++i) b.data()[i] = uint8_t(rng());
  return b;
}

}  // namespace

int main(int argc, char** argv) {
  const int reps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  const int32_t sizes[][2] = {{1920, 1080}, {3840, 2160}};
  std::printf("%-38s %10s %10s %7s\n", "operation", "ms", "memcpy ms", "ratio");
  for (const auto& s : sizes) {
    const int32_t W = s[0], H = s[1];
    const Bitmap24 src = noise(W, H), half = noise(W / 2, H / 2);
    Bitmap24 dst(W, H);
    std::vector<uint8_t> a(src.sizeBytes()), b(src.sizeBytes(), 1);
    Canvas c(dst);
    std::mt19937 rng(2);
    Region clip;
    for (int k = 0; k < 200; ++k) {
      const int32_t x = int32_t(rng() % uint32_t(W)), y = int32_t(rng() % uint32_t(H));
      clip.addRect(Rect{x, y, x + W / 8, y + H / 20});
    }
    struct Op {
      const char* name;
      std::function<void()> fn;
    } ops[] = {
        {"full-frame draw", [&] { c.draw(src, 0, 0); }},
        {"1:1 stretch", [&] { c.stretchCopy(Rect{0, 0, W, H}, src, Rect{0, 0, W, H}); }},
        {"2x enlarge (half frame -> frame)", [&] { c.stretchCopy(Rect{0, 0, W, H}, half, Rect{0, 0, W / 2, H / 2}); }},
        {"0.5x shrink (frame -> half frame)", [&] { c.stretchCopy(Rect{0, 0, W / 2, H / 2}, src, Rect{0, 0, W, H}); }},
        {"squeeze sideways (frame -> 2/3 width)", [&] { c.stretchCopy(Rect{0, 0, W * 2 / 3, H}, src, Rect{0, 0, W, H}); }},
        {"reach sideways (2/3 width -> frame)", [&] { c.stretchCopy(Rect{0, 0, W, H}, src, Rect{0, 0, W * 2 / 3, H}); }},
        {"mirrored copy (left-right)", [&] { c.stretchCopy(Rect{W - 1, 0, -1, H}, src, Rect{0, 0, W, H}); }},
        {"draw through 200-rect region", [&] {
           c.selectClip(clip);
           c.draw(src, 0, 0);
           c.removeClip();
         }},
    };
    std::printf("-- %dx%d\n", W, H);
    for (const Op& op : ops) {
      op.fn();  // warm up (and size the canvas's tables)
      double t = 0, m = 0;
      // Interleave so both see the same machine load.
      for (int round = 0; round < 3; ++round) {
        const double tm = timeMs(reps / 3 + 1, op.fn);
        const double mm = timeMs(reps / 3 + 1, [&] {
          std::memcpy(a.data(), b.data(), a.size());
          sink = a[a.size() / 2];
        });
        t = round == 0 ? tm : std::min(t, tm);
        m = round == 0 ? mm : std::min(m, mm);
      }
      std::printf("%-38s %10.3f %10.3f %7.2f\n", op.name, t, m, t / m);
    }
    // Region building like the random-squares style: a grid of overlapping
    // squares, about half of the grid points used.
    const int32_t d = std::min(W, H) / 50 + 5;
    std::vector<Rect> squares;
    const double rt = timeMs(reps, [&] {
      squares.clear();
      std::mt19937 r2(3);
      for (int32_t y = 0; y < H; y += d)
        for (int32_t x = 0; x < W; x += d)
          if (r2() % 100 < 50) squares.push_back(Rect{x - d, y - d, x + d, y + d});
      sink = uint8_t(Region::fromRects(squares.data(), squares.size()).bandCount());
    });
    std::printf("%-38s %10.3f   (grid step %d, %d points)\n", "squares region build", rt, d,
                int((W / d + 1) * (H / d + 1)));
  }
  return 0;
}

// Frame cost of the masked styles at 1080p and 4K: the old picture laid
// down, M built, the new picture drawn through it, averaged over the frames
// of a run (progress 10 .. 90 in steps of 10; the last frame is a plain
// draw). Printed beside a floor measured in the same run: one memcpy of a
// frame.
//
//   vorn_bench_masked [repeats] [style ...]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <tuple>
#include <vector>

#include "platform/random.h"
#include "raster/bitmap24.h"
#include "raster/canvas.h"
#include "raster/region.h"
#include "transition/frame_context.h"
#include "transition/masked_styles.h"

using namespace vorn;
using Clock = std::chrono::steady_clock;

namespace {

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

Bitmap24 noise(int32_t W, int32_t H, uint32_t seed) {
  Bitmap24 b(W, H);
  uint32_t s = seed;
  for (size_t i = 0; i < b.sizeBytes(); ++i) {
    s = s * 1103515245u + 12345u;
    b.data()[i] = uint8_t(s >> 24);
  }
  return b;
}

double floorPerFrame(const Bitmap24& from, Bitmap24& to, int repeats) {
  double best = 1e9;
  for (int k = 0; k < 5; ++k) {
    const auto t0 = Clock::now();
    for (int r = 0; r < repeats; ++r) {
      std::memcpy(to.data(), from.data(), from.sizeBytes());
      asm volatile("" ::: "memory");
    }
    best = std::min(best, seconds(Clock::now() - t0) / repeats);
  }
  return best;
}

struct Cost {
  double frame, build;
};

Cost styleCost(int style, const Bitmap24& oldImage, const Bitmap24& newImage, Bitmap24& screen,
               int repeats) {
  LcgRandom random(2024);
  double best = 1e9, bestBuild = 1e9;
  for (int k = 0; k < 3; ++k) {
    double total = 0, build = 0;
    int frames = 0;
    for (int r = 0; r < repeats; ++r) {
      for (int32_t p = 10; p <= 90; p += 10) {
        const auto t0 = Clock::now();
        Canvas c(screen);
        c.draw(oldImage, 0, 0);
        FrameContext f{screen, newImage, oldImage,
                       FrameGeometry::compute(screen.width(), screen.height(), p, 10), random,
                       Rect{0, 0, screen.width(), screen.height()},
                       Rect{0, 0, screen.width(), screen.height()}, nullptr, nullptr};
        const auto t1 = Clock::now();
        maskedStyle(style, f);
        f.M->empty();  // settle any lazily merged parts inside the build time
        const auto t2 = Clock::now();
        c.selectClip(*f.M);
        c.draw(newImage, 0, 0);
        c.removeClip();
        f.M.reset();
        const auto t3 = Clock::now();
        total += seconds(t3 - t0);
        build += seconds(t2 - t1);
        ++frames;
      }
    }
    best = std::min(best, total / frames);
    bestBuild = std::min(bestBuild, build / frames);
  }
  return Cost{best, bestBuild};
}

}  // namespace

int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2;
  std::vector<int> styles;
  for (int i = 2; i < argc; ++i) styles.push_back(std::atoi(argv[i]));
  if (styles.empty())
    for (int s = 0; s < 128; ++s)
      if (isMaskedStyle(s)) styles.push_back(s);

  struct Row {
    int style;
    const char* size;
    double ratio;
  };
  std::vector<Row> rows;
  for (auto [W, H, name] : {std::tuple{1920, 1080, "1080p"}, std::tuple{3840, 2160, "4K"}}) {
    const Bitmap24 oldImage = noise(W, H, 1), newImage = noise(W, H, 2);
    Bitmap24 screen(W, H);
    const double floor = floorPerFrame(oldImage, screen, 20);
    std::printf("%s: floor (memcpy of one frame) %.3f ms\n", name, floor * 1e3);
    std::printf("  style   frame ms   build ms   x floor\n");
    for (int style : styles) {
      const Cost c = styleCost(style, oldImage, newImage, screen, repeats);
      std::printf("  %5d   %8.3f   %8.3f   %7.2f\n", style, c.frame * 1e3, c.build * 1e3,
                  c.frame / floor);
      rows.push_back(Row{style, name, c.frame / floor});
    }
  }
  std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.ratio > b.ratio; });
  std::printf("worst ratios:");
  for (size_t i = 0; i < rows.size() && i < 5; ++i)
    std::printf("  %d@%s %.2f", rows[i].style, rows[i].size, rows[i].ratio);
  std::printf("\n");
  return 0;
}

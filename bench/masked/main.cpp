// Where the time of a masked frame goes, at 1080p and 4K, averaged over the
// frames of a run (progress 10 .. 90 in steps of 10; the last frame is a
// plain draw): the whole frame (old picture laid down, M built, new picture
// drawn through it by the canvas), the building of M alone, and the same
// frame with the spans of M copied by a bare memcpy loop (what the region
// itself costs to draw through). Times are the thread's CPU time, so other
// work on the machine disturbs them less; the floor, measured in the same
// run, is one memcpy of a frame.
//
//   vorn_bench_masked [repeats] [style ...]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
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
// The thread's CPU time.
struct Clock {
  using duration = std::chrono::nanoseconds;
  using time_point = std::chrono::time_point<Clock, duration>;
  static time_point now() {
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return time_point(duration(int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec));
  }
};

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
  double frame, build, bare;
};

// The new picture's pixels inside M copied span by span, with nothing but
// memcpy per span.
void bareDraw(const Region& m, const Bitmap24& src, Bitmap24& dst) {
  const int32_t W = dst.width(), H = dst.height();
  for (size_t i = 0; i < m.bandCount(); ++i) {
    const Region::Band b = m.band(i);
    const int32_t y0 = std::max(b.top, 0), y1 = std::min(b.bottom, H);
    for (int32_t y = y0; y < y1; ++y)
      for (const Region::Span* s = b.first; s != b.last; ++s) {
        const int32_t x0 = std::max(s->left, 0), x1 = std::min(s->right, W);
        if (x0 < x1) std::memcpy(dst.row(y) + 3 * x0, src.row(y) + 3 * x0, 3 * size_t(x1 - x0));
      }
  }
}

Cost styleCost(int style, const Bitmap24& oldImage, const Bitmap24& newImage, Bitmap24& screen,
               int repeats) {
  LcgRandom random(2024);
  double best = 1e9, bestBuild = 1e9, bestBare = 1e9;
  for (int k = 0; k < 3; ++k) {
    double total = 0, build = 0, bare = 0;
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
        const auto t2 = Clock::now();
        c.selectClip(*f.M);
        c.draw(newImage, 0, 0);
        c.removeClip();
        const auto t3 = Clock::now();
        std::memcpy(screen.data(), oldImage.data(), oldImage.sizeBytes());
        bareDraw(*f.M, newImage, screen);
        const auto t4 = Clock::now();
        f.M.reset();
        total += seconds(t3 - t0);
        build += seconds(t2 - t1);
        bare += seconds(t4 - t3) + seconds(t2 - t1);
        ++frames;
      }
    }
    best = std::min(best, total / frames);
    bestBuild = std::min(bestBuild, build / frames);
    bestBare = std::min(bestBare, bare / frames);
  }
  return Cost{best, bestBuild, bestBare};
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
    std::printf("  style   frame ms   build ms   bare ms   x floor   bare x floor\n");
    for (int style : styles) {
      const Cost c = styleCost(style, oldImage, newImage, screen, repeats);
      std::printf("  %5d   %8.3f   %8.3f   %7.3f   %7.2f   %12.2f\n", style, c.frame * 1e3,
                  c.build * 1e3, c.bare * 1e3, c.frame / floor, c.bare / floor);
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

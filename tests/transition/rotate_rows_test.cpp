#include "transition/rotate_rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "support/noise_bitmap.h"

using namespace vorn;
using namespace vorn::rotate;

namespace {

struct Path {
  const char* name;
  CopyFn fn;
  bool available;
};

std::vector<Path> widePaths() {
  return {{"avx2", copyAvx2, haveAvx2()}, {"avx512", copyAvx512, haveAvx512()}};
}

// The longest run from pixel 0 whose biased coordinates stay inside the
// source, as the rotation's row runs guarantee for every segment.
int32_t insideRun(const Bitmap24& s, int64_t eu, int64_t ev, int64_t C, int64_t S, int32_t limit) {
  int32_t n = 0;
  for (; n < limit; ++n, eu += C, ev += S) {
    const int64_t u = eu >> kFracBits, v = ev >> kFracBits;
    if (eu < 0 || ev < 0 || u >= s.width() || v >= s.height()) break;
  }
  return n;
}

// Runs one segment through the plain loop and through `fn` on copies of the
// same random row; both must stop at the same pixel and leave every byte,
// including those past the segment, the same.
int32_t expectSame(const Path& path, const Bitmap24& s, int64_t eu, int64_t ev, int64_t C, int64_t S, int32_t x0,
                   int32_t b, uint32_t seed) {
  const Segment g{s.data(), int64_t(s.stride()), int64_t(s.sizeBytes()) - 4, C, S};
  std::mt19937 rng(seed);
  std::vector<uint8_t> plain(3 * size_t(b) + 32);
  for (uint8_t& v : plain) v = uint8_t(rng());
  std::vector<uint8_t> wide = plain;
  const int32_t stopPlain = copyPlain(g, plain.data() + 3 * size_t(x0), eu, ev, x0, b);
  const int32_t stopWide = path.fn(g, wide.data() + 3 * size_t(x0), eu, ev, x0, b);
  EXPECT_EQ(stopWide, stopPlain) << path.name << " C " << C << " S " << S;
  EXPECT_TRUE(wide == plain) << path.name << " C " << C << " S " << S << " from " << x0 << " to " << b;
  return stopPlain;
}

}  // namespace

TEST(RotateRows, WideLoopsCopyExactlyThePlainLoopsPixelsAtRandomAngles) {
  std::mt19937_64 rng(7);
  for (auto [w, h] : {std::pair{97, 61}, std::pair{64, 40}, std::pair{333, 9}}) {
    const Bitmap24 s = vorn::testing::noise(w, h, uint32_t(w + h));
    for (const Path& path : widePaths()) {
      if (!path.available) continue;
      for (int i = 0; i < 3000; ++i) {
        const long double theta = std::uniform_real_distribution<double>(0, 1.5707963)(rng);
        const int64_t C = std::llrint(std::ldexp(std::cos(theta), kFracBits));
        const int64_t S = std::llrint(std::ldexp(std::sin(theta), kFracBits));
        const int64_t eu = int64_t(rng() % uint64_t(w / 2)) * kOne + int64_t(rng() & kFracMask);
        const int64_t ev = int64_t(rng() % uint64_t(h / 2)) * kOne + int64_t(rng() & kFracMask);
        const int32_t x0 = int32_t(rng() % 5);
        const int32_t n = insideRun(s, eu, ev, C, S, int32_t(rng() % 80));
        expectSame(path, s, eu, ev, C, S, x0, x0 + n, uint32_t(i));
      }
    }
  }
}

TEST(RotateRows, WideLoopsStopWhereACoordinateLiesOnARoundingEdge) {
  // A step of exactly a half puts every other pixel on an edge; a start a
  // hair from one puts the first pixel there. The plain loop stops there,
  // and so must the wide ones, having written nothing past it.
  const Bitmap24 s = vorn::testing::noise(200, 200, 3);
  const int64_t half = kOne / 2;
  for (const Path& path : widePaths()) {
    if (!path.available) continue;
    for (int32_t lead = 0; lead < 12; ++lead) {
      // u starts a whole number of half steps before an edge.
      const int64_t eu = 10 * kOne + (lead % 2) * half + 1, ev = 50 * kOne + half;
      EXPECT_LT(expectSame(path, s, eu, ev, half, int64_t(kMargin), 0, 60, uint32_t(lead)), 60);
      expectSame(path, s, ev, eu - int64_t(kMargin) / 2, kOne / 3, half, 3, 40, uint32_t(lead));
    }
    expectSame(path, s, 20 * kOne + 5, 20 * kOne + half, kOne / 5, 0, 0, 40, 1);
  }
}

TEST(RotateRows, WideLoopsDoNotReadPastTheLastPixelOfATightSource) {
  // 64 pixels a row: rows are exactly 192 bytes, so the last pixel of the
  // last row has nothing behind it, and a 4-byte load there would leave
  // the buffer.
  const Bitmap24 s = vorn::testing::noise(64, 6, 5);
  ASSERT_EQ(s.stride(), 192u);
  for (const Path& path : widePaths()) {
    if (!path.available) continue;
    for (int32_t start = 40; start < 64; ++start) {
      const int64_t eu = start * kOne + kOne / 2, ev = 5 * kOne + kOne / 2;
      expectSame(path, s, eu, ev, kOne, 0, 0, 64 - start, uint32_t(start));
    }
  }
}

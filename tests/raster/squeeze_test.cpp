#include <gtest/gtest.h>

#include <random>

#include "raster/canvas.h"
#include "raster/stretch_map.h"

using namespace vorn;

namespace {

Bitmap24 randomPixels(int32_t w, int32_t h, std::mt19937& rng) {
  Bitmap24 b(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w * 3; ++x) b.row(y)[x] = uint8_t(rng() | rng());  // mostly set bits, so ANDs show
  return b;
}

// Source position for the m-th source pixel along an extent from `org` with
// signed length `len`.
int64_t along(int64_t org, int64_t len, int64_t m) { return len > 0 ? org + m : org - m; }

// The rule itself, one destination pixel at a time: the destination pixel k
// pixels along the destination extent (mirrored when negative) is the AND of
// every source pixel the mapping gives it that lies inside the source; with
// none inside, it keeps its value.
void plainStretch(Bitmap24& t, const Rect& d, const Bitmap24& s, const Rect& r, const Region* clip) {
  const int64_t dw = int64_t(d.right) - d.left, dh = int64_t(d.bottom) - d.top;
  const int64_t sw = int64_t(r.right) - r.left, sh = int64_t(r.bottom) - r.top;
  if (dw == 0 || dh == 0 || sw == 0 || sh == 0) return;
  for (int64_t ky = 0; ky < (dh < 0 ? -dh : dh); ++ky) {
    const int64_t y = along(d.top, dh, ky);
    if (y < 0 || y >= t.height()) continue;
    const StretchRange ry = stretchSources(ky, sh < 0 ? -sh : sh, dh < 0 ? -dh : dh);
    for (int64_t kx = 0; kx < (dw < 0 ? -dw : dw); ++kx) {
      const int64_t x = along(d.left, dw, kx);
      if (x < 0 || x >= t.width() || (clip && !clip->contains(int32_t(x), int32_t(y)))) continue;
      const StretchRange rx = stretchSources(kx, sw < 0 ? -sw : sw, dw < 0 ? -dw : dw);
      Color c = 0xFFFFFF;
      bool any = false;
      for (int64_t my = ry.first; my < ry.first + ry.count; ++my)
        for (int64_t mx = rx.first; mx < rx.first + rx.count; ++mx) {
          const int64_t sx = along(r.left, sw, mx), sy = along(r.top, sh, my);
          if (sx < 0 || sx >= s.width() || sy < 0 || sy >= s.height()) continue;
          c &= s.pixel(int32_t(sx), int32_t(sy));
          any = true;
        }
      if (any) t.setPixel(int32_t(x), int32_t(y), c);
    }
  }
}

}  // namespace

// Sideways squeezes of every strength, alone and with rows combined, mirrored
// either way, reaching past the source and the target, through clips; source
// widths both with and without row padding.
TEST(CanvasSqueeze, SidewaysShrinkMatchesThePlainRuleByteForByte) {
  std::mt19937 rng(2026);
  auto pick = [&](int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(rng); };
  for (int round = 0; round < 400; ++round) {
    const int32_t sw = pick(1, 260), sh = pick(1, 40);
    const Bitmap24 src = randomPixels(sw, sh, rng);
    Bitmap24 t = randomPixels(pick(1, 200), pick(1, 40), rng), want = t;
    // Source extent wider than the destination's, most of the time.
    const int32_t srcLen = pick(1, sw + 20) * (pick(0, 4) == 0 ? -1 : 1);
    const int32_t strength = pick(0, 3);
    int32_t dstLen = strength == 0 ? pick(1, 300) : std::max(1, std::abs(srcLen) / (strength == 1 ? 2 : strength * 3) + pick(-3, 3));
    if (pick(0, 4) == 0) dstLen = -dstLen;
    int32_t dstRows = pick(-50, 50);
    if (dstRows == 0) dstRows = 1;
    Rect r{pick(-10, sw), pick(-5, sh), 0, 0};
    if (srcLen < 0) r.left = pick(0, sw + 10);
    r.right = r.left + srcLen;
    r.bottom = r.top + (pick(0, 5) == 0 ? -pick(1, sh) : pick(1, sh));
    Rect d{pick(-40, t.width()), pick(-10, t.height()), 0, 0};
    d.right = d.left + dstLen;
    d.bottom = d.top + dstRows;
    Canvas c(t);
    Region clip;
    const bool clipped = round % 4 == 0;
    if (clipped) {
      clip = Region::ellipse(Rect{pick(-20, 100), pick(-10, 20), pick(0, 220), pick(0, 50)});
      c.selectClip(clip);
    }
    c.stretchCopy(d, src, r);
    plainStretch(want, d, src, r, clipped ? &clip : nullptr);
    ASSERT_TRUE(t == want) << "round " << round << " src " << sw << "x" << sh << " d " << d.left << "," << d.top
                           << "," << d.right << "," << d.bottom << " r " << r.left << "," << r.top << "," << r.right
                           << "," << r.bottom << " clipped " << clipped;
  }
}

TEST(CanvasSqueeze, WholeRowSqueezesOfTightSourcesKeepTheirLastPixel) {
  std::mt19937 rng(7);
  // Widths that are multiples of four leave no padding after the last pixel.
  for (const int32_t sw : {4, 8, 64, 256}) {
    const Bitmap24 src = randomPixels(sw, 6, rng);
    for (int32_t dw = 1; dw < sw; dw += 1 + dw / 3)
      for (const int32_t dh : {6, 3, -6, 1}) {
        Bitmap24 t = randomPixels(sw, 6, rng), want = t;
        const Rect d{0, dh < 0 ? 5 : 0, dw, dh < 0 ? 5 + dh : dh};
        Canvas(t).stretchCopy(d, src, Rect{0, 0, sw, 6});
        plainStretch(want, d, src, Rect{0, 0, sw, 6}, nullptr);
        ASSERT_TRUE(t == want) << sw << " -> " << dw << "x" << dh;
      }
  }
}

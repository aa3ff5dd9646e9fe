// Conformance of the masked styles' regions with the platform's own region
// calls: the same recorded shapes (same seeded random draws) go once through
// CreateRectRgn / CreateRoundRectRgn / CreatePolygonRgn / CombineRgn and once
// through our builders, and the pixels inside the picture must agree.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "../masked_test_support.h"
#include "platform/random.h"
#include "raster/bitmap24.h"
#include "raster/canvas.h"
#include "support/gdi_surface.h"
#include "transition/frame_context.h"
#include "transition/mask_region.h"
#include "transition/masked_styles.h"

using namespace vorn;
using vorn::test::PixelMask;

namespace {

struct Rgn {
  HRGN h;
  explicit Rgn(HRGN r) : h(r) {}
  ~Rgn() { DeleteObject(h); }
  Rgn(const Rgn&) = delete;
  Rgn& operator=(const Rgn&) = delete;
};

void orInto(HRGN acc, HRGN part) {
  CombineRgn(acc, acc, part, RGN_OR);
  DeleteObject(part);
}

HRGN platformUnion(const ShapeUnion& u) {
  HRGN acc = CreateRectRgn(0, 0, 0, 0);
  for (const Rect& r : u.rects) orInto(acc, CreateRectRgn(r.left, r.top, r.right, r.bottom));
  for (const RoundRectShape& r : u.roundRects)
    orInto(acc, CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, r.ew, r.eh));
  for (const TriangleShape& t : u.triangles) {
    POINT pts[3];
    for (int k = 0; k < 3; ++k) pts[k] = POINT{LONG(t.p[k].x), LONG(t.p[k].y)};
    orInto(acc, CreatePolygonRgn(pts, 3, WINDING));
  }
  return acc;
}

HRGN platformMask(const MaskPlan& plan) {
  HRGN m = platformUnion(plan.first);
  if (plan.join != MaskJoin::None) {
    Rgn second(platformUnion(plan.second));
    CombineRgn(m, m, second.h, plan.join == MaskJoin::Intersect ? RGN_AND : RGN_XOR);
  }
  return m;
}

PixelMask paintPlatform(HRGN r, int32_t W, int32_t H) {
  PixelMask m(W, H);
  const DWORD size = GetRegionData(r, 0, nullptr);
  std::vector<uint8_t> buf(size);
  auto* data = reinterpret_cast<RGNDATA*>(buf.data());
  if (size == 0 || GetRegionData(r, size, data) == 0) return m;
  const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
  for (DWORD i = 0; i < data->rdh.nCount; ++i)
    m.fill(Rect{rects[i].left, rects[i].top, rects[i].right, rects[i].bottom});
  return m;
}

PixelMask paintOurs(const Region& r, int32_t W, int32_t H) {
  PixelMask m(W, H);
  for (const Rect& q : r.rects()) m.fill(q);
  return m;
}

int64_t differing(const PixelMask& a, const PixelMask& b) {
  int64_t n = 0;
  for (size_t i = 0; i < a.on.size(); ++i) n += a.on[i] != b.on[i];
  return n;
}

}  // namespace

TEST(MaskedOracle, EveryStyleGivesThePlatformsPixelsForSeededFrames) {
  MaskRegionBuilder builder;
  for (int style = 58; style <= 127; ++style) {
    if (!isMaskedStyle(style)) continue;
    for (auto [W, H] : {std::pair{123, 77}, {96, 128}, {5, 3}}) {
      for (int32_t p : {0, 1, 17, 50, 63, 98, 100}) {
        for (uint32_t seed : {1u, 0xBADC0DEu}) {
          LcgRandom random(seed + uint32_t(style));
          MaskPlan plan;
          ASSERT_TRUE(planMaskedStyle(style, FrameGeometry::compute(W, H, p, 10), random, plan));
          Rgn platform(platformMask(plan));
          const Region ours = builder.build(plan, W, H);
          EXPECT_EQ(differing(paintPlatform(platform.h, W, H), paintOurs(ours, W, H)), 0)
              << "style " << style << " at " << p << " on " << W << "x" << H << " seed " << seed;
        }
      }
    }
  }
}

TEST(MaskedOracle, FrameDrawnThroughThePlatformClipMatchesOurs) {
  // The whole finishing step once on the platform: a DIB section holding the
  // old picture, clipped to the platform's region, the new picture blitted
  // through it.
  const int32_t W = 150, H = 90;
  Bitmap24 oldImage(W, H), newImage(W, H);
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x) {
      oldImage.setPixel(x, y, rgb(uint8_t(x), uint8_t(y), 40));
      newImage.setPixel(x, y, rgb(200, uint8_t(x + y), uint8_t(x * 3)));
    }
  vorn::testing::GdiSurface screen(W, H), source(newImage);
  ASSERT_TRUE(screen.ok() && source.ok());
  MaskRegionBuilder builder;
  for (int style : {58, 62, 67, 83, 85, 92, 99, 104, 109, 114, 117, 123, 126, 127}) {
    LcgRandom random(uint32_t(style) * 31u);
    MaskPlan plan;
    planMaskedStyle(style, FrameGeometry::compute(W, H, 44, 10), random, plan);
    // Platform frame.
    screen.load(oldImage);
    Rgn platform(platformMask(plan));
    ExtSelectClipRgn(screen.dc(), platform.h, RGN_AND);
    BitBlt(screen.dc(), 0, 0, W, H, source.dc(), 0, 0, SRCCOPY);
    SelectClipRgn(screen.dc(), nullptr);
    // Our frame.
    Bitmap24 ours = oldImage;
    Canvas c(ours);
    c.selectClip(builder.build(plan, W, H));
    c.draw(newImage, 0, 0);
    c.removeClip();
    EXPECT_EQ(vorn::testing::differingPixels(screen.pixels(), ours), 0) << "style " << style;
  }
}

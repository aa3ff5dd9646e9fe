#pragma once
// The shapes a masked style asks for in one frame, before they become a
// region. The builders only record primitives (with every random draw made in
// its loop order), so the same list can be turned into our region, or handed
// to the platform's own region calls in the conformance test, and both sides
// consume identical parameters.
#include <cstdint>
#include <vector>

#include "raster/rect.h"

namespace vorn {

// RR(L, T, R, B, ew, eh): a rectangle whose corners are rounded by an ellipse
// ew wide and eh high, with the platform's rounded-rectangle region rule.
struct RoundRectShape {
  int32_t left = 0, top = 0, right = 0, bottom = 0, ew = 0, eh = 0;
  friend bool operator==(const RoundRectShape&, const RoundRectShape&) = default;
};

// TR(P1, P2, P3), filled by the nonzero winding rule.
struct TriangleShape {
  Point p[3];
  friend bool operator==(const TriangleShape&, const TriangleShape&) = default;
};

// A union of shapes. Rectangles are kept exactly as computed: they may be
// inverted (the platform's rectangle region swaps the edges then) or reach
// outside the picture.
struct ShapeUnion {
  std::vector<Rect> rects;
  std::vector<RoundRectShape> roundRects;
  std::vector<TriangleShape> triangles;

  void clear() {
    rects.clear();
    roundRects.clear();
    triangles.clear();
  }
  bool noShapes() const { return rects.empty() && roundRects.empty() && triangles.empty(); }
};

// How the second union joins the first one.
enum class MaskJoin { None, Intersect, Xor };

// M of one frame: `first`, optionally intersected or exclusive-or'ed with
// `second`.
struct MaskPlan {
  ShapeUnion first;
  MaskJoin join = MaskJoin::None;
  ShapeUnion second;

  void clear() {
    first.clear();
    join = MaskJoin::None;
    second.clear();
  }
};

// The platform's rectangle region rule: an inverted rectangle is taken with
// its edges swapped, not as empty.
constexpr Rect normalizedRect(const Rect& r) {
  return Rect{r.left < r.right ? r.left : r.right, r.top < r.bottom ? r.top : r.bottom,
              r.left < r.right ? r.right : r.left, r.top < r.bottom ? r.bottom : r.top};
}

}  // namespace vorn

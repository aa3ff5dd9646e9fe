#pragma once
// The rectangle styles 1..57 as data: for each style the copies of a frame,
// extra copies first, the final copy (D <- R) last.
#include <cstddef>

#include "transition/frame_context.h"

namespace vorn {

enum class Mirror { None, LeftRight, TopBottom };

struct RectCopy {
  Rect D;  // destination in ScreenBitmap
  Rect R;  // source in NewImage
  Mirror mirror = Mirror::None;
};

constexpr size_t kMaxRectCopies = 4;

// Fills out with the copies of the style's frame (the last one is the final
// D <- R); returns their number, 0 for a style outside 1..57.
size_t rectangleCopies(int style, const FrameGeometry& g, RectCopy out[kMaxRectCopies]);

// What a mirrored copy does to its destination before the stretch: the
// mirrored axis is reversed and reaches one pixel past each side. The
// result has left > right (or top > bottom), which a stretch copy mirrors.
Rect mirroredDestination(const Rect& D, Mirror mirror);
// The pixels a copy's destination really covers (for invalidation).
Rect coveredArea(const RectCopy& c);

}  // namespace vorn

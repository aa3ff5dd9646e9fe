#pragma once
// The region builders of the masked styles. Each appends the primitives of
// its shape to a ShapeUnion (which unites them); random choices are drawn
// from the given source in the builders' loop order, so a seeded source
// replays a frame exactly. W and H are the picture's size.
#include <cstdint>

#include "platform/random.h"
#include "transition/mask_plan.h"

namespace vorn {

// J(c) = Random(c) - Random(c), first draw minus second. A draw is made even
// for c = 0 (it then gives 0), so the sequence does not depend on c.
int32_t jitter(Random& random, int32_t c);

// Teeth in bands five pixels thick: A and B the horizontal and vertical tooth
// lengths, hk and vk the kinds (0 none, 1..5), s the snap distance.
void CombRegion(int32_t W, int32_t H, int32_t A, int32_t B, int hk, int vk, int32_t s,
                ShapeUnion& out);

// Bands five pixels apart whose ends jitter (kinds 1..4 per axis).
void ZigzagRegion(int32_t W, int32_t H, int32_t A, int32_t B, int hk, int vk, Random& random,
                  ShapeUnion& out);

// A solid edge with blocks scattered ahead of it (kinds 1 and 2 per axis).
void RaggedRegion(int32_t W, int32_t H, int32_t A, int32_t B, int hk, int vk, Random& random,
                  ShapeUnion& out);

// Random squares on a grid whose step and fill grow with the progress p.
void SquaresRegion(int32_t W, int32_t H, int32_t p, Random& random, ShapeUnion& out);

void TriangleRegion(Point p1, Point p2, Point p3, ShapeUnion& out);

inline void RoundRectRegion(int32_t l, int32_t t, int32_t r, int32_t b, int32_t ew, int32_t eh,
                            ShapeUnion& out) {
  out.roundRects.push_back(RoundRectShape{l, t, r, b, ew, eh});
}

}  // namespace vorn

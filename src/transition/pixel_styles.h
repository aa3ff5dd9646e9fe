#pragma once
// The two pixel operations behind styles 118 to 122, exposed for the style
// table and for the tests that hold them against a plain reference.
#include <cstdint>

#include "raster/bitmap24.h"

namespace vorn {

// Every byte: target * (100 - p) div 100 + p * source div 100 (each product
// divided, truncating, before the sum). p is 0..100. With `under`, the
// target's bytes are first taken from it (same size as target), in the
// same pass.
void BlendImages(Bitmap24& target, const Bitmap24& source, int32_t p, const Bitmap24* under = nullptr);

// The angle of styles 119..122 at progress p, in extended precision:
// (100 - p) * pi / 200.
long double rotationAngle(int32_t p);

// Every target pixel (x, y) takes source pixel (u, v) with
//   u = cx + nearest(dx cos t - dy sin t), v = cy + nearest(dx sin t + dy cos t),
//   dx = x - cx, dy = y - cy,
// nearest rounding halves to even, computed in extended precision; pixels
// whose (u, v) falls outside the source keep what they had, or with
// `under` (same size as target) take its pixel.
void RotateImage(Bitmap24& target, const Bitmap24& source, int32_t cx, int32_t cy, long double theta,
                 const Bitmap24* under = nullptr);

}  // namespace vorn

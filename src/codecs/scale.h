#pragma once
// The high-quality stretch used to place a picture: area averaging along an
// axis that shrinks, bilinear interpolation along one that grows, both on the
// stored (sRGB-encoded) values, so a flat colour stays exactly flat and a
// shrink never skips source pixels. This is for showing pictures; transition
// styles that must match the platform's StretchBlt use raster/canvas.h.
//
// `dest` is in `dst` coordinates and may reach outside it: the picture is
// scaled to the whole of `dest` and only the part inside `dst` is written.
// Negative or empty extents draw nothing.
#include "raster/bitmap24.h"
#include "raster/rect.h"

namespace vorn {

void stretchHighQuality(const Bitmap24& src, Bitmap24& dst, const Rect& dest);

namespace codecs {
// The same result computed without SIMD; tests compare the two exactly.
void stretchHighQualityReference(const Bitmap24& src, Bitmap24& dst, const Rect& dest);
}  // namespace codecs

}  // namespace vorn

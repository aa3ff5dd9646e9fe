#pragma once
// The proportional fit of one rectangle into another: the player's stretched
// display rectangle, and the size a picture is resampled to for it.
#include "raster/rect.h"

namespace vorn {

// Aspect-preserving fit of a rectangle of r's size into t, centred; enlarges
// as well as shrinks.
Rect FitRect(const Rect& r, const Rect& t);

}  // namespace vorn

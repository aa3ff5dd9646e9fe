#pragma once
// Where the player puts a picture in its control.
#include "raster/rect.h"

namespace vorn {

// Aspect-preserving fit of a rectangle of r's size into t, centred; enlarges
// as well as shrinks.
Rect FitRect(const Rect& r, const Rect& t);

// Maps r (ScreenBitmap coordinates) into the stretched display rectangle t
// for a picture of picRect's size.
Rect mapToDisplay(const Rect& r, const Rect& t, const Rect& picRect);

}  // namespace vorn

#pragma once
// Where the player puts a picture in its control.
#include "raster/fit_rect.h"
#include "raster/rect.h"

namespace vorn {

// Maps r (ScreenBitmap coordinates) into the stretched display rectangle t
// for a picture of picRect's size.
Rect mapToDisplay(const Rect& r, const Rect& t, const Rect& picRect);

}  // namespace vorn

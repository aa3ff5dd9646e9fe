#pragma once
// Where the player puts a picture in its control.
#include "raster/fit_rect.h"
#include "raster/rect.h"

namespace vorn {

// How the player places a picture: in a client of this size, at the
// top-left corner or centred, shown at its own size or stretched to the
// client (finely: fitted into it keeping its proportions).
struct Placement {
  int32_t clientWidth = 0, clientHeight = 0;
  bool center = false, stretch = false, stretchFine = false;
  friend bool operator==(const Placement&, const Placement&) = default;
};

// PicRect: where a w x h picture sits in the client.
Rect picRectIn(int32_t w, int32_t h, const Placement& p);
// DisplayRect: where the picture at picRect is shown.
Rect displayRectIn(const Rect& picRect, const Placement& p);

// Maps r (ScreenBitmap coordinates) into the stretched display rectangle t
// for a picture of picRect's size.
Rect mapToDisplay(const Rect& r, const Rect& t, const Rect& picRect);

}  // namespace vorn

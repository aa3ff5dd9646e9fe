#include "transition/placement.h"

#include "raster/muldiv.h"

namespace vorn {

Rect mapToDisplay(const Rect& r, const Rect& t, const Rect& picRect) {
  const int32_t pw = picRect.width(), ph = picRect.height();
  return Rect{t.left + MulDiv(r.left, t.width(), pw), t.top + MulDiv(r.top, t.height(), ph),
              t.left + MulDiv(r.right, t.width(), pw), t.top + MulDiv(r.bottom, t.height(), ph)};
}

}  // namespace vorn

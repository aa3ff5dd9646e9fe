#include "transition/placement.h"

#include "raster/muldiv.h"

namespace vorn {

Rect picRectIn(int32_t w, int32_t h, const Placement& p) {
  const Rect pic{0, 0, w, h};
  if (!p.center) return pic;
  return offsetRect(pic, (p.clientWidth - w) / 2, (p.clientHeight - h) / 2);
}

Rect displayRectIn(const Rect& picRect, const Placement& p) {
  if (!p.stretch) return picRect;
  const Rect client{0, 0, p.clientWidth, p.clientHeight};
  return p.stretchFine ? FitRect(picRect, client) : client;
}

Rect mapToDisplay(const Rect& r, const Rect& t, const Rect& picRect) {
  const int32_t pw = picRect.width(), ph = picRect.height();
  return Rect{t.left + MulDiv(r.left, t.width(), pw), t.top + MulDiv(r.top, t.height(), ph),
              t.left + MulDiv(r.right, t.width(), pw), t.top + MulDiv(r.bottom, t.height(), ph)};
}

}  // namespace vorn

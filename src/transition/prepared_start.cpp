#include "transition/prepared_start.h"

#include <cstring>

#include "raster/canvas.h"

namespace vorn {

void DrawScreenOnControl(Canvas& control, const Bitmap24& screen, bool stretch, const Rect& picRect,
                         const Rect& displayRect) {
  if (!stretch)
    control.draw(screen, picRect.left, picRect.top);
  else
    control.stretchCopy(displayRect, screen, Rect{0, 0, screen.width(), screen.height()});
}

namespace {

// A whole paint of the control with `screen` as the ScreenBitmap.
Bitmap24 shownWith(const Bitmap24& screen, const PreparedStart& p) {
  const StartLayout& l = p.layout;
  Bitmap24 shown(l.clientWidth, l.clientHeight);
  Canvas c(shown);
  c.fillRect(Rect{0, 0, l.clientWidth, l.clientHeight}, l.color);
  DrawScreenOnControl(c, screen, l.stretch, p.picRect, p.displayRect);
  return shown;
}

}  // namespace

void DrawNewImage(Bitmap24& newImage, TGraphic& graphic) {
  graphic.draw(newImage, Rect{0, 0, newImage.width(), newImage.height()});
}

void DrawOldImage(Bitmap24& oldImage, const Bitmap24& shown, const Rect& displayRect, Color fill) {
  oldImage.fill(fill);  // where the display rectangle reaches past the control
  if (!shown.empty())
    Canvas(oldImage).stretchCopy(Rect{0, 0, oldImage.width(), oldImage.height()}, shown, displayRect);
}

bool IsUniform(const Bitmap24& b, Color c) {
  if (b.empty()) return true;
  // One row of c, then every row compared with it.
  const int32_t w = b.width();
  std::unique_ptr<uint8_t[]> row(new uint8_t[size_t(w) * 3]);
  Bitmap24 one(1, 1);
  one.fill(c);
  for (int32_t x = 0; x < w; ++x) std::memcpy(row.get() + size_t(x) * 3, one.row(0), 3);
  for (int32_t y = 0; y < b.height(); ++y)
    if (std::memcmp(b.row(y), row.get(), size_t(w) * 3) != 0) return false;
  return true;
}

std::unique_ptr<PreparedStart> PrepareStart(const TPicture& picture, const StartLayout& layout) {
  if (!picture.hasGraphic() || picture.graphic()->empty()) return nullptr;
  if (layout.clientWidth <= 0 || layout.clientHeight <= 0) return nullptr;
  auto p = std::make_unique<PreparedStart>();
  p->picture.assign(picture);
  p->layout = layout;
  const int32_t w = picture.width(), h = picture.height();
  p->picRect = picRectIn(w, h, layout);
  p->displayRect = displayRectIn(p->picRect, layout);
  p->newImage = Bitmap24(w, h);
  DrawNewImage(p->newImage, *picture.graphic());
  // The control as the player will find it: all in its colour.
  Bitmap24 shown(layout.clientWidth, layout.clientHeight);
  shown.fill(layout.color);
  p->oldImage = Bitmap24(w, h);
  DrawOldImage(p->oldImage, shown, p->displayRect, layout.color);
  // The player's ScreenBitmap starts in its colour; it doubles as the first
  // frame's old image only when that is all one colour too.
  if (!IsUniform(p->oldImage, layout.color)) return nullptr;
  p->screenIsNew = layout.showsAtOnce;
  p->screen = layout.showsAtOnce ? p->newImage : p->oldImage;
  p->oldShown = shownWith(p->oldImage, *p);
  p->newShown = shownWith(p->newImage, *p);
  return p;
}

}  // namespace vorn

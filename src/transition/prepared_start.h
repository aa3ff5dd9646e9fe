#pragma once
// The expensive part of a transition's start, made ahead on any thread: the
// new picture drawn at its own size, and the old image as the player derives
// it from a control that shows nothing but its colour (which is what a slide
// show's control shows between two pictures). The player takes it over only
// when the start it is about to make would give exactly the same images;
// otherwise it prepares as without it.
#include <cstdint>
#include <memory>

#include "codecs/picture.h"
#include "raster/bitmap24.h"
#include "raster/rect.h"
#include "transition/placement.h"

namespace vorn {

class Canvas;

// How the player will stand when the prepared picture starts.
struct StartLayout : Placement {
  Color color = 0;  // the player's Color, also what its control shows
  // The style will show the new picture at once (style 0): the first frame
  // is the new picture rather than the old one.
  bool showsAtOnce = false;
};

struct PreparedStart {
  TPicture picture;  // shares the graphic the images were made from
  StartLayout layout;
  Rect picRect, displayRect;  // where the player will put and show the picture
  Bitmap24 newImage;
  Bitmap24 oldImage;
  // What the player's ScreenBitmap holds at the first frame: the old image
  // (the control's colour), or the new one for a style that shows it at once.
  Bitmap24 screen;
  bool screenIsNew = false;
  // The control as a whole paint shows ScreenBitmap holding the old or the
  // new image, so that those paints become plain copies.
  Bitmap24 oldShown, newShown;
};

// Null when the picture has no graphic or the layout shows nothing.
std::unique_ptr<PreparedStart> PrepareStart(const TPicture& picture, const StartLayout& layout);

// The player's paint of its ScreenBitmap onto the control, after the fill:
// at PicRect, or stretched into the display rectangle.
void DrawScreenOnControl(Canvas& control, const Bitmap24& screen, bool stretch, const Rect& picRect,
                         const Rect& displayRect);

// The two images of a start, the same way on either path.
void DrawNewImage(Bitmap24& newImage, TGraphic& graphic);
void DrawOldImage(Bitmap24& oldImage, const Bitmap24& shown, const Rect& displayRect, Color fill);

// Whether every pixel of b is c.
bool IsUniform(const Bitmap24& b, Color c);

}  // namespace vorn

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

namespace vorn {

// How the player will stand when the prepared picture starts.
struct StartLayout {
  int32_t clientWidth = 0, clientHeight = 0;
  bool center = false, stretch = false, stretchFine = false;
  Color color = 0;  // the player's Color, also what its control shows
};

struct PreparedStart {
  TPicture picture;  // shares the graphic the images were made from
  StartLayout layout;
  Rect displayRect;  // where the player will show the picture
  Bitmap24 newImage;
  Bitmap24 oldImage;
  // Holds what the player's ScreenBitmap holds at the first frame: the
  // control's colour, which is then also the old image.
  Bitmap24 screen;
};

// Null when the picture has no graphic or the layout shows nothing.
std::unique_ptr<PreparedStart> PrepareStart(const TPicture& picture, const StartLayout& layout);

// The player's placement of a w x h picture in a client of the layout's
// size (PicRect, then DisplayRect).
Rect StartDisplayRect(int32_t w, int32_t h, const StartLayout& layout);

// The two images of a start, the same way on either path.
void DrawNewImage(Bitmap24& newImage, TGraphic& graphic);
void DrawOldImage(Bitmap24& oldImage, const Bitmap24& shown, const Rect& displayRect, Color fill);

// Whether every pixel of b is c.
bool IsUniform(const Bitmap24& b, Color c);

}  // namespace vorn

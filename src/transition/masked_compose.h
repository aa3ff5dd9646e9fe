#pragma once
// The frame of a masked style in one pass over the picture: every row of the
// screen is made from the new picture inside M and from the old one outside,
// so each byte is written once, instead of laying the old picture down whole
// and drawing the new one through a clip.
#include "raster/bitmap24.h"
#include "raster/region.h"

namespace vorn {

// All three bitmaps have the same size; M is in picture coordinates and may
// reach outside the picture.
void composeMasked(Bitmap24& screen, const Bitmap24& oldImage, const Bitmap24& newImage, const Region& m);

}  // namespace vorn

#pragma once
// Every style at 25, 50 and 75 % in one picture: eight styles to a row, each
// a group of three thumbnails under its number.
#include <functional>

#include "raster/bitmap24.h"

namespace vorn::frames {

// frame(style, progress) gives the thumbnail, all of one size.
Bitmap24 contactSheet(int32_t thumbWidth, int32_t thumbHeight,
                      const std::function<Bitmap24(int style, int progress)>& frame);

}  // namespace vorn::frames

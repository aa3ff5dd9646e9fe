#pragma once
// Writing frames out: 24-bit BMP, or PNG through libpng.
#include <string>

#include "platform/result.h"
#include "raster/bitmap24.h"

namespace vorn::frames {

Status writeBmp(const std::string& path, const Bitmap24& b);
Status writePng(const std::string& path, const Bitmap24& b);
// By the extension: ".png" (any case) writes PNG, everything else BMP.
Status writeImage(const std::string& path, const Bitmap24& b);

}  // namespace vorn::frames

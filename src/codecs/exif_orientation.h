#pragma once
// Cameras store a photo as the sensor saw it and record in the JPEG's EXIF
// block (tag 0x0112 of its first directory) how to turn it upright. Values
// 1..8: 1 upright, 2 mirrored left-right, 3 turned half round, 4 mirrored
// top-bottom, 5 mirrored along the main diagonal, 6 to be turned a quarter
// clockwise, 7 mirrored along the other diagonal, 8 to be turned a quarter
// anticlockwise.
#include <cstddef>
#include <cstdint>

#include "raster/bitmap24.h"

namespace vorn::codecs {

// The recorded orientation of a JPEG file image; 1 when there is none or
// the block is broken in any way (reads stay inside [data, data + size)).
int jpegOrientation(const uint8_t* data, size_t size);

// Whether the upright picture has width and height exchanged.
constexpr bool orientationSwapsAxes(int orientation) { return orientation >= 5 && orientation <= 8; }

// The picture as it is to be seen; orientation 1 or an unknown value gives
// it back unchanged.
Bitmap24 orientUpright(Bitmap24 stored, int orientation);

}  // namespace vorn::codecs

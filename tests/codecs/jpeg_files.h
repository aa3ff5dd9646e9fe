#pragma once
// JPEG files for the tests, fuzz seeds and benchmark, made with libjpeg's
// encoder from our own patterns.
#include <cstdint>
#include <vector>

#include "raster/bitmap24.h"

namespace vorn::testing {

// Rgb is YCbCr with 2x2-subsampled chroma; Chroma444 has full chroma, a
// restart marker after every MCU row and optimised Huffman tables;
// Chroma422 halves chroma across only; Arithmetic uses arithmetic coding.
enum class JpegKind { Rgb, Grey, Cmyk, AdobeCmyk, Progressive, Chroma444, Chroma422, Arithmetic };

std::vector<uint8_t> makeJpeg(const Bitmap24& picture, JpegKind kind, int quality = 90);
// The file with an EXIF block (APP1) right after its start marker whose
// first directory holds a camera make and the orientation tag.
std::vector<uint8_t> withExif(const std::vector<uint8_t>& jpeg, int orientation, bool bigEndian);
// The file with an APP1 segment of these bytes after "Exif\0\0".
std::vector<uint8_t> withExifBytes(const std::vector<uint8_t>& jpeg, const std::vector<uint8_t>& tiff);
// Finds the SOF marker and returns the offset of its precision byte.
size_t jpegPrecisionOffset(const std::vector<uint8_t>& file);

}  // namespace vorn::testing

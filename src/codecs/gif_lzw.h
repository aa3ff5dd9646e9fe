#pragma once
// The variable-length LZW of GIF image data: codes of (minimum code size + 1)
// bits growing to 12, a clear code and an end code, no early change.
#include <cstddef>
#include <cstdint>

#include "platform/result.h"

namespace vorn::codecs {

// Decodes into out[0, count). The minimum code size must be 2..8 (a 1-bit
// picture is coded with 2). Data that ends early, or an end code before the
// last pixel, leaves the remaining pixels 0; a string that runs past the
// last pixel is cut; once every pixel is set the rest of the data is not
// read. A code beyond the table is an error.
Status lzwDecode(int minCodeSize, const uint8_t* data, size_t size, uint8_t* out, size_t count);

}  // namespace vorn::codecs

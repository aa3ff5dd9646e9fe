#pragma once
// Decoders from a file image in memory. Each returns the new graphic or a
// short error text; none of them reads outside [data, data + size) or
// allocates before the picture's size has passed checkPictureSize.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "codecs/graphic.h"
#include "platform/result.h"

namespace vorn {

using GraphicResult = Result<std::unique_ptr<TGraphic>>;

GraphicResult decodeBmp(const uint8_t* data, size_t size);
GraphicResult decodeIco(const uint8_t* data, size_t size);
GraphicResult decodeGif(const uint8_t* data, size_t size);
// Full size, block smoothing on, accurate integer DCT, 24-bit output; a grey
// picture becomes an 8-bit palette picture of at most 236 grey levels.
GraphicResult decodeJpeg(const uint8_t* data, size_t size);
// As decodeJpeg with libjpeg's scaling 1/denom (denom 1, 2, 4 or 8).
GraphicResult decodeJpegScaled(const uint8_t* data, size_t size, int denom);
// As decodeJpegScaled with the denominator `choose` gives for the picture's
// full size (anything but 2, 4 or 8 means 1).
GraphicResult decodeJpegChoosingScale(const uint8_t* data, size_t size,
                                      const std::function<int(uint32_t width, uint32_t height)>& choose);
// Windows build: played through the platform. Native build: an error.
GraphicResult decodeWmf(const uint8_t* data, size_t size);
GraphicResult decodeEmf(const uint8_t* data, size_t size);

}  // namespace vorn

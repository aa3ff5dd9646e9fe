#include "codecs/decoders.h"
namespace vorn {
GraphicResult decodeIco(const uint8_t*, size_t) { return makeError("Icons are not supported yet"); }
GraphicResult decodeGif(const uint8_t*, size_t) { return makeError("GIF is not supported yet"); }
GraphicResult decodeJpeg(const uint8_t*, size_t) { return makeError("JPEG is not supported yet"); }
GraphicResult decodeJpegScaled(const uint8_t*, size_t, int) { return makeError("JPEG is not supported yet"); }
}  // namespace vorn

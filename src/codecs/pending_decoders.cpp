#include "codecs/decoders.h"
namespace vorn {
GraphicResult decodeIco(const uint8_t*, size_t) { return makeError("Icons are not supported yet"); }
}  // namespace vorn

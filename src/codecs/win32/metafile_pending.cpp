#include "codecs/decoders.h"
namespace vorn {
GraphicResult decodeWmf(const uint8_t*, size_t) { return makeError("Metafiles are not supported yet"); }
GraphicResult decodeEmf(const uint8_t*, size_t) { return makeError("Metafiles are not supported yet"); }
}  // namespace vorn

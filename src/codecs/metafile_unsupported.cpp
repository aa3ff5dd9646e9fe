// Metafiles are played by the platform; the native build has none.
#ifndef _WIN32
#include "codecs/decoders.h"

namespace vorn {

GraphicResult decodeWmf(const uint8_t*, size_t) {
  return makeError("Metafiles are not supported on this build");
}
GraphicResult decodeEmf(const uint8_t*, size_t) {
  return makeError("Metafiles are not supported on this build");
}

}  // namespace vorn
#endif

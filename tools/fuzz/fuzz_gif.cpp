// Bytes in, decode as gif, touch every output byte.
#include "codecs/decoders.h"
#include "codecs/gif_image.h"
#include "fuzz_touch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto g = vorn::decodeGif(data, size);
  if (g) {
    auto* gif = static_cast<vorn::TGIFImage*>(g.value().get());
    for (int i = 0; i < gif->frameCount() && i < 64; ++i) {  // every frame, a bounded number
      gif->setCurrentFrame(i);
      volatile uint32_t sink = vorn::fuzz::touch(*gif);
      (void)sink;
    }
  }
  return 0;
}

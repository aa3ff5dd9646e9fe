// Bytes in, decode as gif, touch every output byte.
#include "codecs/decoders.h"
#include "fuzz_touch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto g = vorn::decodeGif(data, size);
  if (g) {
    volatile uint32_t sink = vorn::fuzz::touch(*g.value());
    (void)sink;
  }
  return 0;
}

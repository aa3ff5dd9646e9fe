// Bytes in as a JPEG file: its recorded orientation read, then the picture
// loaded as the show shows it (scaled decode, fit, turned upright).
#include "codecs/exif_orientation.h"
#include "codecs/picture.h"
#include "fuzz_touch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int o = vorn::codecs::jpegOrientation(data, size);
  if (o < 1 || o > 8) __builtin_trap();
  vorn::TPicture pic;
  if (pic.LoadForShowFromBytes("f.jpg", data, size, vorn::PictureFit{40, 30})) {
    volatile uint32_t sink = vorn::fuzz::touch(*pic.graphic());
    (void)sink;
  }
  return 0;
}

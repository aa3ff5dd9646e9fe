// The container: the first byte picks the extension (all seven, plus one
// unknown), the rest is the file. A failed load must leave the first
// picture in place.
#include <cstdlib>

#include "codecs/metafile_size.h"
#include "codecs/picture.h"
#include "fuzz_touch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const char* names[] = {"a.wmf", "b.EMF", "c.ico", "d.Bmp", "e.gif", "f.jpeg", "g.JPG", "h.png"};
  if (size == 0) return 0;
  vorn::TPicture pic;
  static const uint8_t tiny[] = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 12, 0, 0, 0, 1, 0, 1, 0,
                                 1, 0, 24, 0, 1, 2, 3, 0};
  if (!pic.LoadFromBytes("seed.bmp", tiny, sizeof tiny)) std::abort();
  vorn::TGraphic* before = pic.graphic();
  const auto s = pic.LoadFromBytes(names[data[0] % 8], data + 1, size - 1);
  // Metafiles play only on Windows; what sizes an EMF there is portable.
  if (data[0] % 8 == 1) (void)vorn::codecs::emfSize(data + 1, size - 1);
  if (!s && pic.graphic() != before) std::abort();
  if (pic.graphic()) {
    volatile uint32_t sink = vorn::fuzz::touch(*pic.graphic());
    (void)sink;
  }
  return 0;
}

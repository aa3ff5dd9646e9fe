// Decode times of the picture formats and the time of the high-quality
// stretch, each beside a memcpy floor measured in the same run.
// Run: build/native/bench/codecs/vorn_codecs_bench [repeats]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "bmp_files.h"
#include "codecs/decoders.h"
#include "codecs/picture.h"
#include "codecs/scale.h"
#include "gif_files.h"
#include "ico_files.h"
#include "jpeg_files.h"

using namespace vorn;

namespace {

int repeats = 5;

// Best of `repeats` runs, in milliseconds.
double best(const std::function<void()>& f) {
  double b = 1e30;
  for (int i = 0; i < repeats; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    const auto t1 = std::chrono::steady_clock::now();
    b = std::min(b, std::chrono::duration<double, std::milli>(t1 - t0).count());
  }
  return b;
}

// A photo-like picture: smooth gradients with some texture, so JPEG and
// LZW sizes are realistic rather than trivially small.
Bitmap24 photo(int32_t w, int32_t h) {
  Bitmap24 b(w, h);
  uint32_t r = 12345;
  for (int32_t y = 0; y < h; ++y) {
    uint8_t* p = b.row(y);
    for (int32_t x = 0; x < w; ++x) {
      r = r * 1103515245u + 12345u;
      const int n = int((r >> 27) & 7);
      p[3 * x] = uint8_t((x * 255 / w + n) & 255);
      p[3 * x + 1] = uint8_t((y * 255 / h + n) & 255);
      p[3 * x + 2] = uint8_t(((x ^ y) >> 4) * 3 + n);
    }
  }
  return b;
}

double decodeLine(const char* name, const std::vector<uint8_t>& file, GraphicResult (*dec)(const uint8_t*, size_t),
                double floorMsPerMB) {
  int32_t w = 0, h = 0;
  const double ms = best([&] {
    auto g = dec(file.data(), file.size());
    if (!g) {
      std::printf("%s: %s\n", name, g.error().c_str());
      std::exit(1);
    }
    w = g.value()->width();
    h = g.value()->height();
  });
  const double mb = double(file.size()) / 1e6, mp = double(w) * h / 1e6;
  std::printf("%-26s %5d x %-5d %8.2f ms  %8.1f MB/s (file)  %7.1f MP/s   floor %6.2f ms\n", name, w,
              h, ms, mb / (ms / 1e3), mp / (ms / 1e3), floorMsPerMB * double(w) * h * 3 / 1e6);
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) repeats = std::max(1, std::atoi(argv[1]));
  std::printf("making inputs...\n");
  const Bitmap24 big = photo(6000, 4000);
  const Bitmap24 hd = photo(1920, 1080);

  // Floor: one memcpy of the 6000 x 4000 picture.
  std::vector<uint8_t> copy(big.sizeBytes());
  const double memcpyMs = best([&] { std::memcpy(copy.data(), big.data(), big.sizeBytes()); });
  const double floorMsPerMB = memcpyMs / (double(big.sizeBytes()) / 1e6);
  std::printf("floor: memcpy of 6000x4000x24 (%.0f MB) %.2f ms, %.0f MB/s\n",
              double(big.sizeBytes()) / 1e6, memcpyMs, double(big.sizeBytes()) / 1e3 / memcpyMs);

  Bitmap24 screen(1920, 1080);
  const double stretchMs = best([&] { stretchHighQuality(big, screen, Rect{0, 0, 1920, 1080}); });
  std::printf("stretch 6000x4000 -> 1920x1080   %8.2f ms  (target <= 15 ms; reads %.1f x the floor)\n",
              stretchMs, stretchMs / memcpyMs);
  const double refMs = best([&] { codecs::stretchHighQualityReference(big, screen, Rect{0, 0, 1920, 1080}); });
  std::printf("  same without SIMD              %8.2f ms\n", refMs);
  Bitmap24 up(3840, 2160);
  const double upMs = best([&] { stretchHighQuality(hd, up, Rect{0, 0, 3840, 2160}); });
  std::printf("stretch 1920x1080 -> 3840x2160   %8.2f ms\n", upMs);

  const auto jpeg = testing::makeJpeg(big, testing::JpegKind::Rgb, 90);
  std::printf("JPEG file %.1f MB\n", double(jpeg.size()) / 1e6);
  const double fullMs = decodeLine("JPEG 6000x4000 1/1", jpeg, decodeJpeg, floorMsPerMB);
  decodeLine("JPEG 6000x4000 1/2", jpeg, [](const uint8_t* d, size_t n) { return decodeJpegScaled(d, n, 2); }, floorMsPerMB);
  decodeLine("JPEG 6000x4000 1/4", jpeg, [](const uint8_t* d, size_t n) { return decodeJpegScaled(d, n, 4); }, floorMsPerMB);
  decodeLine("JPEG 6000x4000 1/8", jpeg, [](const uint8_t* d, size_t n) { return decodeJpegScaled(d, n, 8); }, floorMsPerMB);
  // As the show loads it for a stretched slide: the scaled decode and the
  // fit, against the full decode above.
  for (PictureFit fit : {PictureFit{1920, 1080}, PictureFit{3840, 2160}}) {
    const double ms = best([&] {
      TPicture p;
      if (!p.LoadForShowFromBytes("p.jpg", jpeg.data(), jpeg.size(), fit)) std::exit(1);
    });
    std::printf("JPEG 6000x4000 shown at %dx%d %8.2f ms  (%.2f x the full decode; goal <= 0.7)\n", fit.boxWidth,
                fit.boxHeight, ms, ms / fullMs);
  }
  const auto grey = testing::makeJpeg(big, testing::JpegKind::Grey, 90);
  decodeLine("JPEG grey 6000x4000", grey, decodeJpeg, floorMsPerMB);

  decodeLine("BMP 1920x1080 24 bit", testing::bmpOf(hd), decodeBmp, floorMsPerMB);

  testing::GifSpec gs;
  gs.width = 1920, gs.height = 1080;
  gs.globalTable.clear();
  for (int i = 0; i < 256; ++i) gs.globalTable.push_back(rgb(uint8_t(i), uint8_t(255 - i), uint8_t(i * 7)));
  testing::GifImageSpec im{0, 0, 1920, 1080, {}};
  im.pixels.resize(size_t(1920) * 1080);
  for (int32_t y = 0; y < 1080; ++y)
    for (int32_t x = 0; x < 1920; ++x) im.pixels[size_t(y) * 1920 + size_t(x)] = hd.row(y)[3 * x + 1];
  gs.images = {im};
  decodeLine("GIF 1920x1080 8 bit", testing::makeGif(gs), decodeGif, floorMsPerMB);

  // The directory's one-byte sizes stop icon DIBs at 256 x 256.
  const Bitmap24 ic = photo(256, 256);
  std::vector<uint8_t> alpha(size_t(256) * 256, 255);
  const auto ico = testing::makeIco({{0, 0, 32, testing::iconDib(ic, 32, std::vector<uint8_t>(alpha.size(), 0), alpha)}});
  decodeLine("ICO 256x256 32 bit", ico, decodeIco, floorMsPerMB);
  return 0;
}

// StepDue to the first transition frame for a 6000 x 4000 JPEG, with the
// picture decoded ahead and without, beside libjpeg's own decode of the file.
//   build/native/bench/show/vorn_show_bench
#include <chrono>
#include <cstdio>

#include "codecs/decoders.h"
#include "jpeg_files.h"
#include "platform/fake/fake_file_system.h"
#include "show/picture_prefetch.h"
#include "show/transition_slide_player.h"
#include "transition/fake/show_rig.h"

using namespace vorn;
using Wall = std::chrono::steady_clock;

static double msSince(Wall::time_point t) {
  return std::chrono::duration<double, std::milli>(Wall::now() - t).count();
}

int main() {
  const int32_t W = 6000, H = 4000;
  Bitmap24 pic(W, H);
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x) pic.setPixel(x, y, rgb(uint8_t(x / 24), uint8_t(y / 16), uint8_t((x ^ y) / 32)));
  std::vector<uint8_t> jpeg = vorn::testing::makeJpeg(pic, vorn::testing::JpegKind::Rgb, 90);
  fake::FakeFileSystem fs;
  fs.addFile("C:\\m\\big.jpg", jpeg);

  auto t = Wall::now();
  auto g = decodeJpeg(jpeg.data(), jpeg.size());
  double libjpeg = msSince(t);
  if (!g) return 1;

  for (int ahead = 0; ahead < 2; ++ahead) {
    fake::ShowRig rig(1024, 768, 1);
    rig.player->SetStretch(true);
    rig.player->SetStretchFine(true);
    rig.player->SetStyle(0);
    show::PicturePrefetcher pre(fs);
    show::TransitionSlidePlayer slide(*rig.player, fs, &pre);
    if (ahead) {
      slide.prefetchPicture("C:\\m\\big.jpg");
      pre.waitIdle();  // the interval before the step
    }
    double loaded = 0, first = -1;
    rig.player->OnProgress = [&](TCustomTransitionPlayer&) {
      if (first < 0) first = msSince(t);
    };
    t = Wall::now();  // StepDue
    if (!slide.loadPicture("C:\\m\\big.jpg")) return 1;
    loaded = msSince(t);
    if (!slide.startTransition()) return 1;
    std::printf("%-22s picture ready %8.2f ms, first frame %8.2f ms (%s)\n",
                ahead ? "decoded ahead:" : "loaded in the step:", loaded, first,
                slide.lastLoadWasPrefetched() ? "taken from the worker" : "decoded now");
  }
  std::printf("libjpeg decode of the %dx%d file (%zu bytes): %.2f ms\n", W, H, jpeg.size(), libjpeg);
  return 0;
}

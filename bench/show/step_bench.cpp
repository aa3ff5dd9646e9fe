// StepDue to the first transition frame for a 6000 x 4000 JPEG, beside
// libjpeg's own decode of the file: loaded in the step, decoded ahead only,
// and decoded and placed ahead (the show's way). Each step follows a slide
// of the same size, as in a show of big pictures, and does what the show's
// step does to the player: clear it, repaint it in the item's colour, load,
// start. First-frame times are given for a few styles of each family, and
// for the pictures of the demo collection.
//   build/native/bench/show/vorn_show_bench [repeats]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <time.h>

#include "codecs/decoders.h"
#include "jpeg_files.h"
#include "platform/fake/fake_file_system.h"
#include "show/picture_prefetch.h"
#include "show/transition_slide_player.h"
#include "transition/fake/show_rig.h"

using namespace vorn;
using Wall = std::chrono::steady_clock;

namespace {

double msSince(Wall::time_point t) { return std::chrono::duration<double, std::milli>(Wall::now() - t).count(); }

// Processor time of the calling thread: on a loaded machine the wall time
// also counts the waits for a core.
double threadCpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

enum class Mode { Loaded, Decoded, Prepared };
const char* kModeNames[] = {"loaded in the step", "decoded ahead", "decoded and placed ahead"};

struct StepTimes {
  double picture = 0, first = 0, firstCpu = 0;
  bool prepared = false;
};

// One step to `file`. With `before`, a slide of that picture stands first;
// without, the step is the show's first one.
StepTimes step(fake::FakeFileSystem& fs, const char* file, Mode mode, int style, const char* before) {
  const Color back = rgb(0, 0, 0);
  fake::ShowRig rig(1024, 768, 1);
  show::PicturePrefetcher pre(fs);
  show::TransitionSlidePlayer slide(*rig.player, fs, &pre);
  if (before) {
    if (!slide.loadPicture(before) || !slide.startTransition()) std::exit(1);
    rig.host.updateNow();
  }
  if (mode == Mode::Decoded) pre.request(file, PictureFit{1024, 768});
  if (mode == Mode::Prepared) slide.prefetchPicture(file, back, true, style);
  pre.waitIdle();  // the interval before the step

  StepTimes t;
  double first = -1, firstCpu = 0, cpu0 = 0;
  Wall::time_point t0;
  rig.player->OnProgress = [&](TCustomTransitionPlayer&) {
    if (first >= 0) return;
    first = msSince(t0);
    firstCpu = threadCpuMs() - cpu0;
  };
  cpu0 = threadCpuMs();
  t0 = Wall::now();  // StepDue
  slide.clearPictures();
  slide.clearScreen();
  slide.stopTransition();
  slide.setStyle(uint8_t(style));
  slide.setColor(back);
  slide.setStretch(true);
  slide.setStretchFine(true);
  rig.host.updateNow();  // the step's dispatch repaints the control
  if (!slide.loadPicture(file)) std::exit(1);
  t.picture = msSince(t0);
  if (!slide.startTransition()) std::exit(1);
  t.first = first;
  t.firstCpu = firstCpu;
  t.prepared = slide.lastStartWasPrepared();
  return t;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// The demo collection's pictures: the show's first step (nothing can be
// ahead of it) and the later steps, which have the interval before them.
void demoCollection(int repeats) {
  namespace fsys = std::filesystem;
  const fsys::path dir = VORN_DEMO_DIR;
  std::vector<std::string> names;
  std::error_code ec;
  for (const fsys::directory_entry& e : fsys::directory_iterator(dir, ec)) {
    std::string ext = e.path().extension().string();
    if (ext == ".bmp" || ext == ".gif" || ext == ".jpg" || ext == ".ico") names.push_back(e.path().filename().string());
  }
  if (names.empty()) {
    std::printf("demo collection: none in %s (build the demogen target)\n", dir.string().c_str());
    return;
  }
  std::sort(names.begin(), names.end());
  fake::FakeFileSystem fs;
  for (const std::string& n : names) {
    std::ifstream in(dir / n, std::ios::binary);
    fs.addFile("C:\\demo\\" + n, std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {}));
  }
  std::vector<double> first, later, laterCpu;
  for (int i = 0; i < repeats; ++i) {
    const std::string one = "C:\\demo\\" + names[0];
    first.push_back(step(fs, one.c_str(), Mode::Loaded, 0, nullptr).first);
    for (size_t k = 0; k < names.size(); ++k) {
      const std::string prev = "C:\\demo\\" + names[(k + names.size() - 1) % names.size()];
      const std::string next = "C:\\demo\\" + names[k];
      StepTimes t = step(fs, next.c_str(), Mode::Prepared, 14, prev.c_str());
      later.push_back(t.first);
      laterCpu.push_back(t.firstCpu);
    }
  }
  std::printf("demo collection (%zu pictures, 1024x768): start to first frame %.2f ms (the show's first step,\n"
              "  loaded in it); later steps with the work ahead: median %.2f ms, worst %.2f ms (cpu median %.2f)\n",
              names.size(), median(first), median(later), *std::max_element(later.begin(), later.end()),
              median(laterCpu));
}

}  // namespace

int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  const int32_t W = 6000, H = 4000;
  Bitmap24 pic(W, H);
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x) pic.setPixel(x, y, rgb(uint8_t(x / 24), uint8_t(y / 16), uint8_t((x ^ y) / 32)));
  std::vector<uint8_t> jpeg = vorn::testing::makeJpeg(pic, vorn::testing::JpegKind::Rgb, 90);
  fake::FakeFileSystem fs;
  fs.addFile("C:\\m\\big.jpg", jpeg);

  std::vector<double> decode;
  for (int i = 0; i < repeats; ++i) {
    auto t = Wall::now();
    auto g = decodeJpeg(jpeg.data(), jpeg.size());
    decode.push_back(msSince(t));
    if (!g) return 1;
  }
  std::printf("libjpeg decode of the %dx%d file (%zu bytes): %.1f ms (median of %d)\n", W, H, jpeg.size(),
              median(decode), repeats);
  std::printf("StepDue to the first frame, 1024x768 control, stretched; wall time and the step\n"
              "thread's processor time (median of %d):\n", repeats);
  // Style 0 shows the new picture at once; 1, 40 rectangles; 60, 90 masks;
  // 110, 120 pixel styles.
  const int styles[] = {0, 1, 40, 60, 90, 110, 120};
  for (Mode mode : {Mode::Loaded, Mode::Decoded, Mode::Prepared}) {
    std::printf("  %-25s", kModeNames[int(mode)]);
    for (int style : styles) {
      if (mode != Mode::Prepared && style != 0 && style != 1) continue;
      std::vector<double> firsts, cpus;
      bool prepared = true;
      for (int i = 0; i < repeats; ++i) {
        StepTimes t = step(fs, "C:\\m\\big.jpg", mode, style, "C:\\m\\big.jpg");
        firsts.push_back(t.first);
        cpus.push_back(t.firstCpu);
        prepared = prepared && t.prepared;
      }
      std::printf("  style %d %.2f ms (cpu %.2f)%s", style, median(firsts), median(cpus),
                  prepared == (mode == Mode::Prepared) ? "" : " NOT PREPARED");
    }
    std::printf("\n");
  }
  demoCollection(repeats);
  return 0;
}

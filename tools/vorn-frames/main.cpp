// vorn-frames: the frames a transition style composes, as the show shows
// them. Scripts and reviewers use it to look at every style:
//
//   vorn-frames --old A --new B --size WxH --style N --progress P --out F.bmp
//   vorn-frames --size 96x72 --sheet sheet.png
//
// A and B are picture files (any format the picture container reads) or
// built-in test patterns "pattern:N"; without them the patterns 2 and 5.
// A picture file is loaded as the show loads it for a stretched slide: a
// JPEG turned upright as its camera recorded, and resampled once, in full
// quality, to its fit in WxH, so the player composes at the window's size.
// --unfitted loads them at their own size and leaves the stretch to the
// paint, as the show did before pictures were fitted (for comparisons).
// The player has the show window's settings (Step 10, Delay 30, Center,
// Stretch and StretchFine on, black background); --step overrides Step and
// --seed seeds the random source (default 1) anew before each frame.
// --color 0x00BBGGRR and --show-mode 0|1 are an item's background colour and
// fit (1: stretched), as the collection stores them; "background" for A or B is a
// picture of that colour, as every transition of the show starts from.
// --style and --progress take lists and ranges ("1-57", "25,50,75"); with
// more than one frame each file name gets "-<style>-<progress>" before its
// extension. --checksum prints "style progress checksum" per frame.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "contact_sheet.h"
#include "frame_files.h"
#include "platform/posix_file_system.h"
#include "transition/fake/picture_source.h"
#include "transition/fake/show_rig.h"
#include "transition/style_catalogue.h"

namespace vorn::frames {
namespace {

struct Options {
  std::string oldSource = "pattern:2", newSource = "pattern:5";
  int32_t width = 640, height = 480;
  bool sizeGiven = false;
  std::vector<int> styles{1};
  std::vector<int> progresses{50};
  int step = 10;
  uint32_t seed = 1;
  Color color = rgb(0, 0, 0);
  int showMode = 1;
  std::string out, sheet;
  bool checksum = false;
  bool fitted = true;
};

int usage(const char* why) {
  std::fprintf(stderr,
               "vorn-frames: %s\n"
               "usage: vorn-frames [--old A] [--new B] [--size WxH] [--style N|N-M|N,M]\n"
               "                   [--progress P|P,Q] [--step N] [--seed S] [--out F.bmp|F.png]\n"
               "                   [--color 0x00BBGGRR] [--show-mode 0|1] [--checksum] [--sheet F.png]\n"
               "                   [--unfitted]\n"
               "  A, B: picture files, pattern:0..%d or background\n"
               "  A picture file is shown as the show shows it stretched: upright (a JPEG's\n"
               "  recorded orientation) and resampled once, area-averaged, to its\n"
               "  proportional fit in WxH; the frames are composed at that size.\n"
               "  --unfitted: at their own size, stretched by the paint (the old way).\n",
               why, fake::kPatternKinds - 1);
  return 2;
}

bool parseInt(const std::string& s, long lo, long hi, int& out) {
  char* end = nullptr;
  const long v = std::strtol(s.c_str(), &end, 10);
  if (s.empty() || *end != '\0' || v < lo || v > hi) return false;
  out = int(v);
  return true;
}

// "1-57", "3,10,40", "5" or a mix of them.
bool parseList(const std::string& s, long lo, long hi, std::vector<int>& out) {
  out.clear();
  size_t start = 0;
  while (start <= s.size()) {
    const size_t comma = s.find(',', start);
    const std::string part = s.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    const size_t dash = part.find('-', 1);
    int a, b;
    if (dash == std::string::npos) {
      if (!parseInt(part, lo, hi, a)) return false;
      out.push_back(a);
    } else {
      if (!parseInt(part.substr(0, dash), lo, hi, a) || !parseInt(part.substr(dash + 1), lo, hi, b) || b < a)
        return false;
      for (int v = a; v <= b; ++v) out.push_back(v);
    }
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return !out.empty();
}

bool parseSize(const std::string& s, int32_t& w, int32_t& h) {
  const size_t x = s.find('x');
  int a, b;
  if (x == std::string::npos || !parseInt(s.substr(0, x), 1, 16384, a) || !parseInt(s.substr(x + 1), 1, 16384, b))
    return false;
  w = a;
  h = b;
  return Bitmap24::sizeAllowed(w, h);
}

Result<Bitmap24> loadSource(const std::string& source, int32_t w, int32_t h, bool fitted, Color color) {
  if (source == "background") {
    Bitmap24 plain(w, h);
    plain.fill(color);
    return plain;
  }
  if (source.rfind("pattern:", 0) == 0) {
    int kind;
    if (!parseInt(source.substr(8), 0, fake::kPatternKinds - 1, kind)) return makeError("no such pattern: " + source);
    return fake::makePattern(kind, w, h);
  }
  PosixFileSystem fs;
  TPicture picture;
  // The rig stretches with StretchFine, as the show does for ShowMode 1.
  if (Status s = picture.LoadForShow(fs, source, fitted ? PictureFit{w, h} : PictureFit{}); !s) return makeError(source + ": " + s.error());
  return picture.graphic()->bitmap();
}

std::string numberedName(const std::string& path, int style, int progress) {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of('/');
  const std::string suffix = "-" + std::to_string(style) + "-" + std::to_string(progress);
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + suffix;
  return path.substr(0, dot) + suffix + path.substr(dot);
}

// Composes frames of one pair of pictures on one rig, as the show would.
class FrameMaker {
 public:
  FrameMaker(const Options& o, const Bitmap24& oldPicture, const Bitmap24& newPicture)
      : o_(o), rig_(o.width, o.height, o.seed), old_(oldPicture), new_(newPicture) {
    rig_.player->SetStep(o.step);
    rig_.player->SetColor(o.color);
    rig_.player->SetStretch(o.showMode == 1);
    rig_.player->SetStretchFine(o.showMode == 1);
  }
  Result<Bitmap24> frame(int style, int progress) {
    if (Status s = rig_.showAt(old_); !s) return s.takeError();
    if (Status s = rig_.beginManual(new_, style); !s) return s.takeError();
    rig_.random.seed(o_.seed);
    rig_.frameAt(progress);
    return rig_.player->PaintBuffer();
  }

 private:
  const Options& o_;
  fake::ShowRig rig_;
  const Bitmap24& old_;
  const Bitmap24& new_;
};

int run(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&](std::string& v) {
      if (i + 1 >= argc) return false;
      v = argv[++i];
      return true;
    };
    std::string v;
    if (a == "--checksum") {
      o.checksum = true;
    } else if (a == "--unfitted") {
      o.fitted = false;
    } else if (a == "--old" && value(v)) {
      o.oldSource = v;
    } else if (a == "--new" && value(v)) {
      o.newSource = v;
    } else if (a == "--size" && value(v)) {
      if (!parseSize(v, o.width, o.height)) return usage("bad --size");
      o.sizeGiven = true;
    } else if (a == "--style" && value(v)) {
      if (!parseList(v, 0, kStyleCount - 1, o.styles)) return usage("bad --style (0..127)");
    } else if (a == "--progress" && value(v)) {
      if (!parseList(v, 0, 100, o.progresses)) return usage("bad --progress (0..100)");
    } else if (a == "--step" && value(v)) {
      if (!parseInt(v, 0, 65535, o.step)) return usage("bad --step");
    } else if (a == "--seed" && value(v)) {
      int s;
      if (!parseInt(v, 0, 2147483647, s)) return usage("bad --seed");
      o.seed = uint32_t(s);
    } else if (a == "--color" && value(v)) {
      char* end = nullptr;
      const unsigned long c = std::strtoul(v.c_str(), &end, 0);
      if (v.empty() || *end != '\0' || c > 0xFFFFFF) return usage("bad --color (0x00BBGGRR)");
      o.color = Color(c);
    } else if (a == "--show-mode" && value(v)) {
      if (!parseInt(v, 0, 1, o.showMode)) return usage("bad --show-mode (0 or 1)");
    } else if (a == "--out" && value(v)) {
      o.out = v;
    } else if (a == "--sheet" && value(v)) {
      o.sheet = v;
    } else {
      return usage(("unknown or incomplete argument " + a).c_str());
    }
  }
  if (!o.sheet.empty() && !o.sizeGiven) o.width = 96, o.height = 72;
  if (o.sheet.empty() && o.out.empty() && !o.checksum) return usage("nothing to do: give --out, --checksum or --sheet");

  // Only a stretched slide is fitted to the window.
  const bool fitted = o.fitted && o.showMode == 1;
  Result<Bitmap24> oldPicture = loadSource(o.oldSource, o.width, o.height, fitted, o.color);
  if (!oldPicture) return std::fprintf(stderr, "vorn-frames: %s\n", oldPicture.error().c_str()), 1;
  Result<Bitmap24> newPicture = loadSource(o.newSource, o.width, o.height, fitted, o.color);
  if (!newPicture) return std::fprintf(stderr, "vorn-frames: %s\n", newPicture.error().c_str()), 1;
  FrameMaker maker(o, *oldPicture, *newPicture);

  if (!o.sheet.empty()) {
    std::string error;
    const Bitmap24 sheet = contactSheet(o.width, o.height, [&](int style, int progress) {
      Result<Bitmap24> f = maker.frame(style, progress);
      if (!f) {
        error = f.error();
        return Bitmap24(o.width, o.height);
      }
      return std::move(f).value();
    });
    if (!error.empty()) return std::fprintf(stderr, "vorn-frames: %s\n", error.c_str()), 1;
    if (Status s = writePng(o.sheet, sheet); !s) return std::fprintf(stderr, "vorn-frames: %s\n", s.error().c_str()), 1;
    return 0;
  }

  const bool many = o.styles.size() * o.progresses.size() > 1;
  for (int style : o.styles)
    for (int progress : o.progresses) {
      Result<Bitmap24> f = maker.frame(style, progress);
      if (!f) return std::fprintf(stderr, "vorn-frames: %s\n", f.error().c_str()), 1;
      if (o.checksum)
        std::printf("%d %d %016llx\n", style, progress, (unsigned long long)fake::frameChecksum(*f));
      if (!o.out.empty()) {
        const std::string path = many ? numberedName(o.out, style, progress) : o.out;
        if (Status s = writeImage(path, *f); !s) return std::fprintf(stderr, "vorn-frames: %s\n", s.error().c_str()), 1;
      }
    }
  return 0;
}

}  // namespace
}  // namespace vorn::frames

int main(int argc, char** argv) { return vorn::frames::run(argc, argv); }

// demogen: makes the demo collection as an installed Vorn lays it out:
//   OUT/NAME.CNF, OUT/NAME/<pictures and sounds>, OUT/NAME/BckSnd/<music>.
// Every picture is painted here (patterns, gradients, large text), so the
// demo needs no files from elsewhere. Stored paths are the Wine view of the
// generated files (Z:\...), so a "/TEST" run under Wine finds them too.
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "canvas.h"
#include "collection/cnf_file_man.h"
#include "collection/crc32.h"
#include "collection/ole_date.h"
#include "platform/posix_file_system.h"
#include "text/cp1250.h"
#include "writers.h"

using demogen::Canvas;
using demogen::Rgb;
using vorn::text::W1250;

namespace {

class StderrBoxes final : public vorn::MessageBoxes {
 public:
  void show(const std::string& t, const std::string& c) override {
    std::fprintf(stderr, "%s: %s\n", vorn::text::cp1250ToUtf8(c).c_str(), vorn::text::cp1250ToUtf8(t).c_str());
  }
};

uint8_t clamp8(double v) { return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v); }

Rgb hue(double t) {  // t in [0,1): a bright colour wheel
  const double a = t * 6.283185307179586;
  return {clamp8(128 + 127 * std::cos(a)), clamp8(128 + 127 * std::cos(a - 2.094)),
          clamp8(128 + 127 * std::cos(a + 2.094))};
}

using Painter = std::function<Rgb(int x, int y, int w, int h)>;

const Painter kGradient = [](int x, int y, int w, int h) {
  return Rgb{uint8_t(x * 255 / w), uint8_t(y * 255 / h), uint8_t(255 - x * 255 / w)};
};
const Painter kChecker = [](int x, int y, int, int) {
  return ((x / 40) + (y / 40)) % 2 ? Rgb{30, 90, 200} : Rgb{240, 200, 40};
};
const Painter kRadial = [](int x, int y, int w, int h) {
  const double d = std::hypot(x - w / 2.0, y - h / 2.0) / std::hypot(w / 2.0, h / 2.0);
  return hue(d * 0.8 + 0.1);
};
const Painter kStripes = [](int x, int y, int, int) { return hue(((x + y) / 60 % 6) / 6.0); };
const Painter kRings = [](int x, int y, int w, int h) {
  const double d = std::hypot(x - w / 2.0, y - h / 2.0);
  return (int(d) / 30) % 2 ? Rgb{20, 20, 60} : Rgb{200, 60, 90};
};
const Painter kPlasma = [](int x, int y, int, int) {
  const double v = std::sin(x / 37.0) + std::sin(y / 23.0) + std::sin((x + y) / 51.0);
  return hue(v / 6 + 0.5);
};
const Painter kSunset = [](int, int y, int, int h) {
  const double t = double(y) / h;
  return Rgb{clamp8(250 - 120 * t), clamp8(150 - 130 * t), clamp8(60 + 120 * t)};
};

Canvas paint(int w, int h, const Painter& p, const std::string& title, const std::string& kind) {
  Canvas c(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) c.at(x, y) = p(x, y, w, h);
  const int big = std::max(3, w / 50);
  c.centredText(title, h / 2 - 7 * big / 2 - big * 2, big, Rgb{255, 255, 255});
  const int small = std::max(2, big / 2);
  c.centredText(kind, h / 2 + 7 * big / 2, small, Rgb{255, 255, 230});
  return c;
}

struct Item {
  std::string file;     // in the media folder
  std::string caption;  // UTF-8
  int effect;           // 0 random, k = style k-1
  int seconds;
  int showMode;
  int textPos;
  uint32_t textColor;
  std::string sound;    // in the media folder, or ""
  bool soundLoop = false;
};

bool makeDir(const std::string& p) { return ::mkdir(p.c_str(), 0755) == 0 || errno == EEXIST; }

std::string winePath(const std::string& nativeAbs) {
  std::string s = "Z:" + nativeAbs;
  for (char& ch : s)
    if (ch == '/') ch = '\\';
  return W1250(s);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: demogen OUTDIR [NAME]   (NAME defaults to Vorn)\n");
    return 2;
  }
  std::string out = argv[1];
  const std::string name = argc > 2 ? argv[2] : "Vorn";
  if (out.empty() || out[0] != '/') {
    char cwd[4096];
    if (!getcwd(cwd, sizeof cwd)) return 1;
    out = std::string(cwd) + "/" + out;
  }
  const std::string media = out + "/" + name, bck = media + "/BckSnd";
  if (!makeDir(out) || !makeDir(media) || !makeDir(bck)) {
    std::fprintf(stderr, "demogen: cannot create %s\n", bck.c_str());
    return 1;
  }

  auto save = [&](const std::string& path, const std::vector<uint8_t>& bytes) {
    if (!demogen::writeFile(path, bytes)) {
      std::fprintf(stderr, "demogen: cannot write %s\n", path.c_str());
      std::exit(1);
    }
  };
  std::vector<uint8_t> jpeg;
  save(media + "/vorn1.bmp", demogen::encodeBmp(paint(800, 600, kGradient, "VORN 1", "BMP")));
  save(media + "/vorn2.gif", demogen::encodeGif(paint(640, 480, kChecker, "VORN 2", "GIF")));
  if (!demogen::encodeJpeg(paint(1024, 768, kPlasma, "VORN 3", "JPEG"), 88, jpeg)) return 1;
  save(media + "/vorn3.jpg", jpeg);
  save(media + "/vorn4.ico", demogen::encodeIco(paint(128, 128, kRings, "VORN 4", "ICO")));
  save(media + "/vorn5.bmp", demogen::encodeBmp(paint(640, 480, kStripes, "VORN 5", "BMP")));
  save(media + "/vorn6.gif", demogen::encodeGif(paint(800, 600, kRadial, "VORN 6", "GIF")));
  if (!demogen::encodeJpeg(paint(800, 600, kSunset, "VORN 7", "JPEG"), 85, jpeg)) return 1;
  save(media + "/vorn7.jpg", jpeg);
  save(media + "/vorn8.bmp", demogen::encodeBmp(paint(1024, 768, kRadial, "VORN 8", "BMP")));
  save(media + "/csengo.wav", demogen::encodeWavTone(880, 0.4));
  save(media + "/dallam.wav", demogen::encodeWavTone(660, 0.3));
  save(bck + "/hatter.wav", demogen::encodeWavTone(220, 3.0));
  // Eight seconds of film: a green bar crossing a magenta field, colours no
  // picture here has, so a screenshot tells the movie's frames apart.
  std::vector<Canvas> film;
  for (int i = 0; i < 80; ++i) {
    Canvas c(160, 120);
    c.fillRect(0, 0, 160, 120, Rgb{255, 0, 255});
    c.fillRect(i * 2, 0, i * 2 + 16, 120, Rgb{0, 255, 0});
    film.push_back(std::move(c));
  }
  save(media + "/film.avi", demogen::encodeAvi(film, 10));

  // Fixed styles (effect k shows style k-1) beside random ones (0).
  const std::vector<Item> items = {
      {"vorn1.bmp", "Üdvözöljük a Vorn képernyővédőben", 2, 2, 1, 3, 0x00FFFFFF, ""},
      {"vorn2.gif", "Sakktábla, GIF képből", 0, 2, 0, 1, 0x0000FFFF, ""},
      {"vorn3.jpg", "Színes plazma – JPEG", 0, 3, 1, 3, 0x00FFFFFF, "csengo.wav"},
      {"vorn4.ico", "Kis ikon középen", 1, 2, 0, 0, 0x0080FF80, ""},
      {"vorn5.bmp", "Árvíztűrő tükörfúrógép", 0, 1, 1, 4, 0x00FFFFFF, "dallam.wav", true},
      {"vorn6.gif", "Körök és színek", 51, 2, 1, 2, 0x00C0FFFF, ""},
      {"vorn7.jpg", "Naplemente őszi fényben", 0, 3, 1, 3, 0x00FFFFFF, ""},
      {"film.avi", "", 0, 8, 1, 0, 0x00FFFFFF, ""},
      {"vorn8.bmp", "Viszontlátásra!", 116, 2, 1, 0, 0x00FFFFFF, ""},
  };

  vorn::PosixFileSystem fs;
  StderrBoxes boxes;
  vorn::TCNFFileMan man(fs, boxes);
  man.FileName = W1250(out + "/" + name + ".CNF");
  man.Now = [] { return vorn::oleDateFrom(2026, 1, 1, 12, 0, 0); };  // the same bytes every build
  vorn::TCNFHeader& h = man.header;
  h.setCollName(W1250("Vorn bemutató kollekció"));
  h.setCopyText(W1250("© Vorn fejlesztők"));
  h.setCollURL("https://vorn.example/");
  h.setComment(W1250("Ez a bemutató kollekció a fordításkor készül.||Képek, feliratok és hangok."));
  h.setUseCommonOptions(false);
  h.setBckColor(0x00000000);
  h.setChgIntMode(0);
  h.setChgInt(2);
  h.setChgIntMin(1);
  h.setChgIntMax(5);
  h.setShowMode(1);
  h.setEffectNum(0);
  h.setAllBckSound(winePath(bck + "/hatter.wav"));
  for (const Item& it : items) {
    const std::string path = media + "/" + it.file;
    auto bytes = fs.readFile(W1250(path), vorn::kCrcSpan);
    if (!bytes) return 1;
    vorn::TCNFItem rec;
    rec.zeroFill();
    rec.setMediaPath(winePath(path));
    rec.setMediaCRC(int64_t(vorn::mediaCrcOf(bytes->data(), bytes->size())));
    if (!it.sound.empty()) rec.setSoundPath(winePath(media + "/" + it.sound));
    rec.setSoundLoop(it.soundLoop);
    rec.setPicText(W1250(it.caption));
    rec.setPicTextPos(uint8_t(it.textPos));
    rec.setPicTextFont("Arial");
    rec.setPicTextSize(28);
    rec.setPicTextColor(it.textColor);
    rec.setChgInt(it.seconds);
    rec.setEffectNum(it.effect);
    rec.setShowMode(it.showMode);
    rec.setBckColor(0x00201000);
    man.Add(rec);
  }
  if (!man.SaveToFile()) {
    std::fprintf(stderr, "demogen: cannot write %s.CNF\n", name.c_str());
    return 1;
  }
  std::printf("demo collection: %s/%s.CNF with %d items\n", out.c_str(), name.c_str(), man.Count());
  return 0;
}

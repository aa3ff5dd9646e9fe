// The fuzzers' seed corpus comes from the same generators as the tests:
// with VORN_FUZZ_SEEDS=<folder> this writes <folder>/<target>/<n> files
// (tools/fuzz.sh does that); without it the test is skipped.
// The regression files under tests/data/malformed/<target>/ are replayed
// here on every run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "bmp_files.h"
#include "codecs/decoders.h"
#include "codecs/picture.h"
#include "gif_files.h"
#include "ico_files.h"
#include "jpeg_files.h"
#include "metafile_files.h"

namespace vorn {
namespace {

namespace fs = std::filesystem;

std::vector<std::vector<uint8_t>> bmpSeeds() {
  using testing::BmpSpec;
  std::vector<std::vector<uint8_t>> out = {testing::bmpOf(testing::testPattern(5, 4))};
  BmpSpec rle;
  rle.width = 4, rle.height = 3, rle.bpp = 8, rle.compression = 1;
  rle.palette = {0, 0xFF0000, 0xFF00, 0xFF};
  rle.pixels = {4, 1, 0, 0, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 1, 0, 2, 3, 0, 1};
  out.push_back(testing::makeBmp(rle));
  BmpSpec r4 = rle;
  r4.bpp = 4, r4.compression = 2, r4.pixels = {3, 0x12, 0, 3, 0x21, 0x20, 0, 0, 2, 0x33, 0, 1};
  out.push_back(testing::makeBmp(r4));
  BmpSpec m16;
  m16.width = 3, m16.height = -2, m16.bpp = 16, m16.compression = 3;
  m16.masks = {0xF800, 0x07E0, 0x001F};
  m16.pixels.assign(16, 0x5A);
  out.push_back(testing::makeBmp(m16));
  BmpSpec v5;
  v5.width = 2, v5.height = 2, v5.bpp = 32, v5.compression = 3, v5.headerSize = 124;
  v5.masks = {0xFF, 0xFF00, 0xFF0000, 0xFF000000};
  v5.pixels.assign(16, 0x77);
  out.push_back(testing::makeBmp(v5));
  BmpSpec one;
  one.width = 9, one.height = 2, one.bpp = 1, one.palette = {0, 0xFFFFFF};
  one.pixels = {0xA5, 0x80, 0, 0, 0x5A, 0, 0, 0};
  out.push_back(testing::makeBmp(one));
  BmpSpec core;  // the 12-byte header, its palette in RGB triples
  core.headerSize = 12, core.width = 3, core.height = 2, core.bpp = 4;
  core.palette = {0, 0xFF, 0xFF00, 0xFF0000};
  core.pixels = {0x01, 0x20, 0, 0, 0x32, 0x10, 0, 0};
  out.push_back(testing::makeBmp(core));
  BmpSpec core24 = core;
  core24.bpp = 24, core24.palette.clear(), core24.pixels.assign(24, 0x3C);
  out.push_back(testing::makeBmp(core24));
  BmpSpec four;
  four.width = 5, four.height = 2, four.bpp = 4;
  four.palette = {0, 0xFF0000, 0xFF00, 0xFF, 0xFFFFFF, 0x808080, 0x800000, 0x8000,
                  0x80, 0x808000, 0x800080, 0x8080, 0xC0C0C0, 0xFFFF00, 0xFF00FF, 0xFFFF};
  four.pixels = {0x01, 0x23, 0x40, 0, 0xFE, 0xDC, 0xB0, 0};
  out.push_back(testing::makeBmp(four));
  BmpSpec eight;  // a short palette (clrUsed)
  eight.width = 3, eight.height = 3, eight.bpp = 8, eight.clrUsed = 3;
  eight.palette = {0x102030, 0x405060, 0x708090};
  eight.pixels = {0, 1, 2, 0, 2, 1, 0, 0, 1, 1, 1, 0};
  out.push_back(testing::makeBmp(eight));
  BmpSpec rgb555;  // 16 bits without masks
  rgb555.width = 3, rgb555.height = 2, rgb555.bpp = 16;
  rgb555.pixels = {0x1F, 0x00, 0xE0, 0x03, 0x00, 0x7C, 0, 0, 0xFF, 0x7F, 0x10, 0x42, 0x08, 0x21, 0, 0};
  out.push_back(testing::makeBmp(rgb555));
  BmpSpec rgb32;  // 32 bits without masks
  rgb32.width = 2, rgb32.height = -2, rgb32.bpp = 32;
  for (uint8_t i = 0; i < 16; ++i) rgb32.pixels.push_back(uint8_t(i * 17));
  out.push_back(testing::makeBmp(rgb32));
  BmpSpec v4 = m16;  // masks inside a 108-byte header
  v4.headerSize = 108, v4.height = 2;
  out.push_back(testing::makeBmp(v4));
  BmpSpec alpha = v5;  // alpha bit fields after a 56-byte header
  alpha.headerSize = 56, alpha.compression = 6;
  out.push_back(testing::makeBmp(alpha));
  return out;
}

std::vector<std::vector<uint8_t>> gifSeeds() {
  testing::GifSpec a;
  a.width = 6, a.height = 5;
  testing::GifImageSpec f1{0, 0, 6, 5, {}};
  for (int i = 0; i < 30; ++i) f1.pixels.push_back(uint8_t(i % 4));
  f1.delay = 10, f1.transparent = 1;
  testing::GifImageSpec f2{1, 1, 3, 9, std::vector<uint8_t>(27, 1)};
  f2.interlaced = true;
  f2.localTable = {rgb(1, 2, 3), rgb(4, 5, 6)};
  a.images = {f1, f2};
  testing::GifSpec b = a;
  b.version = "87a", b.comment = false, b.trailer = false;
  b.images = {f1};
  testing::GifSpec local = b;  // no global table: the image brings its own
  local.globalTable.clear();
  f2.interlaced = false;
  local.images = {f2};
  testing::GifSpec none = local;  // no table at all
  none.images[0].localTable.clear();
  testing::GifSpec wide;  // 256 colours: eight-bit codes, and more codes than the table holds
  wide.width = 80, wide.height = 80;
  wide.globalTable.clear();
  for (int i = 0; i < 256; ++i) wide.globalTable.push_back(rgb(uint8_t(i), uint8_t(255 - i), uint8_t(i * 7)));
  testing::GifImageSpec noise;
  noise.width = 80, noise.height = 80;
  uint32_t r = 7;
  for (int i = 0; i < 80 * 80; ++i) noise.pixels.push_back(uint8_t((r = r * 1103515245u + 12345u) >> 24));
  wide.images = {noise};
  return {testing::makeGif(a), testing::makeGif(b), testing::makeGif(local), testing::makeGif(none),
          testing::makeGif(wide)};
}

std::vector<std::vector<uint8_t>> icoSeeds() {
  Bitmap24 c = testing::testPattern(4, 4);
  std::vector<uint8_t> mask(16, 0);
  mask[3] = 1;
  std::vector<uint8_t> alpha(16, 200);
  // Palette icons: a bitmap's DIB (its file header dropped) of doubled
  // height, the colour rows followed by the AND mask rows.
  auto paletted = [](uint16_t bpp, std::vector<uint32_t> palette, std::vector<uint8_t> rows) {
    testing::BmpSpec s;
    s.width = 4, s.height = 8, s.bpp = bpp, s.clrUsed = uint32_t(palette.size());
    s.palette = std::move(palette);
    s.pixels = std::move(rows);
    const auto bmp = testing::makeBmp(s);
    return std::vector<uint8_t>(bmp.begin() + 14, bmp.end());
  };
  const std::vector<uint8_t> andMask = {0x90, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x60, 0, 0, 0};
  std::vector<uint8_t> rows1 = {0xA0, 0, 0, 0, 0x50, 0, 0, 0, 0xF0, 0, 0, 0, 0x30, 0, 0, 0};
  std::vector<uint8_t> rows4 = {0x01, 0x23, 0, 0, 0x45, 0x67, 0, 0, 0x89, 0xAB, 0, 0, 0xCD, 0xEF, 0, 0};
  std::vector<uint8_t> rows8 = {0, 1, 2, 3, 3, 2, 1, 0, 1, 1, 2, 2, 0, 3, 0, 3};
  rows1.insert(rows1.end(), andMask.begin(), andMask.end());
  rows4.insert(rows4.end(), andMask.begin(), andMask.end());
  rows8.insert(rows8.end(), andMask.begin(), andMask.end());
  std::vector<uint32_t> sixteen;
  for (uint32_t i = 0; i < 16; ++i) sixteen.push_back(i * 0x0F0F0F);
  // A PNG image is passed over by its signature; the DIB beside it is shown.
  const std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                                    0, 0, 0, 16, 0, 0, 0, 16, 8, 6, 0, 0, 0, 0x1F, 0xF3, 0xFF, 0x61};
  return {testing::makeIco({{4, 4, 24, testing::iconDib(c, 24, mask)},
                            {4, 4, 32, testing::iconDib(c, 32, mask, alpha)}}),
          testing::makeIco({{4, 4, 1, paletted(1, {0, 0xFFFFFF}, rows1)}}),
          testing::makeIco({{4, 4, 4, paletted(4, sixteen, rows4)}, {16, 16, 32, png}}),
          testing::makeIco({{2, 2, 24, testing::iconDib(testing::testPattern(2, 2), 24, {0, 1, 1, 0})},
                            {4, 4, 8, paletted(8, {0xFF, 0xFF00, 0xFF0000, 0x808080}, rows8)}})};
}

std::vector<std::vector<uint8_t>> jpegSeeds() {
  const Bitmap24 p = testing::testPattern(24, 16);
  return {testing::makeJpeg(p, testing::JpegKind::Rgb, 60), testing::makeJpeg(p, testing::JpegKind::Grey, 60),
          testing::makeJpeg(p, testing::JpegKind::AdobeCmyk, 60),
          testing::makeJpeg(p, testing::JpegKind::Progressive, 60), testing::makeJpeg(p, testing::JpegKind::Cmyk, 60),
          testing::makeJpeg(p, testing::JpegKind::Chroma444, 60), testing::makeJpeg(p, testing::JpegKind::Chroma422, 60),
          testing::makeJpeg(p, testing::JpegKind::Arithmetic, 60)};
}

// Photos with their orientation recorded, in both byte orders.
std::vector<std::vector<uint8_t>> exifSeeds() {
  const auto photo = testing::makeJpeg(testing::testPattern(24, 16), testing::JpegKind::Rgb, 60);
  return {testing::withExif(photo, 6, false), testing::withExif(photo, 3, true)};
}

void writeAll(const fs::path& dir, const std::vector<std::vector<uint8_t>>& files, int prefix = -1) {
  fs::create_directories(dir);
  int n = 0;
  for (const auto& f : files) {
    std::ofstream out(dir / ("seed" + std::to_string(n++)), std::ios::binary);
    if (prefix >= 0) out.put(char(prefix));
    out.write(reinterpret_cast<const char*>(f.data()), std::streamsize(f.size()));
  }
}

TEST(FuzzSeeds, AreWrittenWhenAsked) {
  const char* dir = std::getenv("VORN_FUZZ_SEEDS");
  if (!dir || !*dir) GTEST_SKIP() << "VORN_FUZZ_SEEDS not set";
  const fs::path root(dir);
  writeAll(root / "bmp", bmpSeeds());
  writeAll(root / "gif", gifSeeds());
  writeAll(root / "ico", icoSeeds());
  writeAll(root / "jpeg", jpegSeeds());
  writeAll(root / "exif", exifSeeds());
  // The container target's first byte picks the extension: 0 wmf, 1 emf,
  // 2 ico, 3 bmp, 4 gif, 5 jpeg.
  fs::create_directories(root / "picture");
  writeAll(root / "picture" / "wmf", {testing::smallWmf()}, 0);
  writeAll(root / "picture" / "emf", {testing::smallEmf()}, 1);
  writeAll(root / "picture" / "ico", icoSeeds(), 2);
  writeAll(root / "picture" / "bmp", bmpSeeds(), 3);
  writeAll(root / "picture" / "gif", gifSeeds(), 4);
  writeAll(root / "picture" / "jpeg", jpegSeeds(), 5);
  const char* subs[] = {"wmf", "emf", "ico", "bmp", "gif", "jpeg"};
  for (const char* sub : subs)  // libFuzzer wants flat folders
    for (const auto& e : fs::directory_iterator(root / "picture" / sub))
      fs::rename(e.path(), root / "picture" / (std::string(sub) + "-" + e.path().filename().string()));
  for (const char* sub : subs) fs::remove(root / "picture" / sub);
}

TEST(FuzzSeeds, AllDecode) {
  for (const auto& f : bmpSeeds()) EXPECT_TRUE(decodeBmp(f.data(), f.size()).ok());
  for (const auto& f : gifSeeds()) EXPECT_TRUE(decodeGif(f.data(), f.size()).ok());
  for (const auto& f : icoSeeds()) EXPECT_TRUE(decodeIco(f.data(), f.size()).ok());
  for (const auto& f : jpegSeeds()) EXPECT_TRUE(decodeJpeg(f.data(), f.size()).ok());
  for (const auto& f : exifSeeds()) EXPECT_TRUE(decodeJpeg(f.data(), f.size()).ok());
#ifdef _WIN32  // the native build plays no metafiles
  const auto wmf = testing::smallWmf(), emf = testing::smallEmf();
  EXPECT_TRUE(decodeWmf(wmf.data(), wmf.size()).ok());
  EXPECT_TRUE(decodeEmf(emf.data(), emf.size()).ok());
#endif
}

TEST(MalformedFiles, EachGivesAnErrorOrAPictureAndKeepsTheContainer) {
  const fs::path root = fs::path(VORN_TEST_DATA) / "malformed";
  const struct {
    const char* dir;
    const char* ext;
  } kinds[] = {{"bmp", "bmp"}, {"gif", "gif"}, {"ico", "ico"}, {"jpeg", "jpg"}};
  const auto seed = testing::bmpOf(testing::testPattern(3, 3));
  for (const auto& k : kinds) {
    int files = 0;
    for (const auto& e : fs::directory_iterator(root / k.dir)) {
      std::ifstream in(e.path(), std::ios::binary);
      std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      TPicture pic;
      ASSERT_TRUE(pic.LoadFromBytes("seed.bmp", seed.data(), seed.size()).ok());
      TGraphic* before = pic.graphic();
      const auto s = pic.LoadFromBytes(std::string("x.") + k.ext, bytes.data(), bytes.size());
      if (!s) {
        EXPECT_EQ(pic.graphic(), before) << e.path();
        EXPECT_FALSE(s.error().empty()) << e.path();
      } else {
        Bitmap24 dst(8, 8);
        pic.graphic()->draw(dst, Rect{0, 0, 8, 8});
      }
      ++files;
    }
    EXPECT_GT(files, 0) << k.dir;  // a lost folder would pass unseen
  }
}

}  // namespace
}  // namespace vorn

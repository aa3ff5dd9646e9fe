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
  return {testing::makeGif(a), testing::makeGif(b)};
}

std::vector<std::vector<uint8_t>> icoSeeds() {
  Bitmap24 c = testing::testPattern(4, 4);
  std::vector<uint8_t> mask(16, 0);
  mask[3] = 1;
  std::vector<uint8_t> alpha(16, 200);
  return {testing::makeIco({{4, 4, 24, testing::iconDib(c, 24, mask)},
                            {4, 4, 32, testing::iconDib(c, 32, mask, alpha)}})};
}

std::vector<std::vector<uint8_t>> jpegSeeds() {
  const Bitmap24 p = testing::testPattern(24, 16);
  return {testing::makeJpeg(p, testing::JpegKind::Rgb, 60), testing::makeJpeg(p, testing::JpegKind::Grey, 60),
          testing::makeJpeg(p, testing::JpegKind::AdobeCmyk, 60),
          testing::makeJpeg(p, testing::JpegKind::Progressive, 60)};
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
  // The container target's first byte picks the extension: 2 ico, 3 bmp, 4 gif, 5 jpeg.
  fs::create_directories(root / "picture");
  writeAll(root / "picture" / "ico", icoSeeds(), 2);
  writeAll(root / "picture" / "bmp", bmpSeeds(), 3);
  writeAll(root / "picture" / "gif", gifSeeds(), 4);
  writeAll(root / "picture" / "jpeg", jpegSeeds(), 5);
  for (const char* sub : {"ico", "bmp", "gif", "jpeg"})  // libFuzzer wants flat folders
    for (const auto& e : fs::directory_iterator(root / "picture" / sub))
      fs::rename(e.path(), root / "picture" / (std::string(sub) + "-" + e.path().filename().string()));
  for (const char* sub : {"ico", "bmp", "gif", "jpeg"}) fs::remove(root / "picture" / sub);
}

TEST(FuzzSeeds, AllDecode) {
  for (const auto& f : bmpSeeds()) EXPECT_TRUE(decodeBmp(f.data(), f.size()).ok());
  for (const auto& f : gifSeeds()) EXPECT_TRUE(decodeGif(f.data(), f.size()).ok());
  for (const auto& f : icoSeeds()) EXPECT_TRUE(decodeIco(f.data(), f.size()).ok());
  for (const auto& f : jpegSeeds()) EXPECT_TRUE(decodeJpeg(f.data(), f.size()).ok());
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

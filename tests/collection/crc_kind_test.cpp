#include <gtest/gtest.h>

#include <vector>

#include "collection/crc32.h"
#include "collection/item_kind.h"
#include "platform/fake/fake_file_system.h"

namespace vorn {
namespace {

TEST(MediaCrc, AbcGivesTheUnfinalisedRegister) {
  const uint8_t abc[] = {'a', 'b', 'c'};
  EXPECT_EQ(CRC32(0, abc, 3), 0xCA6598D0u);
  // With the usual pre- and post-inversion the same table gives the standard CRC-32.
  EXPECT_EQ(CRC32(0xFFFFFFFFu, abc, 3) ^ 0xFFFFFFFFu, 0x352441C2u);
}

TEST(MediaCrc, FastLoopMatchesTheBytewiseDefinition) {
  uint32_t table[256];
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[i] = c;
  }
  std::vector<uint8_t> data(5000);
  uint32_t x = 12345;
  for (auto& b : data) b = uint8_t((x = x * 1103515245u + 12345u) >> 16);
  for (int64_t len : {1, 7, 8, 9, 63, 4096, 4999}) {
    for (uint32_t init : {0u, 0xFFFFFFFFu, 0xDEADBEEFu}) {
      uint32_t ref = init;
      for (int64_t i = 0; i < len; ++i) ref = (ref >> 8) ^ table[(ref ^ data[size_t(i) + 1]) & 0xFF];
      EXPECT_EQ(CRC32(init, data.data() + 1, len), ref) << len;  // unaligned start on purpose
    }
  }
}

TEST(MediaCrc, NullDataOrNonPositiveLengthReturnsTheRegister) {
  const uint8_t b[] = {1};
  EXPECT_EQ(CRC32(0x1234, nullptr, 5), 0x1234u);
  EXPECT_EQ(CRC32(0x1234, b, 0), 0x1234u);
  EXPECT_EQ(CRC32(0x1234, b, -3), 0x1234u);
}

TEST(MediaCrc, OnlyTheFirst4096BytesCount) {
  fake::FakeFileSystem fs;
  std::vector<uint8_t> data(5000);
  for (size_t i = 0; i < data.size(); ++i) data[i] = uint8_t(i * 7);
  fs.addFile("a.avi", data);
  const auto before = FileCRC(fs, "a.avi");
  data[4096] ^= 0xFF;
  fs.addFile("a.avi", data);
  EXPECT_EQ(FileCRC(fs, "a.avi"), before);
  data[4095] ^= 0xFF;
  fs.addFile("a.avi", data);
  EXPECT_NE(FileCRC(fs, "a.avi"), before);
}

TEST(MediaCrc, ShortFilesAreZeroFilledTo4096) {
  fake::FakeFileSystem fs;
  fs.addFile("s.bmp", std::string("abc"));
  std::vector<uint8_t> padded(4096, 0);
  padded[0] = 'a', padded[1] = 'b', padded[2] = 'c';
  EXPECT_EQ(FileCRC(fs, "s.bmp"), uint64_t(CRC32(0, padded.data(), 4096)));
  EXPECT_LT(*FileCRC(fs, "s.bmp"), 1ull << 32);  // high half zero
}

TEST(MediaCrc, MissingFileHasNoValue) {
  fake::FakeFileSystem fs;
  EXPECT_FALSE(FileCRC(fs, "nope.bmp").has_value());
}

TEST(ItemKind, MoviesByExtensionPrefix) {
  for (const char* m : {"a.mpg", "b.MPEG", "c.mpe", "d.mp3", "e.Mp4", "f.avi", "C:\\x\\g.AVI"})
    EXPECT_TRUE(isMovie(m)) << m;
  for (const char* p : {"a.bmp", "b.jpg", "noext", "dir.mpg\\file", "x.m", "y.av", ".gif"})
    EXPECT_FALSE(isMovie(p)) << p;
}

TEST(ItemKind, ListIconIsTheNarrowerSubstringRule) {
  EXPECT_TRUE(hasMovieIcon("a.mpg"));
  EXPECT_TRUE(hasMovieIcon("a.MPEG"));
  EXPECT_TRUE(hasMovieIcon("a.avi"));
  EXPECT_TRUE(hasMovieIcon("a.mp"));  // ".MP" occurs in the list
  EXPECT_FALSE(hasMovieIcon("a.mp3"));  // a movie for the show, a picture icon in the list
  EXPECT_FALSE(hasMovieIcon("a.mp4"));
  EXPECT_FALSE(hasMovieIcon("noext"));
  EXPECT_FALSE(hasMovieIcon("a.bmp"));
}

TEST(ItemKind, WaveSoundsByExtension) {
  EXPECT_TRUE(isWaveSound("x.wav"));
  EXPECT_TRUE(isWaveSound("C:\\a\\X.WAV"));
  EXPECT_FALSE(isWaveSound("x.mid"));
  EXPECT_FALSE(isWaveSound("x.wave"));
}

TEST(ItemKind, FileNamePartFollowsTheLastBackslashOrColon) {
  EXPECT_EQ(fileNamePart("C:\\dir\\pic.bmp"), "pic.bmp");
  EXPECT_EQ(fileNamePart("C:pic.bmp"), "pic.bmp");
  EXPECT_EQ(fileNamePart("pic.bmp"), "pic.bmp");
  EXPECT_EQ(fileNamePart("C:\\dir\\"), "");
  EXPECT_EQ(listCaptionOf("C:\\dir\\Nyár 2.jpg"), "Nyár 2");
  EXPECT_EQ(listCaptionOf("C:\\dir.x\\noext"), "noext");
}

}  // namespace
}  // namespace vorn

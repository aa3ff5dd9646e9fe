#include <gtest/gtest.h>

#include "platform/fake/fake_version_info.h"
#include "saverhost/file_version.h"

using namespace vorn;
using namespace vorn::saverhost;

namespace {

FixedFileInfo block(uint32_t fms, uint32_t fls, uint32_t pms, uint32_t pls) {
  FixedFileInfo b;
  b.words[0] = 0xFEEF04BD;  // signature
  b.words[1] = 0x00010000;  // structure version
  b.words[2] = fms;
  b.words[3] = fls;
  b.words[4] = pms;
  b.words[5] = pls;
  return b;
}

}  // namespace

TEST(FileVersion, ReadsFileAndProductNumbersFromTheFixedBlock) {
  fake::FakeVersionInfoReader r;
  r.blocks["C:\\Vorn.scr"] = block(0x00020001, 0x00020064, 0x00030004, 0x00050006);
  TFileVersion v;
  GetFileVersion(r, "C:\\Vorn.scr", v);
  EXPECT_TRUE(v.Valid);
  EXPECT_EQ(v.major(), 2);
  EXPECT_EQ(v.minor(), 1);
  EXPECT_EQ(v.release(), 2);
  EXPECT_EQ(v.build(), 100);
  EXPECT_EQ(v.ProductMS, 0x00030004u);
  EXPECT_EQ(v.ProductLS, 0x00050006u);
}

TEST(FileVersion, FileWithoutVersionInformationGivesAnInvalidZeroRecord) {
  fake::FakeVersionInfoReader r;
  TFileVersion v{true, 9, 9, 9, 9};
  GetFileVersion(r, "C:\\plain.exe", v);
  EXPECT_FALSE(v.Valid);
  EXPECT_EQ(v.FileMS, 0u);
  EXPECT_EQ(v.FileLS, 0u);
  EXPECT_EQ(v.ProductMS, 0u);
  EXPECT_EQ(v.ProductLS, 0u);
  EXPECT_EQ(r.reads, 0);  // size 0: nothing is read
}

TEST(FileVersion, FailedReadOrQueryIsInvalid) {
  fake::FakeVersionInfoReader r;
  r.blocks["f"] = block(1, 2, 3, 4);
  r.failRead = true;
  TFileVersion v;
  GetFileVersion(r, "f", v);
  EXPECT_FALSE(v.Valid);
  r.failRead = false;
  r.failQuery = true;
  GetFileVersion(r, "f", v);
  EXPECT_FALSE(v.Valid);
  FixedFileInfo out = block(7, 7, 7, 7);
  EXPECT_FALSE(GetFixedFileInfo(r, "f", out));
  EXPECT_EQ(out.fileVersionMS(), 7u);  // the caller's block is left alone on failure
}

TEST(FileVersion, FixedBlockIsCopiedWhole) {
  fake::FakeVersionInfoReader r;
  FixedFileInfo b = block(1, 2, 3, 4);
  for (size_t i = 6; i < 13; ++i) b.words[i] = 0x100 + static_cast<uint32_t>(i);
  r.blocks["f"] = b;
  FixedFileInfo out;
  ASSERT_TRUE(GetFixedFileInfo(r, "f", out));
  EXPECT_EQ(out.words, b.words);
}

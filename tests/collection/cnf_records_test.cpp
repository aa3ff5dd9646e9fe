#include <gtest/gtest.h>

#include "collection/cnf_records.h"

namespace vorn {
namespace {

TEST(CnfRecords, ReadsLittleEndianFieldsAtTheirOffsets) {
  TCNFHeader h;
  h.zeroFill();
  uint8_t* b = h.bytes();
  b[0x3B0] = 0x78, b[0x3B1] = 0x56, b[0x3B2] = 0x34, b[0x3B3] = 0x12;  // ChgInt
  b[0x3A4] = 0x01, b[0x3A5] = 0x02;                                    // CommentLen
  b[0x3A8] = 0xFF, b[0x3AA] = 0x80;                                    // BckColor 0x00BBGGRR
  b[0xDC] = 0xFF, b[0xDD] = 0xFF, b[0xDE] = 0xFF, b[0xDF] = 0xFF;     // ItemCount -1
  EXPECT_EQ(h.ChgInt(), 0x12345678);
  EXPECT_EQ(h.CommentLen(), 0x0201);
  EXPECT_EQ(h.BckColor(), 0x008000FFu);
  EXPECT_EQ(h.ItemCount(), -1);
}

TEST(CnfRecords, WritesFieldsWithoutTouchingNeighbours) {
  TCNFItem it;
  std::memset(it.bytes(), 0xAA, TCNFItem::kSize);
  it.setChgInt(-2);
  EXPECT_EQ(it.bytes()[0x297], 0xAA);
  EXPECT_EQ(it.bytes()[0x298], 0xFE);
  EXPECT_EQ(it.bytes()[0x29B], 0xFF);
  EXPECT_EQ(it.bytes()[0x29C], 0xAA);
  it.setMediaCRC(0xCA6598D0);
  EXPECT_EQ(it.bytes()[0x100], 0xD0);
  EXPECT_EQ(it.bytes()[0x104], 0x00);
  EXPECT_EQ(it.MediaCRC(), 0xCA6598D0);
}

TEST(CnfRecords, ShortStringLengthAboveCapacityIsClampedButKept) {
  TCNFItem it;
  std::memset(it.bytes(), 'x', TCNFItem::kSize);
  it.bytes()[0x209] = 200;  // PicText length byte, capacity 64
  EXPECT_EQ(it.PicText().size(), 64u);
  EXPECT_EQ(it.bytes()[0x209], 200);  // reading does not repair the file
  it.setPicText("ab");
  EXPECT_EQ(it.bytes()[0x209], 2);
  EXPECT_EQ(it.PicText(), "ab");
  EXPECT_EQ(it.bytes()[0x209 + 3], 'x');  // the old tail stays
}

TEST(CnfRecords, TextsLongerThanTheFieldAreCut) {
  TCNFHeader h;
  h.zeroFill();
  h.setAllBckSound(std::string(300, 'a'));
  EXPECT_EQ(h.AllBckSound().size(), 255u);
  h.setCollName(std::string(70, 'n'));
  EXPECT_EQ(h.CollName().size(), 64u);
  EXPECT_EQ(h.bytes()[0x121], 0);  // CopyText's length byte untouched
}

TEST(CnfRecords, CommentUsesCommentLenClampedToTheField) {
  TCNFHeader h;
  h.zeroFill();
  h.setComment("Első sor||Második");
  EXPECT_EQ(h.CommentLen(), std::string("Első sor||Második").size());
  h.setCommentLen(60000);
  EXPECT_EQ(h.Comment().size(), 512u);
}

TEST(CnfRecords, BoolsReadAnyNonZeroAsTrueAndWriteOne) {
  TCNFHeader h;
  h.zeroFill();
  h.bytes()[0x3C4] = 7;
  EXPECT_TRUE(h.NoMouseMoveExit());
  h.setNoMouseMoveExit(true);
  EXPECT_EQ(h.bytes()[0x3C4], 1);
}

TEST(CnfRecords, SavedAtIsALittleEndianDouble) {
  TCNFHeader h;
  h.zeroFill();
  h.setSavedAt(1.5);  // 0x3FF8000000000000
  EXPECT_EQ(h.bytes()[0x30 + 7], 0x3F);
  EXPECT_EQ(h.bytes()[0x30 + 6], 0xF8);
  EXPECT_EQ(h.SavedAt(), 1.5);
}

}  // namespace
}  // namespace vorn

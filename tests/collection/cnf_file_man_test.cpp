#include <gtest/gtest.h>

#include "cnf_file_man_fixture.h"
#include "cnf_test_files.h"
#include "text/cp1250.h"

namespace vorn {
namespace {

using testing::headerBytes;
using testing::randomCollection;

constexpr const char* kPath = testing::kCnfPath;

using Fixture = testing::CnfDisk;

void setSavedAt(std::vector<uint8_t>& b, double v) {
  TCNFHeader h;
  std::memcpy(h.bytes(), b.data(), TCNFHeader::kSize);
  h.setSavedAt(v);
  std::memcpy(b.data(), h.bytes(), TCNFHeader::kSize);
}

TEST(CollectionFile, FileNameStartsBesideTheProgram) {
  Fixture f;
  EXPECT_EQ(f.man.FileName, kPath);
}

TEST(CollectionFile, RoundTripIsByteExactForRandomFiles) {
  for (uint32_t seed = 1; seed <= 20; ++seed) {
    Fixture f;
    auto bytes = randomCollection(seed, int(seed % 7));
    setSavedAt(bytes, 45000.5);
    f.fs.addFile(kPath, bytes);
    f.man.LoadFromFile();
    ASSERT_EQ(f.man.Count(), int(seed % 7));
    ASSERT_TRUE(f.man.SaveToFile());
    EXPECT_EQ(*f.fs.contents(kPath), bytes) << "seed " << seed;
    EXPECT_TRUE(f.boxes.shown.empty());
  }
}

TEST(CollectionFile, KeepsReservedBytesThroughSaveAndLoadWhenSettingsChange) {
  Fixture f;
  auto bytes = randomCollection(99, 3);
  f.fs.addFile(kPath, bytes);
  f.man.LoadFromFile();
  f.man.header.setChgInt(7);
  f.man.header.setCollName(text::W1250("Rövid"));  // 5 bytes in Windows-1250
  ASSERT_TRUE(f.man.SaveToFile());
  auto out = *f.fs.contents(kPath);
  ASSERT_EQ(out.size(), bytes.size());
  for (size_t i = 0; i < out.size(); ++i) {
    const bool savedAt = i >= 48 && i < 56;
    const bool chgInt = i >= 0x3B0 && i < 0x3B4;
    const bool collName = i >= 0xE0 && i < 0xE0 + 1 + 5;  // length byte + the text
    if (savedAt || chgInt || collName) continue;
    ASSERT_EQ(out[i], bytes[i]) << "offset " << i;
  }
  EXPECT_EQ(out[0xE0], 5);
}

TEST(CollectionFile, SaveSetsSignatureCountAndSaveTime) {
  Fixture f;
  TCNFItem it = testing::itemFor("a.bmp", 1);
  f.man.Add(it);
  f.man.Add(it);
  ASSERT_TRUE(f.man.SaveToFile());
  auto out = *f.fs.contents(kPath);
  ASSERT_EQ(out.size(), TCNFHeader::kSize + 2 * TCNFItem::kSize);
  EXPECT_EQ(std::memcmp(out.data(), "VornGen2_Kettrel", 16), 0);
  TCNFHeader h;
  std::memcpy(h.bytes(), out.data(), TCNFHeader::kSize);
  EXPECT_EQ(h.ItemCount(), 2);
  EXPECT_EQ(h.SavedAt(), 45000.5);
  EXPECT_EQ(f.man.header.ItemCount(), 2);
}

TEST(CollectionFile, EveryTruncationPointKeepsOnlyCompleteRecords) {
  auto full = randomCollection(5, 2);
  for (size_t len = 0; len <= full.size(); ++len) {
    Fixture f;
    f.fs.addFile(kPath, std::vector<uint8_t>(full.begin(), full.begin() + len));
    f.man.LoadFromFile();
    if (len < 16) {
      EXPECT_EQ(f.boxes.shown.size(), 1u) << len;
      EXPECT_EQ(f.man.Count(), 0);
      continue;
    }
    EXPECT_TRUE(f.boxes.shown.empty()) << len;
    const int expected = len < TCNFHeader::kSize ? 0 : int((len - TCNFHeader::kSize) / TCNFItem::kSize);
    ASSERT_EQ(f.man.Count(), expected) << len;
    // The part of the header that was there is held; the rest reads as zero.
    for (size_t i = 0; i < TCNFHeader::kSize; ++i)
      ASSERT_EQ(f.man.header.bytes()[i], i < len ? full[i] : 0) << len << "@" << i;
    TCNFItem it;
    for (int k = 0; k < expected; ++k) {
      ASSERT_TRUE(f.man.GetItem(k, it));
      ASSERT_EQ(std::memcmp(it.bytes(), full.data() + TCNFHeader::kSize + k * TCNFItem::kSize,
                            TCNFItem::kSize), 0);
    }
  }
}

TEST(CollectionFile, ShortFileThenSaveWritesTheHeldCount) {
  Fixture f;
  auto full = randomCollection(6, 3);
  full.resize(full.size() - 10);
  f.fs.addFile(kPath, full);
  f.man.LoadFromFile();
  EXPECT_EQ(f.man.Count(), 2);
  EXPECT_EQ(f.man.LastLoadMissing(), 1);
  ASSERT_TRUE(f.man.SaveToFile());
  TCNFHeader h;
  std::memcpy(h.bytes(), f.fs.contents(kPath)->data(), TCNFHeader::kSize);
  EXPECT_EQ(h.ItemCount(), 2);
  EXPECT_EQ(f.fs.contents(kPath)->size(), TCNFHeader::kSize + 2 * TCNFItem::kSize);
}

TEST(CollectionFile, HugeItemCountReadsOnlyWhatIsThere) {
  for (int32_t count : {0x7FFFFFFF, 0x10000000, 5000000}) {
    Fixture f;
    auto b = headerBytes(count);
    b.resize(b.size() + TCNFItem::kSize, 0x11);
    f.fs.addFile(kPath, b);
    f.man.LoadFromFile();
    EXPECT_EQ(f.man.Count(), 1);
    EXPECT_EQ(f.man.LastLoadMissing(), count - 1);
  }
}

TEST(CollectionFile, RandomBytesAfterTheSignatureNeverBreakTheReader) {
  std::mt19937 rng(77);
  for (int round = 0; round < 200; ++round) {
    Fixture f;
    std::vector<uint8_t> b(rng() % 5000);
    for (auto& x : b) x = uint8_t(rng());
    if (round % 2 && b.size() >= 16) std::memcpy(b.data(), kCnfMagic, 16);
    f.fs.addFile(kPath, b);
    f.man.LoadFromFile();
    const size_t complete = b.size() < TCNFHeader::kSize ? 0 : (b.size() - TCNFHeader::kSize) / TCNFItem::kSize;
    ASSERT_LE(size_t(f.man.Count()), complete);
    // Every text accessor stays inside its field whatever the length bytes say.
    EXPECT_LE(f.man.header.CollName().size(), 64u);
    EXPECT_LE(f.man.header.AllBckSound().size(), 255u);
    EXPECT_LE(f.man.header.Comment().size(), 512u);
    TCNFItem it;
    for (int i = 0; i < f.man.Count(); ++i) {
      f.man.GetItem(i, it);
      EXPECT_LE(it.MediaPath().size(), 255u);
      EXPECT_LE(it.PicTextFont().size(), 64u);
    }
  }
}

TEST(CollectionFile, ZeroOrNegativeItemCountLoadsTheHeaderOnly) {
  for (int32_t count : {0, -1, int32_t(0x80000000)}) {
    Fixture f;
    auto b = headerBytes(count);
    b[0xE0] = 3, b[0xE1] = 'A', b[0xE2] = 'b', b[0xE3] = 'c';  // CollName "Abc"
    b.resize(b.size() + 2 * TCNFItem::kSize, 0x22);
    f.fs.addFile(kPath, b);
    f.man.LoadFromFile();
    EXPECT_EQ(f.man.Count(), 0);
    EXPECT_EQ(f.man.header.CollName(), "Abc");
    EXPECT_TRUE(f.man.LastLoadAccepted());
  }
}

TEST(CollectionFile, WrongSignatureShowsTheMessageWithTheFirstBytes) {
  Fixture f;
  auto b = headerBytes(2, "VornGen1_Kettrel");
  b.resize(b.size() + 2 * TCNFItem::kSize);
  f.fs.addFile(kPath, b);
  f.man.LoadFromFile();
  EXPECT_EQ(f.man.Count(), 0);
  EXPECT_FALSE(f.man.LastLoadAccepted());
  ASSERT_EQ(f.boxes.shown.size(), 1u);
  EXPECT_EQ(f.boxes.shown[0].caption, "HIBA VornGen1_Kettrel");
  EXPECT_EQ(f.boxes.shown[0].text,
            text::W1250("A megnyitandó állomány nem a Vorn képernyővédő projektállománya, vagy egy "
                        "régi változattal készült"));
  EXPECT_EQ(f.man.header.ItemCount(), 2);  // the bytes read stay
}

TEST(CollectionFile, SignatureCaptionStopsAtTheFirstZeroByte) {
  Fixture f;
  f.fs.addFile(kPath, std::string("GIF89a\0\0\x01\x02junkjunk", 18));
  f.man.LoadFromFile();
  ASSERT_EQ(f.boxes.shown.size(), 1u);
  EXPECT_EQ(f.boxes.shown[0].caption, "HIBA GIF89a");
}

TEST(CollectionFile, SignatureCaptionIsAtMostSixteenBytes) {
  Fixture f;
  f.fs.addFile(kPath, std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
  f.man.LoadFromFile();
  ASSERT_EQ(f.boxes.shown.size(), 1u);
  EXPECT_EQ(f.boxes.shown[0].caption, "HIBA ABCDEFGHIJKLMNOP");
}

TEST(CollectionFile, EmptyOrTinyFileIsAWrongSignature) {
  for (const char* content : {"", "Vorn", "VornGen2_Kettre"}) {
    Fixture f;
    f.fs.addFile(kPath, std::string(content));
    f.man.LoadFromFile();
    ASSERT_EQ(f.boxes.shown.size(), 1u) << content;
    EXPECT_EQ(f.boxes.shown[0].caption, std::string("HIBA ") + content);
  }
}

TEST(CollectionFile, MissingFileKeepsTheHeaderAndSaysNothing) {
  Fixture f;
  f.man.header.setCollName("régi");
  f.man.Add(testing::itemFor("x", 0));
  f.man.LoadFromFile();
  EXPECT_EQ(f.man.Count(), 0);
  EXPECT_EQ(f.man.header.CollName(), "régi");
  EXPECT_TRUE(f.boxes.shown.empty());
  EXPECT_FALSE(f.man.LastLoadAccepted());
}

TEST(CollectionFile, GetItemOutsideTheListLeavesTheDestination) {
  Fixture f;
  f.man.Add(testing::itemFor("a.bmp", 1));
  TCNFItem dest;
  std::memset(dest.bytes(), 0x5A, TCNFItem::kSize);
  EXPECT_FALSE(f.man.GetItem(-1, dest));
  EXPECT_FALSE(f.man.GetItem(1, dest));
  for (size_t i = 0; i < TCNFItem::kSize; ++i) ASSERT_EQ(dest.bytes()[i], 0x5A);
  EXPECT_TRUE(f.man.GetItem(0, dest));
  EXPECT_EQ(dest.MediaPath(), "a.bmp");
  EXPECT_EQ(dest.bytes()[700], 0);  // zero-filled, then copied
}

TEST(CollectionFile, SetItemAddDeleteWorkByCopy) {
  Fixture f;
  TCNFItem a = testing::itemFor("a", 1), b = testing::itemFor("b", 2), c = testing::itemFor("c", 3);
  EXPECT_EQ(f.man.Add(a), 0);
  EXPECT_EQ(f.man.Add(b), 1);
  a.setMediaPath("changed");  // the manager holds its own copy
  TCNFItem out;
  f.man.GetItem(0, out);
  EXPECT_EQ(out.MediaPath(), "a");
  f.man.SetItem(1, c);
  f.man.SetItem(2, a);   // outside: nothing
  f.man.SetItem(-1, a);  // outside: nothing
  f.man.GetItem(1, out);
  EXPECT_EQ(out.MediaPath(), "c");
  EXPECT_EQ(f.man.Count(), 2);
  f.man.Delete(5);  // invalid index: ignored instead of corrupting the list
  f.man.Delete(0);
  ASSERT_EQ(f.man.Count(), 1);
  f.man.GetItem(0, out);
  EXPECT_EQ(out.MediaPath(), "c");
  f.man.Clear();
  EXPECT_EQ(f.man.Count(), 0);
}

// A save that fails at any step must leave the old file as it was, tell the
// caller, leave no temporary file behind and keep the header in memory.
TEST(CollectionSave, EveryFailingPrimitiveKeepsTheOldFileByteIdentical) {
  const auto original = randomCollection(7, 4);
  for (int which = 0; which < 5; ++which) {
    Fixture f;
    f.fs.addFile(kPath, original);
    f.man.LoadFromFile();
    f.man.header.setChgInt(42);
    const TCNFHeader before = f.man.header;
    switch (which) {
      case 0: f.fs.failOpenWriteAt(1); break;
      case 1: f.fs.failWriteAt(1); break;
      case 2: f.fs.failFlushAt(1); break;
      case 3: f.fs.failCloseAt(1); break;
      case 4: f.fs.failRenameAt(1); break;
    }
    EXPECT_FALSE(f.man.SaveToFile()) << which;
    EXPECT_EQ(*f.fs.contents(kPath), original) << which;
    EXPECT_EQ(f.fs.paths().size(), 1u) << which;
    EXPECT_EQ(std::memcmp(before.bytes(), f.man.header.bytes(), TCNFHeader::kSize), 0);
    // The next save, with the fault gone, goes through.
    EXPECT_TRUE(f.man.SaveToFile()) << which;
    EXPECT_EQ(f.man.header.ChgInt(), 42);
  }
}

TEST(CollectionSave, FullDiskKeepsTheOldFile) {
  const auto original = randomCollection(8, 3);
  for (uint64_t room : {0u, 1u, 1320u, 2000u, 3551u}) {
    Fixture f;
    f.fs.addFile(kPath, original);
    f.man.LoadFromFile();
    f.man.Add(testing::itemFor("new.bmp", 9));  // the new file is one record longer
    f.fs.setCapacity(original.size() + room);
    EXPECT_FALSE(f.man.SaveToFile()) << room;
    EXPECT_EQ(*f.fs.contents(kPath), original) << room;
    EXPECT_EQ(f.fs.paths().size(), 1u);
  }
}

TEST(CollectionSave, ReadOnlyTargetIsReportedAndKept) {
  Fixture f;
  const auto original = randomCollection(9, 1);
  f.fs.addFile(kPath, original);
  f.fs.setReadOnly(kPath, true);
  f.man.LoadFromFile();
  f.man.header.setShowMode(1);
  EXPECT_FALSE(f.man.SaveToFile());
  EXPECT_EQ(*f.fs.contents(kPath), original);
  EXPECT_EQ(f.fs.paths().size(), 1u);
}

TEST(CollectionSave, NewFileIsCreatedWhenNoneExists) {
  Fixture f;
  EXPECT_TRUE(f.man.SaveToFile());
  EXPECT_EQ(f.fs.contents(kPath)->size(), TCNFHeader::kSize);
}

}  // namespace
}  // namespace vorn

// Whether the collection file on disk is still the one the manager read or
// wrote last: what lets the configuration panel refuse to put its old items
// over a file that another program replaced.
#include <gtest/gtest.h>

#include "cnf_file_man_fixture.h"
#include "cnf_test_files.h"

namespace vorn {
namespace {

using testing::headerBytes;
using testing::randomCollection;

constexpr const char* kPath = testing::kCnfPath;

struct Disk : testing::CnfDisk {
  bool loadWith(std::vector<uint8_t> bytes) {
    fs.addFile(kPath, std::move(bytes));
    man.LoadFromFile();
    return man.FileUnchangedSinceLoad();
  }
};

TEST(CollectionFileStamp, NothingReadOrWrittenIsNeverUnchanged) {
  Disk d;
  EXPECT_FALSE(d.man.FileUnchangedSinceLoad());
  d.man.LoadFromFile();  // no file there
  EXPECT_FALSE(d.man.FileUnchangedSinceLoad());
  d.fs.addFile(kPath, randomCollection(3, 2));  // appears after the failed load
  EXPECT_FALSE(d.man.FileUnchangedSinceLoad());
}

TEST(CollectionFileStamp, EveryFileTheLoaderReadsIsRecognisedUntilItChanges) {
  struct Shape {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  auto shortLast = randomCollection(5, 3);
  shortLast.resize(shortLast.size() - 10);
  auto trailing = randomCollection(6, 2);
  trailing.insert(trailing.end(), 300, 0xAB);
  const Shape shapes[] = {
      {"complete", randomCollection(4, 5)},
      {"no items", headerBytes(0)},
      {"a partial last record", shortLast},
      {"bytes after the announced records", trailing},
      {"wrong signature", headerBytes(2, "NOT A COLLECTIO")},
      {"shorter than a header", std::vector<uint8_t>(40, 7)},
  };
  for (const Shape& s : shapes) {
    Disk d;
    EXPECT_TRUE(d.loadWith(s.bytes)) << s.what;
    auto changed = s.bytes;
    changed.push_back(1);
    d.fs.addFile(kPath, changed);
    EXPECT_FALSE(d.man.FileUnchangedSinceLoad()) << s.what << ": a longer file";
    changed = s.bytes;
    changed[changed.size() / 2] ^= 0x01;
    d.fs.addFile(kPath, changed);
    EXPECT_FALSE(d.man.FileUnchangedSinceLoad()) << s.what << ": one bit flipped";
    d.fs.addFile(kPath, s.bytes);
    EXPECT_TRUE(d.man.FileUnchangedSinceLoad()) << s.what << ": the same bytes again";
    ASSERT_TRUE(d.fs.remove(kPath));
    EXPECT_FALSE(d.man.FileUnchangedSinceLoad()) << s.what << ": deleted";
  }
}

TEST(CollectionFileStamp, OwnSaveIsTheNewReferenceAndAFailedOneKeepsTheOld) {
  Disk d;
  ASSERT_TRUE(d.loadWith(randomCollection(8, 4)));
  d.man.header.setChgInt(77);
  ASSERT_TRUE(d.man.SaveToFile());
  EXPECT_TRUE(d.man.FileUnchangedSinceLoad());

  const auto saved = *d.fs.contents(kPath);
  d.man.header.setChgInt(78);
  d.fs.failWriteAt(1);
  ASSERT_FALSE(d.man.SaveToFile());
  EXPECT_EQ(*d.fs.contents(kPath), saved);
  EXPECT_TRUE(d.man.FileUnchangedSinceLoad());
}

TEST(CollectionFileStamp, AnUnreadableFileIsNotTakenAsUnchanged) {
  Disk d;
  ASSERT_TRUE(d.loadWith(randomCollection(9, 2)));
  d.man.FileName = "C:\\Vorn\\Other.CNF";  // the path now names nothing
  EXPECT_FALSE(d.man.FileUnchangedSinceLoad());
}

}  // namespace
}  // namespace vorn

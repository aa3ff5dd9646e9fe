// Saving the collection with a fault placed at every call of every file
// primitive in turn: the file on disk is always either the whole old one or
// the whole new one, the result says which, and no temporary file stays.
#include <gtest/gtest.h>

#include "cnf_test_files.h"
#include "collection/cnf_file_man.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_message_box.h"
#include "platform/safe_save.h"

namespace vorn {
namespace {

constexpr const char* kPath = "C:\\Vorn\\Vorn.CNF";

struct Saver {
  fake::FakeFileSystem fs;
  fake::FakeMessageBoxes boxes;
  TCNFFileMan man{fs, boxes, "C:\\Vorn\\Vorn.scr"};
  std::vector<uint8_t> original;
  explicit Saver(uint32_t seed) : original(testing::randomCollection(seed, 3)) {
    man.Now = [] { return 45111.5; };
    fs.addFile(kPath, original);
    man.LoadFromFile();
    man.header.setChgInt(77);
  }
};

TEST(CollectionSaveFaults, AFaultAtAnyCallLeavesTheOldOrTheNewFileWhole) {
  for (int which = 0; which < 5; ++which) {
    for (int call = 1; call <= 3; ++call) {
      Saver s(uint32_t(10 + which));
      const std::vector<uint8_t> wanted = s.man.Serialize(45111.5);
      switch (which) {
        case 0: s.fs.failOpenWriteAt(call); break;
        case 1: s.fs.failWriteAt(call); break;
        case 2: s.fs.failFlushAt(call); break;
        case 3: s.fs.failCloseAt(call); break;
        case 4: s.fs.failRenameAt(call); break;
      }
      // Two saves in a row: the fault lands on the first, the second or neither.
      for (int round = 0; round < 2; ++round) {
        const auto before = *s.fs.contents(kPath);
        const bool saved = s.man.SaveToFile();
        const auto after = *s.fs.contents(kPath);
        if (saved) EXPECT_EQ(after, wanted) << which << "/" << call << "/" << round;
        else EXPECT_EQ(after, before) << which << "/" << call << "/" << round;
        EXPECT_EQ(s.fs.paths().size(), 1u) << which << "/" << call << "/" << round;
      }
    }
  }
}

TEST(CollectionSaveFaults, ALeftoverTemporaryFileFromACrashedSaveIsReplaced) {
  Saver s(21);
  s.fs.addFile(safeSaveTempPath(kPath), std::string("half a file"));
  ASSERT_TRUE(s.man.SaveToFile());
  EXPECT_EQ(*s.fs.contents(kPath), s.man.Serialize(45111.5));
  EXPECT_FALSE(s.fs.exists(safeSaveTempPath(kPath)));
}

TEST(CollectionSaveFaults, AReadOnlyLeftoverTemporaryFileFailsTheSaveAndKeepsTheFile) {
  Saver s(22);
  s.fs.addFile(safeSaveTempPath(kPath), std::string("stuck"));
  s.fs.setReadOnly(safeSaveTempPath(kPath), true);
  EXPECT_FALSE(s.man.SaveToFile());
  EXPECT_EQ(*s.fs.contents(kPath), s.original);
}

}  // namespace
}  // namespace vorn

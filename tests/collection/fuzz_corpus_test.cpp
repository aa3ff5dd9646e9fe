// The fuzz corpus and every crasher the fuzzers ever found, replayed through
// the reader in the ordinary test run: no crash, and what is accepted comes
// back unchanged through a save and a second load.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "collection/cnf_file_man.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_message_box.h"

namespace vorn {
namespace {

namespace fs = std::filesystem;
constexpr const char* kPath = "C:\\Vorn\\Vorn.CNF";

std::vector<fs::path> replayFiles() {
  std::vector<fs::path> out;
  for (const char* dir : {"fuzz/collection", "malformed/collection"}) {
    const fs::path d = fs::path(VORN_TEST_DATA) / dir;
    if (!fs::is_directory(d)) continue;
    for (const auto& e : fs::directory_iterator(d))
      if (e.is_regular_file()) out.push_back(e.path());
  }
  return out;
}

TEST(CollectionFuzzCorpus, EveryFileLoadsSavesAndReloadsUnchanged) {
  const auto files = replayFiles();
#ifdef _WIN32
  if (files.empty()) GTEST_SKIP() << "the source tree is not reachable from here";
#endif
  ASSERT_FALSE(files.empty());
  for (const fs::path& p : files) {
    std::ifstream in(p, std::ios::binary);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    fake::FakeFileSystem disk;
    fake::FakeMessageBoxes boxes;
    disk.addFile(kPath, bytes);
    TCNFFileMan man(disk, boxes, "C:\\Vorn\\Vorn.scr");
    man.Now = [] { return 45000.25; };
    man.LoadFromFile();
    if (!man.LastLoadAccepted()) {
      EXPECT_EQ(man.Count(), 0) << p;
      continue;
    }
    ASSERT_TRUE(man.SaveToFile()) << p;
    TCNFFileMan again(disk, boxes, "C:\\Vorn\\Vorn.scr");
    again.LoadFromFile();
    EXPECT_TRUE(again.LastLoadAccepted()) << p;
    EXPECT_EQ(std::memcmp(man.header.bytes(), again.header.bytes(), TCNFHeader::kSize), 0) << p;
    ASSERT_EQ(again.Count(), man.Count()) << p;
    TCNFItem a, b;
    for (int i = 0; i < man.Count(); ++i) {
      man.GetItem(i, a);
      again.GetItem(i, b);
      EXPECT_EQ(std::memcmp(a.bytes(), b.bytes(), TCNFItem::kSize), 0) << p << " item " << i;
    }
  }
}

}  // namespace
}  // namespace vorn

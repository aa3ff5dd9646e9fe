#ifndef _WIN32
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "collection/cnf_file_man.h"
#include "platform/fake/fake_message_box.h"
#include "platform/posix_file_system.h"
#include "platform/safe_save.h"
#include "text/cp1250.h"

namespace vorn {
namespace {

struct TempDir {
  std::string path;
  TempDir() {
    char tmpl[] = "/tmp/vorn-coll-XXXXXX";
    path = mkdtemp(tmpl);
  }
  ~TempDir() { std::system(("rm -rf '" + path + "'").c_str()); }
};

std::string slurp(const std::string& p) {
  std::ifstream f(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), {}};
}

TEST(PosixFileSystem, MapsWindowsPathsAndTheWineDrive) {
  EXPECT_EQ(PosixFileSystem::nativePath("Z:\\tmp\\a.bmp"), "/tmp/a.bmp");
  EXPECT_EQ(PosixFileSystem::nativePath("dir\\k\xE9p.bmp"), "dir/kép.bmp");  // Windows-1250 é
  EXPECT_EQ(PosixFileSystem::nativePath("C:\\x"), "C:/x");
}

TEST(PosixFileSystem, SafeSaveReplacesTheFileAndRefusesAReadOnlyOne) {
  TempDir d;
  PosixFileSystem fs;
  const std::string target = d.path + "/" + text::W1250("Kép.CNF");
  ASSERT_TRUE(saveFileSafely(fs, target, {'o', 'l', 'd'}));
  ASSERT_TRUE(saveFileSafely(fs, target, {'n', 'e', 'w', '!'}));
  EXPECT_EQ(slurp(d.path + "/Kép.CNF"), "new!");
  EXPECT_FALSE(fs.exists(safeSaveTempPath(target)));
  auto read = fs.readFile(target, 2);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->size(), 2u);
  EXPECT_TRUE(fs.exists(target));
  EXPECT_FALSE(fs.exists(d.path));  // folders are not files
  ASSERT_EQ(chmod((d.path + "/Kép.CNF").c_str(), 0444), 0);
  EXPECT_FALSE(saveFileSafely(fs, target, {'x'}));
  EXPECT_EQ(slurp(d.path + "/Kép.CNF"), "new!");
  EXPECT_FALSE(fs.exists(safeSaveTempPath(target)));
}

TEST(PosixFileSystem, UnwritableFolderFailsTheSaveAndKeepsTheOldFile) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
  TempDir d;
  PosixFileSystem fs;
  const std::string target = d.path + "/c.cnf";
  ASSERT_TRUE(saveFileSafely(fs, target, {'o'}));
  chmod(d.path.c_str(), 0555);
  EXPECT_FALSE(saveFileSafely(fs, target, {'n'}));
  chmod(d.path.c_str(), 0755);
  EXPECT_EQ(slurp(target), "o");
}

TEST(PosixFileSystem, MissingFileReadsAsAnError) {
  PosixFileSystem fs;
  EXPECT_FALSE(fs.readFile("/nonexistent/vorn/x.cnf", 10));
  EXPECT_FALSE(fs.findFirst("/nonexistent/vorn/x.cnf"));
}

}  // namespace
}  // namespace vorn
#endif

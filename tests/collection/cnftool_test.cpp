#ifdef VORN_HAVE_CNFTOOL
#include <gtest/gtest.h>

#include <sstream>

#include "cnf_test_files.h"
#include "cnf_json.h"
#include "cnftool.h"
#include "collection/crc32.h"
#include "platform/fake/fake_file_system.h"
#include "text/cp1250.h"

namespace vorn {
namespace {

struct Tool {
  fake::FakeFileSystem fs;
  std::ostringstream out, err;
  cnftool::Env env{fs, out, err, [](const std::string& p) { return "Z:\\w\\" + p; },
                   [] { return 45000.25; }};
  int run(std::vector<std::string> args) {
    out.str("");
    err.str("");
    return cnftool::run(args, env);
  }
};

TEST(CnfTool, JsonQuotesEmptyTextsAndEscapesControlCharacters) {
  TCNFHeader h;
  h.zeroFill();
  EXPECT_EQ(cnftool::cnfFieldJson(h.bytes(), *findCnfField(cnfHeaderFields(), "CollName")), "\"\"");
  EXPECT_EQ(cnftool::jsonQuote("a\"\\\n\x01"), "\"a\\\"\\\\\\n\\u0001\"");
}

TEST(CnfTool, CreateStoresPathsCrcsAndStickyItemFields) {
  Tool t;
  t.fs.addFile("a.bmp", std::string("BM-a"));
  t.fs.addFile("b.gif", std::string("GIF89a"));
  ASSERT_EQ(t.run({"create", "out.CNF", "-h", "CollName=Bemutató", "-h", "ChgIntMode=1", "-i",
                   "ChgInt=2", "-i", "PicText=Első kép", "a.bmp", "-i", "EffectNum=3", "b.gif"}),
            0)
      << t.err.str();
  auto bytes = *t.fs.contents("out.CNF");
  ASSERT_EQ(bytes.size(), TCNFHeader::kSize + 2 * TCNFItem::kSize);
  TCNFHeader h;
  std::memcpy(h.bytes(), bytes.data(), TCNFHeader::kSize);
  EXPECT_TRUE(h.hasValidMagic());
  EXPECT_EQ(h.CollName(), text::W1250("Bemutató"));
  EXPECT_EQ(h.ChgIntMode(), 1);
  EXPECT_EQ(h.SavedAt(), 45000.25);
  TCNFItem a, b;
  std::memcpy(a.bytes(), bytes.data() + TCNFHeader::kSize, TCNFItem::kSize);
  std::memcpy(b.bytes(), bytes.data() + TCNFHeader::kSize + TCNFItem::kSize, TCNFItem::kSize);
  EXPECT_EQ(a.MediaPath(), "Z:\\w\\a.bmp");
  const std::string ca = "BM-a";
  EXPECT_EQ(uint64_t(a.MediaCRC()), mediaCrcOf(reinterpret_cast<const uint8_t*>(ca.data()), ca.size()));
  EXPECT_EQ(a.ChgInt(), 2);
  EXPECT_EQ(a.EffectNum(), 0);
  EXPECT_EQ(b.PicText(), text::W1250("Első kép"));  // sticky
  EXPECT_EQ(b.EffectNum(), 3);
}

TEST(CnfTool, CreateWithPathPrefixStoresPrefixAndName) {
  Tool t;
  t.fs.addFile("dir/x.jpg", std::string("jpeg"));
  ASSERT_EQ(t.run({"create", "o.cnf", "--path-prefix", "C:\\Képek\\", "dir/x.jpg"}), 0) << t.err.str();
  t.run({"dump", "--json", "o.cnf"});
  EXPECT_NE(t.out.str().find("\"MediaPath\": \"C:\\\\Képek\\\\x.jpg\""), std::string::npos) << t.out.str();
}

TEST(CnfTool, CreateRejectsBadInputWithoutWriting) {
  Tool t;
  t.fs.addFile("a.bmp", std::string("x"));
  t.fs.addFile("out.cnf", std::string("keep me"));
  EXPECT_EQ(t.run({"create", "out.cnf", "a.bmp", "missing.bmp"}), 1);
  EXPECT_EQ(t.run({"create", "out.cnf", "-h", "ChgInt=abc", "a.bmp"}), 2);
  EXPECT_EQ(t.run({"create", "out.cnf", "-h", "Nope=1", "a.bmp"}), 2);
  EXPECT_EQ(t.run({"create", "out.cnf", "-h", "ItemCount=9", "a.bmp"}), 2);
  EXPECT_EQ(t.run({"create", "out.cnf", "-i", std::string("PicText=") + std::string(65, 'x'), "a.bmp"}), 2);
  EXPECT_EQ(t.run({"create", "out.cnf", "-i", "PicText=日本", "a.bmp"}), 2);
  EXPECT_EQ(t.run({"create", "out.cnf", "out.cnf"}), 2);
  EXPECT_EQ(t.run({"create", "out.cnf"}), 2);
  EXPECT_NE(t.err.str().find("cnftool:"), std::string::npos);
  EXPECT_EQ(*t.fs.contents("out.cnf"), (std::vector<uint8_t>{'k', 'e', 'e', 'p', ' ', 'm', 'e'}));
}

TEST(CnfTool, DumpJsonUsesFieldNamesAndPlainNumbers) {
  Tool t;
  t.fs.addFile("a.avi", std::string("RIFF"));
  ASSERT_EQ(t.run({"create", "c.cnf", "-h", "Comment=a\"b||c", "-h", "BckColor=#FF8000", "-h",
                   "NoMouseMoveExit=true", "a.avi"}),
            0);
  ASSERT_EQ(t.run({"dump", "--json", "c.cnf"}), 0);
  const std::string j = t.out.str();
  EXPECT_EQ(j.rfind("{\"header\": {\"Magic\": \"VornGen2_Kettrel\"", 0), 0u) << j;
  EXPECT_NE(j.find("\"ItemCount\": 1,"), std::string::npos);
  EXPECT_NE(j.find("\"Comment\": \"a\\\"b||c\""), std::string::npos) << j;
  EXPECT_NE(j.find("\"BckColor\": 33023,"), std::string::npos) << j;  // 0x000080FF
  EXPECT_NE(j.find("\"NoMouseMoveExit\": true"), std::string::npos);
  EXPECT_NE(j.find("\"items\": [{\"MediaPath\": \"Z:\\\\w\\\\a.avi\""), std::string::npos) << j;
  EXPECT_EQ(j.substr(j.size() - 4), "}]}\n");
}

TEST(CnfTool, DumpOfARejectedFileFailsWithTheReadersMessage) {
  Tool t;
  t.fs.addFile("bad.cnf", std::string("GIF89a....."));
  EXPECT_EQ(t.run({"dump", "bad.cnf"}), 1);
  EXPECT_NE(t.err.str().find("HIBA GIF89a"), std::string::npos) << t.err.str();
  EXPECT_NE(t.err.str().find("projektállománya"), std::string::npos);
  EXPECT_TRUE(t.out.str().empty());
  EXPECT_EQ(t.run({"dump", "none.cnf"}), 1);
  EXPECT_EQ(t.run({"dump"}), 2);
}

TEST(CnfTool, VerifyUsesTheInstalledFolderOrTheStoredPaths) {
  Tool t;
  t.fs.addFile("src\\p.bmp", std::string("picture"));
  ASSERT_EQ(t.run({"create", "inst\\Vorn.CNF", "src\\p.bmp"}), 0);
  // Test run: the stored full path.
  t.fs.addFile("Z:\\w\\src\\p.bmp", std::string("picture"));
  EXPECT_EQ(t.run({"verify", "inst\\Vorn.CNF", "--test"}), 0) << t.out.str();
  // Installed: inst\Vorn\p.bmp is missing, then present, then changed.
  EXPECT_EQ(t.run({"verify", "inst\\Vorn.CNF"}), 1);
  EXPECT_NE(t.out.str().find("missing: inst\\Vorn\\p.bmp"), std::string::npos) << t.out.str();
  t.fs.addFile("inst\\Vorn\\p.bmp", std::string("picture"));
  EXPECT_EQ(t.run({"verify", "inst\\Vorn.CNF"}), 0);
  t.fs.addFile("inst\\Vorn\\p.bmp", std::string("pictura"));
  EXPECT_EQ(t.run({"verify", "inst\\Vorn.CNF"}), 1);
  EXPECT_NE(t.out.str().find("changed: "), std::string::npos);
  t.fs.addFile("elsewhere\\p.bmp", std::string("picture"));
  EXPECT_EQ(t.run({"verify", "inst\\Vorn.CNF", "--media", "elsewhere"}), 0);
}

TEST(CnfTool, SetChangesHeaderSettingsAndKeepsEverythingElse) {
  Tool t;
  auto original = testing::randomCollection(3, 2);
  t.fs.addFile("r.cnf", original);
  ASSERT_EQ(t.run({"set", "r.cnf", "ChgInt=9", "DisableAllSounds=1"}), 0) << t.err.str();
  auto now = *t.fs.contents("r.cnf");
  ASSERT_EQ(now.size(), original.size());
  for (size_t i = 0; i < now.size(); ++i) {
    if ((i >= 48 && i < 56) || (i >= 0x3B0 && i < 0x3B4) || i == 0x3C5) continue;
    ASSERT_EQ(now[i], original[i]) << i;
  }
  EXPECT_EQ(now[0x3B0], 9);
  EXPECT_EQ(now[0x3C5], 1);
}

TEST(CnfTool, SetNeverTouchesTheFileOnBadInput) {
  Tool t;
  auto original = testing::randomCollection(4, 1);
  t.fs.addFile("r.cnf", original);
  EXPECT_EQ(t.run({"set", "r.cnf", "ChgInt=9", "Bogus=1"}), 2);
  EXPECT_EQ(t.run({"set", "r.cnf", "ChgInt"}), 2);
  EXPECT_EQ(t.run({"set", "r.cnf", "SavedAt=1"}), 2);
  t.fs.failRenameAt(1);
  EXPECT_EQ(t.run({"set", "r.cnf", "ChgInt=9"}), 1);
  EXPECT_EQ(*t.fs.contents("r.cnf"), original);
  // A truncated or padded file would lose bytes on a rewrite.
  auto cut = original;
  cut.resize(cut.size() - 1);
  t.fs.addFile("cut.cnf", cut);
  EXPECT_EQ(t.run({"set", "cut.cnf", "ChgInt=9"}), 1);
  EXPECT_EQ(*t.fs.contents("cut.cnf"), cut);
  t.fs.addFile("bad.cnf", std::string("not a collection"));
  EXPECT_EQ(t.run({"set", "bad.cnf", "ChgInt=9"}), 1);
}

TEST(CnfTool, UnknownCommandsAndNoArgumentsAreUsageErrors) {
  Tool t;
  EXPECT_EQ(t.run({}), 2);
  EXPECT_EQ(t.run({"frobnicate"}), 2);
  EXPECT_EQ(t.run({"--help"}), 0);
  EXPECT_NE(t.out.str().find("cnftool create"), std::string::npos);
}

}  // namespace
}  // namespace vorn
#endif

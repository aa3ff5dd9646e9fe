#include <gtest/gtest.h>

#include "bmp_files.h"
#include "codecs/picture.h"
#include "codecs/picture_formats.h"
#include "memory_files.h"

namespace vorn {
namespace {

using testing::MemoryFiles;

struct PictureFixture : ::testing::Test {
  MemoryFiles fs;
  TPicture pic;
  int changes = 0;
  void SetUp() override {
    pic.OnChange = [this] { ++changes; };
    fs.files["C:\\media\\red.bmp"] = testing::bmpOf(testing::testPattern(5, 3));
    fs.files["C:\\media\\wide.bmp"] = testing::bmpOf(testing::testPattern(9, 2));
  }
};

TEST(PictureFormats, AreRegisteredInOrderWithTheirDescriptions) {
  const auto& f = registeredFormats();
  ASSERT_EQ(f.size(), 7u);
  const char* ext[] = {"wmf", "emf", "ico", "bmp", "gif", "jpeg", "jpg"};
  const char* desc[] = {"Metafiles", "Enhanced Metafiles", "Icons", "Bitmaps",
                        "CompuServe GIF Image", "JPEG Image File", "JPEG Image File"};
  for (size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(f[i].extension, ext[i]);
    EXPECT_EQ(f[i].description, desc[i]);
  }
}

TEST(PictureFormats, ExtensionIsTheTextAfterTheLastDotOfTheFileName) {
  EXPECT_EQ(pictureExtension("C:\\a.b\\pic.JPG"), "JPG");
  EXPECT_EQ(pictureExtension("C:\\a.b\\pic"), "");
  EXPECT_EQ(pictureExtension("pic.tar.gif"), "gif");
  EXPECT_EQ(pictureExtension("dir/x.y/name"), "");
  EXPECT_EQ(pictureExtension("name."), "");
}

TEST(PictureFormats, LookupIgnoresCaseAndFindsJpegUnderBothSpellings) {
  for (const char* e : {"JPG", "jpeg", "Jpg", "JPEG"}) {
    const PictureFormat* f = findPictureFormat(e);
    ASSERT_NE(f, nullptr) << e;
    EXPECT_EQ(f->decode, &decodeJpeg) << e;
  }
  EXPECT_EQ(findPictureFormat("BMP")->decode, &decodeBmp);
  EXPECT_EQ(findPictureFormat("png"), nullptr);
  EXPECT_EQ(findPictureFormat(""), nullptr);
}

TEST_F(PictureFixture, LoadsABitmapAndNotifiesOnce) {
  ASSERT_TRUE(pic.LoadFromFile(fs, "C:\\media\\red.bmp").ok());
  EXPECT_TRUE(pic.hasGraphic());
  EXPECT_EQ(pic.width(), 5);
  EXPECT_EQ(pic.height(), 3);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(pic.graphic()->bitmap(), testing::testPattern(5, 3));
}

TEST_F(PictureFixture, UnknownExtensionIsRefusedWithoutReadingTheFile) {
  ASSERT_TRUE(pic.LoadFromFile(fs, "C:\\media\\red.bmp").ok());
  TGraphic* before = pic.graphic();
  auto s = pic.LoadFromFile(fs, "C:\\media\\photo.png");
  EXPECT_EQ(s.error(), "Unknown picture file extension (.png)");
  EXPECT_EQ(pic.LoadFromFile(fs, "C:\\media\\noext").error(), "Unknown picture file extension (.)");
  EXPECT_EQ(pic.LoadFromFile(fs, "C:\\x\\A.PnG").error(), "Unknown picture file extension (.PnG)");
  EXPECT_EQ(pic.graphic(), before);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(fs.reads, 1);
}

TEST_F(PictureFixture, FailedLoadsKeepThePreviousGraphic) {
  ASSERT_TRUE(pic.LoadFromFile(fs, "C:\\media\\red.bmp").ok());
  TGraphic* before = pic.graphic();
  fs.files["C:\\media\\notbmp.bmp"] = {'G', 'I', 'F', '8', '9', 'a'};
  fs.files["C:\\media\\bmp.gif"] = fs.files["C:\\media\\red.bmp"];  // contents do not match
  auto cut = fs.files["C:\\media\\red.bmp"];
  cut.resize(cut.size() - 10);
  fs.files["C:\\media\\cut.bmp"] = cut;
  for (const char* p : {"C:\\media\\missing.bmp", "C:\\media\\notbmp.bmp", "C:\\media\\bmp.gif",
                        "C:\\media\\cut.bmp", "C:\\media\\x.wmf", "C:\\media\\x.emf"}) {
    EXPECT_FALSE(pic.LoadFromFile(fs, p).ok()) << p;
    EXPECT_EQ(pic.graphic(), before) << p;
    EXPECT_EQ(pic.width(), 5) << p;
  }
  EXPECT_EQ(changes, 1);
}

TEST_F(PictureFixture, ClearAndAssignNotifyAndShareTheGraphic) {
  ASSERT_TRUE(pic.LoadFromFile(fs, "C:\\media\\wide.bmp").ok());
  TPicture other;
  int otherChanges = 0;
  other.OnChange = [&] { ++otherChanges; };
  other.assign(pic);
  EXPECT_EQ(other.graphic(), pic.graphic());
  EXPECT_EQ(other.width(), 9);
  EXPECT_EQ(otherChanges, 1);
  pic.clear();
  EXPECT_FALSE(pic.hasGraphic());
  EXPECT_EQ(pic.width(), 0);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(other.width(), 9);  // the shared graphic lives on
  TPicture empty;
  other.assign(empty);
  EXPECT_FALSE(other.hasGraphic());
  EXPECT_EQ(otherChanges, 2);
}

TEST_F(PictureFixture, GraphicOutlivingItsContainerCallsNothing) {
  auto outer = std::make_unique<TPicture>();
  {
    TPicture inner;
    ASSERT_TRUE(inner.LoadFromFile(fs, "C:\\media\\red.bmp").ok());
    outer->assign(inner);
    TPicture taker;
    taker.assign(*outer);  // the graphic now reports to `taker`, which dies next
  }
  TGraphic* g = outer->graphic();
  ASSERT_NE(g, nullptr);
  if (g->OnChange) g->OnChange();  // must not reach a destroyed container
}

}  // namespace
}  // namespace vorn

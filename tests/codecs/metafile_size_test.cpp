#include <gtest/gtest.h>

#include "codecs/metafile_size.h"
#include "metafile_files.h"

namespace vorn {
namespace {

using testing::emfHeader;

TEST(MetafileSize, AnEnhancedMetafileIsAsLargeAsItsFrame) {
  auto a = emfHeader(1000, 250);  // 4 pixels a millimetre
  auto s = codecs::emfSize(a.v.data(), a.size());
  ASSERT_TRUE(s.ok()) << s.error();
  EXPECT_EQ(s->width, 200);
  EXPECT_EQ(s->height, 100);
  auto b = emfHeader(1000, 0);  // no reference device: 96 pixels an inch
  s = codecs::emfSize(b.v.data(), b.size());
  ASSERT_TRUE(s.ok()) << s.error();
  EXPECT_EQ(s->width, 189);  // 50 mm
  EXPECT_EQ(s->height, 94);  // 25 mm
  a.v[40] = 'X';             // signature
  EXPECT_FALSE(codecs::emfSize(a.v.data(), a.size()).ok());
  EXPECT_FALSE(codecs::emfSize(a.v.data(), 43).ok());
}

}  // namespace
}  // namespace vorn

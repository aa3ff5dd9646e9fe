#include <gtest/gtest.h>

#include "byte_writer.h"
#include "codecs/metafile_size.h"

namespace vorn {
namespace {

// An enhanced-metafile header painting 20 x 10 pixels inside a larger frame.
testing::Bytes emfHeader(int32_t deviceX, int32_t millimetresX) {
  testing::Bytes b;
  b.u32(1).u32(88);                     // record type EMR_HEADER, record size
  b.i32(10).i32(5).i32(29).i32(14);     // rclBounds: the painted 20 x 10 pixels
  b.i32(0).i32(0).i32(5000).i32(2500);  // rclFrame: 50 x 25 mm
  b.u32(0x464D4520).u32(0x10000);       // signature " EMF", version
  b.u32(88).u32(1).u16(1).u16(0);       // bytes, records, handles, reserved
  b.u32(0).u32(0).u32(0);               // description length and offset, palette entries
  b.i32(deviceX).i32(800);              // szlDevice: reference device in pixels
  b.i32(millimetresX).i32(200);         // szlMillimeters: the same in mm
  return b;
}

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

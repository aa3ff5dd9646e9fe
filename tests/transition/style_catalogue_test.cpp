#include <gtest/gtest.h>

#include "transition/frame_context.h"
#include "transition/style_catalogue.h"

namespace vorn {
namespace {

TEST(StyleCatalogue, HasTheRandomEntryAndOneEntryPerListedStyle) {
  EXPECT_EQ(kStyleListEntries, 124);
  EXPECT_EQ(styleListText(0), "<V\xE9letlenszer\xFC effekt>");
  EXPECT_EQ(styleListText(1), "0- Nincs effekt, csak megjelenik");
  EXPECT_EQ(styleListText(2), "1- Beny\xEDlik jobbr\xF3l");
  EXPECT_EQ(styleListText(123), "121- Leforgat jobb-alul a tengely");
  EXPECT_EQ(styleListText(124), "");
  EXPECT_EQ(styleListText(-1), "");
  for (int entry = 0; entry < kStyleListEntries; ++entry) EXPECT_FALSE(styleListText(entry).empty()) << entry;
}

TEST(StyleCatalogue, KeepsTheTextsByteForByteInWindows1250) {
  EXPECT_EQ(styleListText(56), "55- \"Keresztes\" \xE1tmenet");
  EXPECT_EQ(styleListText(53), "52- Kinyagy\xEDt k\xF6z\xE9pr\xF5l sz\xE9lekhez");
  EXPECT_EQ(styleListText(111), "110- D\xF6ntve v\xE1lt jobbra-le");
}

TEST(StyleCatalogue, NumbersFromStyle114OnAreOneLessBecause113IsListedTwice) {
  EXPECT_EQ(styleListText(listEntryOfStyle(113)), "113- D\xF6ntve v\xE1lt balra-fel");
  EXPECT_EQ(styleListText(listEntryOfStyle(114)), "113- D\xF6ntve v\xE1lt k\xE9toldalr\xF3l");
  EXPECT_EQ(styleListText(listEntryOfStyle(118)), "117- K\xE9pek \xE1t\xFAsz\xE1sa");
}

TEST(StyleCatalogue, EntryKSelectsStyleKMinusOne) {
  EXPECT_EQ(styleOfListEntry(0), -1);
  EXPECT_EQ(styleOfListEntry(1), 0);
  EXPECT_EQ(styleOfListEntry(123), 122);
  EXPECT_EQ(styleOfListEntry(124), -1);
  EXPECT_EQ(listEntryOfStyle(0), 1);
  EXPECT_EQ(listEntryOfStyle(122), 123);
  EXPECT_EQ(listEntryOfStyle(123), -1);  // 123..127 have no entry
  EXPECT_EQ(listEntryOfStyle(127), -1);
}

TEST(StyleFamilies, GroupTheStyleNumbers) {
  EXPECT_EQ(familyOf(0), StyleFamily::Appear);
  EXPECT_EQ(familyOf(1), StyleFamily::Rectangle);
  EXPECT_EQ(familyOf(57), StyleFamily::Rectangle);
  EXPECT_EQ(familyOf(58), StyleFamily::Masked);
  EXPECT_EQ(familyOf(117), StyleFamily::Masked);
  EXPECT_EQ(familyOf(118), StyleFamily::Pixel);
  EXPECT_EQ(familyOf(122), StyleFamily::Pixel);
  EXPECT_EQ(familyOf(123), StyleFamily::Masked);
  EXPECT_EQ(familyOf(127), StyleFamily::Masked);
}

TEST(FrameGeometry, PortraitExtentsComeFromTheHeight) {
  const FrameGeometry g = FrameGeometry::compute(300, 400, 33, 10);
  EXPECT_EQ(g.Y, 132);
  EXPECT_EQ(g.X, 99);
  const FrameGeometry full = FrameGeometry::compute(301, 199, 100, 10);
  EXPECT_EQ(full.X, 301);
  EXPECT_EQ(full.Y, 199);
}

}  // namespace
}  // namespace vorn

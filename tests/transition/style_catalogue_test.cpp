#include <gtest/gtest.h>

#include <iterator>

#include "transition/frame_context.h"
#include "transition/style_catalogue.h"

namespace vorn {
namespace {

// Every settings-list text, written out byte for byte in Windows-1250: the
// random entry, then styles 0..122. From style 114 on the leading number is
// one less than the style, as "113-" is listed twice.
constexpr const char* kListTexts[] = {
    "<V\xE9letlenszer\xFC effekt>",
    "0- Nincs effekt, csak megjelenik",
    "1- Beny\xEDlik jobbr\xF3l",
    "2- Beny\xEDlik balr\xF3l",
    "3- Becs\xFAszik jobbr\xF3l",
    "4- Becs\xFAszik balr\xF3l",
    "5- Becs\xFAszik balr\xF3l #2",
    "6- Becs\xFAszik jobbr\xF3l #2",
    "7- Beny\xFAlik jobbr\xF3l",
    "8- Beny\xFAlik balr\xF3l",
    "9- Beny\xFAlik k\xE9toldalr\xF3l k\xF6z\xE9pre",
    "10- Kiny\xEDlik k\xF6z\xE9pr\xF5l k\xE9toldalra",
    "11- Kig\xF6rd\xFCl k\xF6z\xE9pr\xF5l k\xE9toldalra",
    "12- Kig\xF6rd\xFCl k\xE9toldalr\xF3l k\xF6z\xE9pre",
    "13- Kiny\xEDlik k\xE9toldalr\xF3l k\xF6z\xE9pre",
    "14- Kiforgatja jobbra",
    "15- Kiforgatja balra",
    "16- Beny\xFAjtja jobbra",
    "17- Beny\xFAjtja balra",
    "18- Felny\xEDlik",
    "19- Leny\xEDlik",
    "20- Felcs\xFAszik",
    "21- Lecs\xFAszik",
    "22- Leg\xF6rd\xFCl",
    "23- Felg\xF6rd\xFCl",
    "24- Beny\xFAjtja fel",
    "25- Beny\xFAjtja le",
    "26- Beny\xFAjtja k\xF6z\xE9pre",
    "27- Kiny\xEDlik k\xF6z\xE9pr\xF5l fel-le",
    "28- Kig\xF6rd\xFCl k\xF6z\xE9pr\xF5l fel-le",
    "29- Beg\xF6rd\xFCl fent-lentr\xF5l k\xF6z\xE9pre",
    "30- Becsuk\xF3" "dik fent-lentr\xF5l k\xF6z\xE9pre",
    "31- Kiforgatja le",
    "32- Kiforgatja fel",
    "33- Beny\xFAjtja fel #2",
    "34- Beny\xFAjtja le #2",
    "35- Beh\xFAz jobb-alulr\xF3l",
    "36- Beh\xFAz jobb-fel\xFClr\xF5l",
    "37- Beh\xFAz bal-fel\xFClr\xF5l",
    "38- Beh\xFAz bal-alulr\xF3l",
    "39- Beh\xFAz jobb-alulr\xF3l #2",
    "40- Beh\xFAz jobb-fel\xFClr\xF5l #2",
    "41- Beh\xFAz bal-fel\xFClr\xF5l #2",
    "42- Beh\xFAz bal-alulr\xF3l #2",
    "43- Beh\xFAz bal-fel\xFClr\xF5l #3",
    "44- Beh\xFAz bal-alulr\xF3l #3",
    "45- Beh\xFAz jobb-alulr\xF3l #3",
    "46- Beh\xFAz jobb-fel\xFClr\xF5l #3",
    "47- Benagy\xEDt bal-fel\xFClre",
    "48- Benagy\xEDt bal-alulra",
    "49- Benagy\xEDt jobb-alulra",
    "50- Benagy\xEDt jobb-fel\xFClre",
    "51- Benagy\xEDt n\xE9gyoldalr\xF3l",
    "52- Kinyagy\xEDt k\xF6z\xE9pr\xF5l sz\xE9lekhez",
    "53- Kinyit k\xF6z\xE9pr\xF5l sz\xE9lekhez",
    "54- Kinyit sz\xE9lekt\xF5l k\xF6z\xE9pre",
    "55- \"Keresztes\" \xE1tmenet",
    "56- \"Keresztes\" \xE1tmenet nagy\xEDtva",
    "57- \"Keresztes\" tekert \xE1tmenet",
    "58- Ellipszis jobbra",
    "59- Ellipszis balra",
    "60- \xC1tf\xE9s\xFCl balra",
    "61- \xC1tf\xE9s\xFCl jobbra",
    "62- \xC1tf\xE9s\xFCl jobbra-balra",
    "63- \xC1tf\xE9s\xFCl balra-jobbra",
    "64- \xC1tf\xE9s\xFCl k\xE9toldalr\xF3l",
    "65- Bezizeg balra",
    "66- Bezizeg jobbra",
    "67- Bezizeg k\xF6z\xE9pr\xF5l k\xE9toldalra",
    "68- Bezizeg k\xE9toldalr\xF3l k\xF6z\xE9pre",
    "69- Ellipszis le",
    "70- Ellipszis fel",
    "71- \xC1tf\xE9s\xFCl fel",
    "72- \xC1tf\xE9s\xFCl le",
    "73- \xC1tf\xE9s\xFCl le-fel",
    "74- \xC1tf\xE9s\xFCl fel-le",
    "75- \xC1tf\xE9s\xFCl fentr\xF5l-lentr\xF5l",
    "76- Bezizeg fel",
    "77- Bezizeg le",
    "78- Bezizeg k\xF6z\xE9pr\xF5l fel-le",
    "79- Bezizeg fentr\xF5l-lentr\xF5l",
    "80- Ellipszis bal-fel\xFClr\xF5l",
    "81- Ellipszis jobb-fel\xFClr\xF5l",
    "82- Ellipszis bal-alulr\xF3l",
    "83- Ellipszis jobb-alulr\xF3l",
    "84- Ellipszis k\xF6z\xE9pr\xF5l n\xE9gyfel\xE9",
    "85- Ellipszis n\xE9gyfel\xF5l k\xF6z\xE9pre",
    "86- \xC1tf\xE9s\xFCl jobb-alulr\xF3l",
    "87- \xC1tf\xE9s\xFCl jobb-fel\xFClr\xF5l",
    "88- \xC1tf\xE9s\xFCl bal-alulr\xF3l",
    "89- \xC1tf\xE9s\xFCl bal-fel\xFClr\xF5l",
    "90- \xC1tf\xE9s\xFCl bal-fel\xFClr\xF5l oda-vissza",
    "91- \xC1tf\xE9s\xFCl bal-alulr\xF3l oda-vissza",
    "92- \xC1tf\xE9s\xFCl jobb-fel\xFClr\xF5l oda-vissza",
    "93- \xC1tf\xE9s\xFCl jobb-alulr\xF3l oda-vissza",
    "94- \xC1tf\xE9s\xFCl balra fent-lentr\xF5l",
    "95- \xC1tf\xE9s\xFCl jobbra fent-lentr\xF5l",
    "96- \xC1tf\xE9s\xFCl fel jobb-balr\xF3l",
    "97- \xC1tf\xE9s\xFCl le jobb-balr\xF3l",
    "98- \xC1tf\xE9s\xFCl k\xF6z\xE9pre kereszt form\xE1" "ban",
    "99- \xC1tf\xE9s\xFCl sarkokt\xF3l",
    "100- Bezizeg jobb-alulr\xF3l",
    "101- Bezizeg jobb-fel\xFClr\xF5l",
    "102- Bezizeg bal-alulr\xF3l",
    "103- Bezizeg bal-fel\xFClr\xF5l",
    "104- Bezizeg balra \xE9s fel-le",
    "105- Bezizeg jobbra \xE9s fel-le",
    "106- Bezizeg fel \xE9s jobb-balra",
    "107- Bezizeg le \xE9s jobb-balra",
    "108- Bezizeg k\xF6z\xE9pr\xF5l kereszt form\xE1" "ban",
    "109- Bezizeg n\xE9gyoldalr\xF3l k\xF6z\xE9pre",
    "110- D\xF6ntve v\xE1lt jobbra-le",
    "111- D\xF6ntve v\xE1lt balra-le",
    "112- D\xF6ntve v\xE1lt jobbra-fel",
    "113- D\xF6ntve v\xE1lt balra-fel",
    "113- D\xF6ntve v\xE1lt k\xE9toldalr\xF3l",
    "114- D\xF6ntve v\xE1lt k\xE9toldalr\xF3l #2",
    "115- N\xE9gyvill\xE1s \xE1tfogat\xE1s",
    "116- Kis h\xE1romsz\xF6gek \xE1tmenet",
    "117- K\xE9pek \xE1t\xFAsz\xE1sa",
    "118- Leforgat bal-fel\xFCl a tengely",
    "119- Leforgat bal-alul a tengely",
    "120- Leforgat jobb-fent a tengely",
    "121- Leforgat jobb-alul a tengely",
};

TEST(StyleCatalogue, EveryEntryHasItsTextByteForByteInWindows1250) {
  ASSERT_EQ(kStyleListEntries, int(std::size(kListTexts)));
  for (int entry = 0; entry < kStyleListEntries; ++entry)
    EXPECT_EQ(styleListText(entry), kListTexts[entry]) << "entry " << entry;
  EXPECT_EQ(styleListText(kStyleListEntries), "");
  EXPECT_EQ(styleListText(-1), "");
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
  // Style 0 alone is drawn by the player itself.
  for (int style = 0; style < kStyleCount; ++style) EXPECT_EQ(styleInfo(style).build == nullptr, style == 0) << style;
  EXPECT_EQ(styleInfo(kStyleCount).build, nullptr);
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

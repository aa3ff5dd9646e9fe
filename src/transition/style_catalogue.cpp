#include "transition/style_catalogue.h"

#include "text/cp1250.h"
#include "transition/frame_context.h"

namespace vorn {

namespace {

// Every family leaves the old picture untouched at progress 0: no frame is
// finished there, masks only build their region, the blend adds nothing of
// the new picture, a rotation has turned it a quarter about a pivot outside
// its corner (wholly out of view), and a rectangle style draws only its
// extra copies (each reported with the area it covered).
constexpr StyleInfo appear(const char* text) { return {StyleFamily::Appear, nullptr, text, true}; }
constexpr StyleInfo rectangle(const char* text) { return {StyleFamily::Rectangle, rectangleStyle, text, true}; }
constexpr StyleInfo masked(const char* text = nullptr) { return {StyleFamily::Masked, maskedStyle, text, true}; }
constexpr StyleInfo pixel(const char* text) { return {StyleFamily::Pixel, pixelStyle, text, true}; }

// The list texts byte for byte as the list shows them (written as UTF-8
// here, turned into Windows-1250 on use). From style 114 on the leading
// number is one less than the style: the list has "113-" twice, and stored
// collections rely on the entry positions, not the numbers.
constexpr StyleInfo kStyles[kStyleCount] = {
    /*   0 */ appear("0- Nincs effekt, csak megjelenik"),
    /*   1 */ rectangle("1- Benyílik jobbról"),
    /*   2 */ rectangle("2- Benyílik balról"),
    /*   3 */ rectangle("3- Becsúszik jobbról"),
    /*   4 */ rectangle("4- Becsúszik balról"),
    /*   5 */ rectangle("5- Becsúszik balról #2"),
    /*   6 */ rectangle("6- Becsúszik jobbról #2"),
    /*   7 */ rectangle("7- Benyúlik jobbról"),
    /*   8 */ rectangle("8- Benyúlik balról"),
    /*   9 */ rectangle("9- Benyúlik kétoldalról középre"),
    /*  10 */ rectangle("10- Kinyílik középről kétoldalra"),
    /*  11 */ rectangle("11- Kigördül középről kétoldalra"),
    /*  12 */ rectangle("12- Kigördül kétoldalról középre"),
    /*  13 */ rectangle("13- Kinyílik kétoldalról középre"),
    /*  14 */ rectangle("14- Kiforgatja jobbra"),
    /*  15 */ rectangle("15- Kiforgatja balra"),
    /*  16 */ rectangle("16- Benyújtja jobbra"),
    /*  17 */ rectangle("17- Benyújtja balra"),
    /*  18 */ rectangle("18- Felnyílik"),
    /*  19 */ rectangle("19- Lenyílik"),
    /*  20 */ rectangle("20- Felcsúszik"),
    /*  21 */ rectangle("21- Lecsúszik"),
    /*  22 */ rectangle("22- Legördül"),
    /*  23 */ rectangle("23- Felgördül"),
    /*  24 */ rectangle("24- Benyújtja fel"),
    /*  25 */ rectangle("25- Benyújtja le"),
    /*  26 */ rectangle("26- Benyújtja középre"),
    /*  27 */ rectangle("27- Kinyílik középről fel-le"),
    /*  28 */ rectangle("28- Kigördül középről fel-le"),
    /*  29 */ rectangle("29- Begördül fent-lentről középre"),
    /*  30 */ rectangle("30- Becsukódik fent-lentről középre"),
    /*  31 */ rectangle("31- Kiforgatja le"),
    /*  32 */ rectangle("32- Kiforgatja fel"),
    /*  33 */ rectangle("33- Benyújtja fel #2"),
    /*  34 */ rectangle("34- Benyújtja le #2"),
    /*  35 */ rectangle("35- Behúz jobb-alulról"),
    /*  36 */ rectangle("36- Behúz jobb-felülről"),
    /*  37 */ rectangle("37- Behúz bal-felülről"),
    /*  38 */ rectangle("38- Behúz bal-alulról"),
    /*  39 */ rectangle("39- Behúz jobb-alulról #2"),
    /*  40 */ rectangle("40- Behúz jobb-felülről #2"),
    /*  41 */ rectangle("41- Behúz bal-felülről #2"),
    /*  42 */ rectangle("42- Behúz bal-alulról #2"),
    /*  43 */ rectangle("43- Behúz bal-felülről #3"),
    /*  44 */ rectangle("44- Behúz bal-alulról #3"),
    /*  45 */ rectangle("45- Behúz jobb-alulról #3"),
    /*  46 */ rectangle("46- Behúz jobb-felülről #3"),
    /*  47 */ rectangle("47- Benagyít bal-felülre"),
    /*  48 */ rectangle("48- Benagyít bal-alulra"),
    /*  49 */ rectangle("49- Benagyít jobb-alulra"),
    /*  50 */ rectangle("50- Benagyít jobb-felülre"),
    /*  51 */ rectangle("51- Benagyít négyoldalról"),
    /*  52 */ rectangle("52- Kinyagyít középről szélekhez"),
    /*  53 */ rectangle("53- Kinyit középről szélekhez"),
    /*  54 */ rectangle("54- Kinyit szélektől középre"),
    /*  55 */ rectangle("55- \"Keresztes\" átmenet"),
    /*  56 */ rectangle("56- \"Keresztes\" átmenet nagyítva"),
    /*  57 */ rectangle("57- \"Keresztes\" tekert átmenet"),
    /*  58 */ masked("58- Ellipszis jobbra"),
    /*  59 */ masked("59- Ellipszis balra"),
    /*  60 */ masked("60- Átfésül balra"),
    /*  61 */ masked("61- Átfésül jobbra"),
    /*  62 */ masked("62- Átfésül jobbra-balra"),
    /*  63 */ masked("63- Átfésül balra-jobbra"),
    /*  64 */ masked("64- Átfésül kétoldalról"),
    /*  65 */ masked("65- Bezizeg balra"),
    /*  66 */ masked("66- Bezizeg jobbra"),
    /*  67 */ masked("67- Bezizeg középről kétoldalra"),
    /*  68 */ masked("68- Bezizeg kétoldalról középre"),
    /*  69 */ masked("69- Ellipszis le"),
    /*  70 */ masked("70- Ellipszis fel"),
    /*  71 */ masked("71- Átfésül fel"),
    /*  72 */ masked("72- Átfésül le"),
    /*  73 */ masked("73- Átfésül le-fel"),
    /*  74 */ masked("74- Átfésül fel-le"),
    /*  75 */ masked("75- Átfésül fentről-lentről"),
    /*  76 */ masked("76- Bezizeg fel"),
    /*  77 */ masked("77- Bezizeg le"),
    /*  78 */ masked("78- Bezizeg középről fel-le"),
    /*  79 */ masked("79- Bezizeg fentről-lentről"),
    /*  80 */ masked("80- Ellipszis bal-felülről"),
    /*  81 */ masked("81- Ellipszis jobb-felülről"),
    /*  82 */ masked("82- Ellipszis bal-alulról"),
    /*  83 */ masked("83- Ellipszis jobb-alulról"),
    /*  84 */ masked("84- Ellipszis középről négyfelé"),
    /*  85 */ masked("85- Ellipszis négyfelől középre"),
    /*  86 */ masked("86- Átfésül jobb-alulról"),
    /*  87 */ masked("87- Átfésül jobb-felülről"),
    /*  88 */ masked("88- Átfésül bal-alulról"),
    /*  89 */ masked("89- Átfésül bal-felülről"),
    /*  90 */ masked("90- Átfésül bal-felülről oda-vissza"),
    /*  91 */ masked("91- Átfésül bal-alulról oda-vissza"),
    /*  92 */ masked("92- Átfésül jobb-felülről oda-vissza"),
    /*  93 */ masked("93- Átfésül jobb-alulról oda-vissza"),
    /*  94 */ masked("94- Átfésül balra fent-lentről"),
    /*  95 */ masked("95- Átfésül jobbra fent-lentről"),
    /*  96 */ masked("96- Átfésül fel jobb-balról"),
    /*  97 */ masked("97- Átfésül le jobb-balról"),
    /*  98 */ masked("98- Átfésül középre kereszt formában"),
    /*  99 */ masked("99- Átfésül sarkoktól"),
    /* 100 */ masked("100- Bezizeg jobb-alulról"),
    /* 101 */ masked("101- Bezizeg jobb-felülről"),
    /* 102 */ masked("102- Bezizeg bal-alulról"),
    /* 103 */ masked("103- Bezizeg bal-felülről"),
    /* 104 */ masked("104- Bezizeg balra és fel-le"),
    /* 105 */ masked("105- Bezizeg jobbra és fel-le"),
    /* 106 */ masked("106- Bezizeg fel és jobb-balra"),
    /* 107 */ masked("107- Bezizeg le és jobb-balra"),
    /* 108 */ masked("108- Bezizeg középről kereszt formában"),
    /* 109 */ masked("109- Bezizeg négyoldalról középre"),
    /* 110 */ masked("110- Döntve vált jobbra-le"),
    /* 111 */ masked("111- Döntve vált balra-le"),
    /* 112 */ masked("112- Döntve vált jobbra-fel"),
    /* 113 */ masked("113- Döntve vált balra-fel"),
    /* 114 */ masked("113- Döntve vált kétoldalról"),
    /* 115 */ masked("114- Döntve vált kétoldalról #2"),
    /* 116 */ masked("115- Négyvillás átfogatás"),
    /* 117 */ masked("116- Kis háromszögek átmenet"),
    /* 118 */ pixel("117- Képek átúszása"),
    /* 119 */ pixel("118- Leforgat bal-felül a tengely"),
    /* 120 */ pixel("119- Leforgat bal-alul a tengely"),
    /* 121 */ pixel("120- Leforgat jobb-fent a tengely"),
    /* 122 */ pixel("121- Leforgat jobb-alul a tengely"),
    /* 123 */ masked(),
    /* 124 */ masked(),
    /* 125 */ masked(),
    /* 126 */ masked(),
    /* 127 */ masked(),
};

// What a number outside 0..127 gets: nothing to build, the new picture at once.
constexpr StyleInfo kNoStyle = appear(nullptr);

}  // namespace

const StyleInfo& styleInfo(int style) {
  if (style < 0 || style >= kStyleCount) return kNoStyle;
  return kStyles[style];
}

StyleFamily familyOf(int style) { return styleInfo(style).family; }

const char* familyName(StyleFamily family) {
  switch (family) {
    case StyleFamily::Appear: return "appear";
    case StyleFamily::Rectangle: return "rectangle";
    case StyleFamily::Masked: return "masked";
    case StyleFamily::Pixel: return "pixel";
  }
  return "?";
}

std::string styleListText(int entry) {
  if (entry == 0) return text::W1250("<Véletlenszerü effekt>");
  const int style = styleOfListEntry(entry);
  if (style < 0) return {};
  return text::W1250(kStyles[style].listText);
}

int styleOfListEntry(int entry) {
  if (entry <= 0 || entry >= kStyleListEntries) return -1;
  return entry - 1;
}

int listEntryOfStyle(int style) {
  if (style < 0 || style >= kStyleCount || !kStyles[style].listText) return -1;
  return style + 1;
}

}  // namespace vorn

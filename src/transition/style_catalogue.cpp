#include "transition/style_catalogue.h"

#include <array>

#include "text/cp1250.h"

namespace vorn {

namespace {

// The settings-list texts of styles 0..122, byte for byte as the list shows
// them (written as UTF-8 here, turned into Windows-1250 on use). From style
// 114 on the leading number is one less than the style: the list has "113-"
// twice, and stored collections rely on the entry positions, not the numbers.
constexpr std::array<const char*, kListedStyles> kStyleTexts = {
    "0- Nincs effekt, csak megjelenik",
    "1- Benyílik jobbról",
    "2- Benyílik balról",
    "3- Becsúszik jobbról",
    "4- Becsúszik balról",
    "5- Becsúszik balról #2",
    "6- Becsúszik jobbról #2",
    "7- Benyúlik jobbról",
    "8- Benyúlik balról",
    "9- Benyúlik kétoldalról középre",
    "10- Kinyílik középről kétoldalra",
    "11- Kigördül középről kétoldalra",
    "12- Kigördül kétoldalról középre",
    "13- Kinyílik kétoldalról középre",
    "14- Kiforgatja jobbra",
    "15- Kiforgatja balra",
    "16- Benyújtja jobbra",
    "17- Benyújtja balra",
    "18- Felnyílik",
    "19- Lenyílik",
    "20- Felcsúszik",
    "21- Lecsúszik",
    "22- Legördül",
    "23- Felgördül",
    "24- Benyújtja fel",
    "25- Benyújtja le",
    "26- Benyújtja középre",
    "27- Kinyílik középről fel-le",
    "28- Kigördül középről fel-le",
    "29- Begördül fent-lentről középre",
    "30- Becsukódik fent-lentről középre",
    "31- Kiforgatja le",
    "32- Kiforgatja fel",
    "33- Benyújtja fel #2",
    "34- Benyújtja le #2",
    "35- Behúz jobb-alulról",
    "36- Behúz jobb-felülről",
    "37- Behúz bal-felülről",
    "38- Behúz bal-alulról",
    "39- Behúz jobb-alulról #2",
    "40- Behúz jobb-felülről #2",
    "41- Behúz bal-felülről #2",
    "42- Behúz bal-alulról #2",
    "43- Behúz bal-felülről #3",
    "44- Behúz bal-alulról #3",
    "45- Behúz jobb-alulról #3",
    "46- Behúz jobb-felülről #3",
    "47- Benagyít bal-felülre",
    "48- Benagyít bal-alulra",
    "49- Benagyít jobb-alulra",
    "50- Benagyít jobb-felülre",
    "51- Benagyít négyoldalról",
    "52- Kinyagyít középről szélekhez",
    "53- Kinyit középről szélekhez",
    "54- Kinyit szélektől középre",
    "55- \"Keresztes\" átmenet",
    "56- \"Keresztes\" átmenet nagyítva",
    "57- \"Keresztes\" tekert átmenet",
    "58- Ellipszis jobbra",
    "59- Ellipszis balra",
    "60- Átfésül balra",
    "61- Átfésül jobbra",
    "62- Átfésül jobbra-balra",
    "63- Átfésül balra-jobbra",
    "64- Átfésül kétoldalról",
    "65- Bezizeg balra",
    "66- Bezizeg jobbra",
    "67- Bezizeg középről kétoldalra",
    "68- Bezizeg kétoldalról középre",
    "69- Ellipszis le",
    "70- Ellipszis fel",
    "71- Átfésül fel",
    "72- Átfésül le",
    "73- Átfésül le-fel",
    "74- Átfésül fel-le",
    "75- Átfésül fentről-lentről",
    "76- Bezizeg fel",
    "77- Bezizeg le",
    "78- Bezizeg középről fel-le",
    "79- Bezizeg fentről-lentről",
    "80- Ellipszis bal-felülről",
    "81- Ellipszis jobb-felülről",
    "82- Ellipszis bal-alulról",
    "83- Ellipszis jobb-alulról",
    "84- Ellipszis középről négyfelé",
    "85- Ellipszis négyfelől középre",
    "86- Átfésül jobb-alulról",
    "87- Átfésül jobb-felülről",
    "88- Átfésül bal-alulról",
    "89- Átfésül bal-felülről",
    "90- Átfésül bal-felülről oda-vissza",
    "91- Átfésül bal-alulról oda-vissza",
    "92- Átfésül jobb-felülről oda-vissza",
    "93- Átfésül jobb-alulról oda-vissza",
    "94- Átfésül balra fent-lentről",
    "95- Átfésül jobbra fent-lentről",
    "96- Átfésül fel jobb-balról",
    "97- Átfésül le jobb-balról",
    "98- Átfésül középre kereszt formában",
    "99- Átfésül sarkoktól",
    "100- Bezizeg jobb-alulról",
    "101- Bezizeg jobb-felülről",
    "102- Bezizeg bal-alulról",
    "103- Bezizeg bal-felülről",
    "104- Bezizeg balra és fel-le",
    "105- Bezizeg jobbra és fel-le",
    "106- Bezizeg fel és jobb-balra",
    "107- Bezizeg le és jobb-balra",
    "108- Bezizeg középről kereszt formában",
    "109- Bezizeg négyoldalról középre",
    "110- Döntve vált jobbra-le",
    "111- Döntve vált balra-le",
    "112- Döntve vált jobbra-fel",
    "113- Döntve vált balra-fel",
    "113- Döntve vált kétoldalról",
    "114- Döntve vált kétoldalról #2",
    "115- Négyvillás átfogatás",
    "116- Kis háromszögek átmenet",
    "117- Képek átúszása",
    "118- Leforgat bal-felül a tengely",
    "119- Leforgat bal-alul a tengely",
    "120- Leforgat jobb-fent a tengely",
    "121- Leforgat jobb-alul a tengely",
};

}  // namespace

std::string styleListText(int entry) {
  if (entry == 0) return text::W1250("<Véletlenszerü effekt>");
  if (entry < 0 || entry >= kStyleListEntries) return {};
  return text::W1250(kStyleTexts[size_t(entry - 1)]);
}

int styleOfListEntry(int entry) {
  if (entry <= 0 || entry >= kStyleListEntries) return -1;
  return entry - 1;
}

int listEntryOfStyle(int style) {
  if (style < 0 || style >= kListedStyles) return -1;
  return style + 1;
}

}  // namespace vorn

#include <gtest/gtest.h>

#include "text/cp1250.h"

using namespace vorn::text;

TEST(Cp1250, EveryByteSurvivesUtf16AndUtf8RoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(utf16ToCp1250(cp1250ToUtf16(all)), all);
  EXPECT_EQ(utf8ToCp1250(cp1250ToUtf8(all)), all);
}

TEST(Cp1250, HungarianLettersMapToTheirCodePoints) {
  // ő and ű are the letters Latin-1 lacks; they must not collapse to õ/û.
  EXPECT_EQ(cp1250ToCodePoint(0xF5), U'\u0151');  // ő
  EXPECT_EQ(cp1250ToCodePoint(0xFB), U'\u0171');  // ű
  EXPECT_EQ(cp1250ToCodePoint(0xD5), U'\u0150');  // Ő
  EXPECT_EQ(cp1250ToCodePoint(0xDB), U'\u0170');  // Ű
  EXPECT_EQ(cp1250ToCodePoint(0xE1), U'\u00E1');  // á
  EXPECT_EQ(cp1250ToCodePoint(0x80), U'\u20AC');  // €
  EXPECT_EQ(W1250("Megnyitási hiba"), "Megnyit\xE1si hiba");
  EXPECT_EQ(W1250("képernyővédő"), "k\xE9perny\xF5v\xE9" "d\xF5");
}

TEST(Cp1250, UndefinedBytesKeepTheirValueAsC1Controls) {
  for (uint8_t b : {0x81, 0x83, 0x88, 0x90, 0x98}) EXPECT_EQ(cp1250ToCodePoint(b), char32_t(b));
}

TEST(Cp1250, UnmappableAndInvalidInputBecomesQuestionMark) {
  bool exact = true;
  EXPECT_EQ(codePointToCp1250(U'\u4E2D', &exact), '?');
  EXPECT_FALSE(exact);
  EXPECT_EQ(utf8ToCp1250("a\xC3"), "a?");          // truncated sequence
  EXPECT_EQ(utf8ToCp1250("\xC3(x"), "?(x");        // bad continuation byte
  EXPECT_EQ(utf8ToCp1250("\xF0\x9F\x98\x80"), "?");  // outside the code page
  EXPECT_EQ(utf16ToCp1250(u"\U0001F600"), "?");     // surrogate pair is one character
}

TEST(Cp1250, UpperCasingTouchesOnlyAsciiLetters) {
  EXPECT_EQ(asciiUpper("/defaultss=this"), "/DEFAULTSS=THIS");
  EXPECT_EQ(asciiUpper("\xE1\xF5z"), "\xE1\xF5Z");  // áőz -> áőZ
  EXPECT_EQ(asciiUpper(""), "");
}

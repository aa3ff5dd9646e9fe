#include <gtest/gtest.h>

#include "saverhost/command_line.h"

using namespace vorn::saverhost;

namespace {
std::vector<std::string> split(std::string_view s) { return SplitCommandLine(s); }
CommandLine line(std::string raw) { return CommandLine("C:\\Saver\\Vorn.scr", raw); }
}  // namespace

TEST(CommandLineSplit, RunsOfBlanksAndControlCharactersSeparateArguments) {
  EXPECT_EQ(split("prog  /s\t\t1234 \r\n x"),
            (std::vector<std::string>{"prog", "/s", "1234", "x"}));
  EXPECT_EQ(split(std::string("a\x01\x1F" "b", 4)), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(split("   "), std::vector<std::string>{});
  EXPECT_EQ(split(""), std::vector<std::string>{});
}

TEST(CommandLineSplit, QuotedStretchKeepsBlanksAndLosesItsQuotes) {
  EXPECT_EQ(split("\"C:\\Program Files\\Vorn.scr\" /p 42"),
            (std::vector<std::string>{"C:\\Program Files\\Vorn.scr", "/p", "42"}));
  // Quotes in the middle of an argument join the pieces around them.
  EXPECT_EQ(split("pre\"a b\"post next"), (std::vector<std::string>{"prea bpost", "next"}));
  // An unclosed quote runs to the end of the line.
  EXPECT_EQ(split("x \"open to the end"), (std::vector<std::string>{"x", "open to the end"}));
}

TEST(CommandLineSplit, EmptyQuotedArgumentEndsTheList) {
  EXPECT_EQ(split("prog /p \"\" 1234"), (std::vector<std::string>{"prog", "/p"}));
  CommandLine c = line("prog /p \"\" 1234");
  EXPECT_EQ(c.ParamCount(), 1);
  EXPECT_EQ(c.ParamStr(2), "");
}

TEST(CommandLineSplit, AccentedBytesAreNotSeparators) {
  // 0xA0 (no-break space) and 0xE9 (é) are above 32: part of the argument.
  EXPECT_EQ(split("k\xE9p\xA0x y"), (std::vector<std::string>{"k\xE9p\xA0x", "y"}));
}

TEST(CommandLineArgs, ArgumentZeroIsTheExecutablePathAndMissingOnesAreEmpty) {
  CommandLine c = line("\"D:\\whatever it says\" /s");
  EXPECT_EQ(c.ParamStr(0), "C:\\Saver\\Vorn.scr");
  EXPECT_EQ(c.ParamCount(), 1);
  EXPECT_EQ(c.ParamStr(1), "/s");
  EXPECT_EQ(c.ParamStr(2), "");
  EXPECT_EQ(c.ParamStr(99), "");
  EXPECT_EQ(line("prog").ParamStr(1), "");
  EXPECT_EQ(line("").ParamCount(), 0);
}

TEST(SaverBaseName, CutsDirectoryAndLastFourCharactersWhateverTheyAre) {
  EXPECT_EQ(SaverBaseName("C:\\Windows\\abc.scr"), "abc");
  EXPECT_EQ(SaverBaseName("C:\\x\\Vorn.scr"), "Vorn");
  EXPECT_EQ(SaverBaseName("C:\\x\\name.longext"), "name.lon");  // no search for a dot
  EXPECT_EQ(SaverBaseName("C:\\x\\ab.c"), "");
  EXPECT_EQ(SaverBaseName("C:\\x\\abcde"), "a");
  EXPECT_EQ(SaverBaseName("C:abcdef.scr"), "abcdef");
  EXPECT_EQ(SaverBaseName("C:\\dir.with.dots\\k\xE9perny\xF5.scr"), "k\xE9perny\xF5");
  EXPECT_EQ(SaverBaseName(""), "");
}

TEST(RegistrationSwitch, CountsInAnyLetterCaseAndEmbeddedInALongerArgument) {
  EXPECT_TRUE(IsRegistrationSwitch("/DEFAULTSS=THIS"));
  EXPECT_TRUE(IsRegistrationSwitch("/defaultss=this"));
  EXPECT_TRUE(IsRegistrationSwitch("/DefaultSS=This"));
  EXPECT_TRUE(IsRegistrationSwitch("xx/defaultSS=thisyy"));
  EXPECT_FALSE(IsRegistrationSwitch("/DEFAULTSS=THAT"));
  EXPECT_FALSE(IsRegistrationSwitch("DEFAULTSS=THIS"));
  EXPECT_FALSE(IsRegistrationSwitch("/DEFAULTSS THIS"));
  EXPECT_FALSE(IsRegistrationSwitch(""));
  // A second argument does not matter: only argument 1 is looked at.
  EXPECT_TRUE(IsRegistrationSwitch(line("p /DEFAULTSS=THIS /s").ParamStr(1)));
}

TEST(StrToIntDef, AcceptsWhatTheRuntimeConvertsAndFallsBackOtherwise) {
  EXPECT_EQ(StrToIntDef("1234", 0), 1234);
  EXPECT_EQ(StrToIntDef("-17", 0), -17);
  EXPECT_EQ(StrToIntDef("+17", 0), 17);
  EXPECT_EQ(StrToIntDef("  42", 0), 42);
  EXPECT_EQ(StrToIntDef("$1F", 0), 31);
  EXPECT_EQ(StrToIntDef("0x1f", 0), 31);
  EXPECT_EQ(StrToIntDef("2147483647", 0), 2147483647);
  EXPECT_EQ(StrToIntDef("-2147483648", 0), INT32_MIN);
  EXPECT_EQ(StrToIntDef("$FFFFFFFF", 0), -1);
  for (const char* bad : {"", " ", "-", "$", "0x", "12a", "42 ", "1 2", "abc", "2147483648",
                          "-2147483649", "$100000000", "99999999999999999999", "1.5"})
    EXPECT_EQ(StrToIntDef(bad, -7), -7) << '"' << bad << '"';
}

TEST(TestRun, OnlyExactUpperCaseSecondArgument) {
  EXPECT_TRUE(IsTestRun("/TEST"));
  EXPECT_FALSE(IsTestRun("/test"));
  EXPECT_FALSE(IsTestRun("/Test"));
  EXPECT_FALSE(IsTestRun("/TEST2"));
  EXPECT_FALSE(IsTestRun(" /TEST"));
  EXPECT_FALSE(IsTestRun(""));
  EXPECT_TRUE(IsTestRun(line("p /s /TEST").ParamStr(2)));
  EXPECT_TRUE(IsTestRun(line("p /s \"/TEST\"").ParamStr(2)));
}

#include <gtest/gtest.h>

#include "platform/fake/fake_message_box.h"
#include "saverhost/registration_switch.h"
#include "text/cp1250.h"

using namespace vorn::saverhost;
using vorn::fake::FakeMessageBoxes;
using vorn::text::cp1250ToUtf8;

namespace {

struct SwitchRun {
  bool handled = false;
  std::vector<std::string> calls;
  FakeMessageBoxes boxes;
};

SwitchRun run(const std::string& exe, const std::string& raw, bool outcome) {
  SwitchRun r;
  CommandLine args(exe, raw);
  r.handled = RunRegistrationSwitch(
      args,
      [&] {
        r.calls.push_back("made default");
        return outcome;
      },
      r.boxes);
  return r;
}

}  // namespace

TEST(RegistrationBoxes, SuccessNamesTheSaverByItsBaseName) {
  SwitchRun r = run("C:\\Saver\\abc.scr", "abc.scr /DEFAULTSS=THIS", true);
  ASSERT_TRUE(r.handled);
  EXPECT_EQ(r.calls.size(), 1u);
  ASSERT_EQ(r.boxes.shown.size(), 1u);
  EXPECT_EQ(cp1250ToUtf8(r.boxes.shown[0].caption), "abc - Információ");
  EXPECT_EQ(cp1250ToUtf8(r.boxes.shown[0].text), "Most a(z) abc képernyővédő az alapértelmezett.");
  // Stored as Windows-1250 bytes: é is E9, ő is F5, ó is F3.
  EXPECT_EQ(r.boxes.shown[0].caption, "abc - Inform\xE1" "ci\xF3");
}

TEST(RegistrationBoxes, FailureTellsHowToChooseByHandAndEndsWithTheBaseName) {
  SwitchRun r = run("C:\\Saver\\Vorn.scr", "x /defaultss=this", false);
  ASSERT_TRUE(r.handled);
  ASSERT_EQ(r.boxes.shown.size(), 1u);
  EXPECT_EQ(cp1250ToUtf8(r.boxes.shown[0].caption), "Vorn - Hiba");
  EXPECT_EQ(cp1250ToUtf8(r.boxes.shown[0].text),
            "A képernyővédő nem tudja magát alapértelmezetté tenni. \r\r"
            "Ezt Önnek kell megtennie a telepítés után, a következő módon:\r"
            "A Vezérlőpulton válassza a Képernyő ikont, klikkeljen rá, itt Kattintson a "
            "Képernyővédő fülre,\rmajd jelölje ki a lenyíló listáról a következő elemet:\r\rVorn");
  EXPECT_EQ(r.boxes.shown[0].text.find('\n'), std::string::npos);
}

TEST(RegistrationBoxes, ShortExecutableNameGivesEmptyBaseName) {
  SwitchRun r = run("C:\\.scr", "x /DEFAULTSS=THIS", true);
  ASSERT_EQ(r.boxes.shown.size(), 1u);
  EXPECT_EQ(cp1250ToUtf8(r.boxes.shown[0].caption), " - Információ");
}

TEST(RegistrationBoxes, NoSwitchMeansNothingIsDoneOrShown) {
  for (const char* raw : {"p", "p /s", "p /c:1234", "p /s /DEFAULTSS=THIS", "p DEFAULTSS=THIS"}) {
    SwitchRun r = run("C:\\Vorn.scr", raw, true);
    EXPECT_FALSE(r.handled) << raw;
    EXPECT_TRUE(r.calls.empty()) << raw;
    EXPECT_TRUE(r.boxes.shown.empty()) << raw;
  }
}

TEST(RegistrationBoxes, SecondArgumentIsIgnored) {
  SwitchRun r = run("C:\\Vorn.scr", "p /DEFAULTSS=THIS /TEST", true);
  EXPECT_TRUE(r.handled);
  EXPECT_EQ(r.calls.size(), 1u);
}

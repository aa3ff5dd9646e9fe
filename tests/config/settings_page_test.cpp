#include <gtest/gtest.h>

#include "config/item_preview.h"
#include "config/settings_page.h"
#include "config/spin_edit.h"

using namespace vorn::config;

TEST(SpinEdit, ClampsBelowMinThenAboveMaxButNotWhenTheBoundsAreEqual) {
  SpinEdit s(1, 99, 5);
  s.setValue(0);
  EXPECT_EQ(s.value(), 1);
  s.setValue(150);
  EXPECT_EQ(s.value(), 99);
  SpinEdit fixed(7, 7, 7);
  fixed.setValue(150);  // no clamping when min == max
  EXPECT_EQ(fixed.value(), 150);
}

TEST(SpinEdit, TextThatIsNotANumberReadsAsTheMinimum) {
  SpinEdit s(3, 99, 10);
  s.setText("ab");
  EXPECT_EQ(s.value(), 3);
  s.setText("");
  EXPECT_EQ(s.value(), 3);
  s.setText("123");  // read back whole: the typing limit is the control's
  EXPECT_EQ(s.value(), 123);
  s.setText("0");
  EXPECT_EQ(s.value(), 0);  // typed values are clamped only when the focus leaves
  s.loseFocus();
  EXPECT_EQ(s.value(), 3);
}

TEST(SettingsPage, RadioButtonsEnableTheSpinEditsOfTheirMode) {
  SettingsPage p;
  EXPECT_TRUE(p.ChgIntSE.enabled);
  EXPECT_FALSE(p.ChgIntMINSE.enabled);
  EXPECT_FALSE(p.ChgIntMAXSE.enabled);
  p.checkRadio(2);
  EXPECT_FALSE(p.ChgIntSE.enabled);
  EXPECT_TRUE(p.ChgIntMINSE.enabled);
  EXPECT_TRUE(p.ChgIntMAXSE.enabled);
}

TEST(SettingsPage, RaisingTheLowerBoundKeepsTheUpperAtLeastFourAbove) {
  SettingsPage p;
  EXPECT_EQ(p.ChgIntMAXSE.minValue(), 2);  // before the first change
  p.setChgIntMin(20);
  EXPECT_EQ(p.ChgIntMAXSE.value(), 24);  // 15 raised to 24
  for (int lower = 96; lower <= 99; ++lower) {
    p.setChgIntMin(lower);
    EXPECT_EQ(p.ChgIntMAXSE.text(), "99") << lower;  // the maximum stays 99
    EXPECT_LE(p.ChgIntMAXSE.minValue(), 99) << lower;  // the control's range stays valid
  }
  p.setChgIntMax(10);  // as loaded from the header after the lower bound
  EXPECT_EQ(p.ChgIntMAXSE.value(), 99);
  p.setChgIntMin(3);
  EXPECT_EQ(p.ChgIntMAXSE.minValue(), 7);
  EXPECT_EQ(p.ChgIntMAXSE.value(), 99);  // lowering never lowers the upper value
}

TEST(SettingsPage, DialogChoiceLosesItsDoubleQuotes) {
  SettingsPage p;
  p.ALLBckSoundsFEAfterDialog("\"C:\\Zene\\h\xE1tt\xE9r.wav\"");
  EXPECT_EQ(p.ALLBckSoundsFE, "C:\\Zene\\h\xE1tt\xE9r.wav");
}

TEST(ItemPreview, LabelTextsFollowTheItem) {
  EXPECT_EQ(hangLabText(""), "NINCS");
  EXPECT_EQ(hangLabText("a.wav"), "VAN");
  EXPECT_EQ(chgIntLabText(12), "12 m\xE1sodperc");
  EXPECT_EQ(tipusLabText("C:\\K\xE9pek\\nyar.jpeg"), ".JPEG");
  EXPECT_EQ(tipusLabText("C:\\dir.v2\\noext"), "");
  EXPECT_EQ(picSizeText(800, 600, false), "800*600");
  EXPECT_EQ(picSizeText(320, 240, true), "320x240");
}

TEST(ItemPreview, VersionLabelShowsMajorAndMinorOnly) {
  EXPECT_EQ(versionLabelText(true, (2u << 16) | 1u), "V\xE1ltozat: 2.1");
  EXPECT_EQ(versionLabelText(false, 0), "V\xE1ltozat: [Ismeretlen]");
}

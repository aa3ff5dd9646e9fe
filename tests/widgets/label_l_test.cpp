#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "widgets/label_l.h"

using namespace vorn;
using namespace vorn::widgets;

namespace {

struct FakeLabelHost : LabelHost {
  bool capture = false, isEnabled = true, isVisible = true, active = true;
  int repaints = 0;
  bool holdsCapture() override { return capture; }
  void setCapture() override { capture = true; }
  void releaseCapture() override { capture = false; }
  bool enabled() override { return isEnabled; }
  bool visible() override { return isVisible; }
  bool formActive() override { return active; }
  int32_t width() override { return 100; }
  int32_t height() override { return 20; }
  void fontChanged() override { ++repaints; }
};

struct FakeShell : Shell {
  std::vector<std::string> log;
  void open(const std::string& a) override { log.push_back("open " + a); }
  void setWaitCursor(bool w) override { log.push_back(w ? "wait" : "default"); }
};

}  // namespace

TEST(LinkLabel, HoverFontOnlyWhileTheFormIsActiveAndDefaultFontOnLeaving) {
  FakeLabelHost host;
  FakeShell shell;
  TURLLabel l(host, shell);
  l.WMMouseMove(5, 5);
  EXPECT_EQ(l.Font.color, 0x008000u);  // green hover font of the program's links
  EXPECT_TRUE(l.MouseInside);
  l.WMMouseMove(100, 20);  // exactly on the width and height: still inside
  EXPECT_TRUE(host.capture);
  l.WMMouseMove(101, 5);
  EXPECT_EQ(l.Font, l.FontDefault);
  EXPECT_FALSE(host.capture);
  EXPECT_FALSE(l.MouseInside);

  host.active = false;
  TLabelL plain(host);
  plain.WMMouseMove(5, 5);
  EXPECT_TRUE(host.capture);  // captures all the same
  EXPECT_NE(plain.Font, plain.FontOnMouse);
  plain.WMMouseMove(-1, 5);
  EXPECT_EQ(plain.Font, plain.FontDefault);
}

TEST(LinkLabel, ClickOpensTheAddressBetweenItsTwoEvents) {
  FakeLabelHost host;
  FakeShell shell;
  TURLLabel l(host, shell);
  l.OnBeforeCall = [&](TURLLabel&) { shell.log.push_back("before"); };
  l.OnAfterCall = [&](TURLLabel&) { shell.log.push_back("after"); };
  l.setURLAddress("mailto:a@b.hu");
  const std::vector<std::string> call{"before", "wait", "open mailto:a@b.hu", "default", "after"};
  l.WMLButtonDown();
  EXPECT_EQ(shell.log, call);
  shell.log.clear();
  l.CallURL();  // the same as a click
  EXPECT_EQ(shell.log, call);
}

TEST(LinkLabel, AutoChangeCopiesTheAddressIntoTheCaption) {
  FakeLabelHost host;
  FakeShell shell;
  TURLLabel fixed(host, shell);
  fixed.Caption = "honlap";
  fixed.setURLAddress("http://example.hu");
  EXPECT_EQ(fixed.Caption, "honlap");
  TURLLabel collUrl(host, shell);
  collUrl.AUTOChange = true;
  collUrl.setURLAddress("http://example.hu");
  EXPECT_EQ(collUrl.Caption, "http://example.hu");
}

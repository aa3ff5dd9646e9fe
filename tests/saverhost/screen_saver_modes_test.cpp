// Mode dispatch, the after-load panel check, the preview and the
// configuration box of the screen-saver host.
#include "host_fixture.h"

namespace vorn::saverhost::testing {
namespace {

using Modes = HostTest;

TEST(ScreenSaverDefaults, AreAllOnWithMessageStyleAndNoEvents) {
  fake::CallLog log;
  fake::FakeHostForm form{log};
  fake::FakeHostSystem sys{log};
  TScreenSaver h(&form, sys);
  EXPECT_TRUE(h.AutoEnable && h.AutoMaximize && h.AutoBorderLess && h.AutoOnTop && h.AutoStayActive &&
              h.AutoMouseHide && h.AutoPanelHide && h.PreviewWindow && h.MainScreenSaver &&
              h.ConfigurationBox && h.SystemKeysDisabled && h.PasswordSetting && h.PasswordChecking);
  EXPECT_EQ(h.ConfigurationBoxStyle, TConfigBoxStyle::cbsMessageDlg);
  EXPECT_EQ(h.ConfigurationBoxPanel, nullptr);
  EXPECT_FALSE(h.ConfigurationBoxMessage.empty());
  EXPECT_FALSE(h.OnPreviewActive || h.OnMainSaverActive || h.OnConfigBoxActive || h.OnPasswordSet ||
               h.OnBeforePreviewActive || h.OnBeforeMainSaverActive || h.OnBeforeConfigBoxActive ||
               h.OnBeforePasswordSet);
  EXPECT_TRUE(log.empty()) << "construction at run time touches nothing";
}

TEST(ScreenSaverDesign, RefusesAnOwnerThatIsNoFormAndASecondHost) {
  fake::CallLog log;
  fake::FakeHostForm form{log};
  fake::FakeHostSystem sys{log};
  EXPECT_THROW(TScreenSaver(nullptr, sys, true), TFormNotOwner);
  form.components = {{"ScreenSaver1", nullptr, true}};
  EXPECT_NO_THROW(TScreenSaver(&form, sys, true));
  form.components.push_back({"ScreenSaver2", nullptr, true});
  EXPECT_THROW(TScreenSaver(&form, sys, true), TDuplicateComponent);
  EXPECT_NO_THROW(TScreenSaver(&form, sys, false)) << "no checks at run time";
}

TEST_F(Modes, ModeLetterIsTheUpperCasedSecondCharacterOfTheFirstArgument) {
  auto h = make();
  const std::pair<std::string, char> cases[] = {{"/S", 'S'}, {"-s", 'S'}, {"xs", 'S'}, {"S", 0},
                                                {"/c:1234", 'C'}, {"/p", 'P'}, {"", 0}, {"/\xE9", '\xE9'}};
  for (const auto& [arg, letter] : cases) {
    commandLine({arg});
    EXPECT_EQ(h->ModeLetter(), letter) << arg;
  }
}

TEST_F(Modes, DispatchesEachLetterToItsModeAndEverythingElseToTheConfigBox) {
  struct Case {
    std::vector<std::string> args;
    std::vector<std::string> events;
  };
  const Case cases[] = {
      {{"/s"}, {"BeforeMainSaver", "MainSaver"}},
      {{"/p", "abc"}, {"BeforePreview", "Preview"}},
      {{"/a"}, {"BeforePasswordSet", "PasswordSet"}},
      {{"/c"}, {"BeforeConfigBox", "ConfigBox"}},
      {{}, {"BeforeConfigBox", "ConfigBox"}},
      {{"S"}, {"BeforeConfigBox", "ConfigBox"}},
      {{"/x"}, {"BeforeConfigBox", "ConfigBox"}},
  };
  for (const Case& c : cases) {
    log.clear();
    commandLine(c.args);
    auto h = make();
    markEvents(*h);
    h->Loaded();
    EXPECT_EQ(events(), c.events) << (c.args.empty() ? "(none)" : c.args[0]);
  }
}

TEST_F(Modes, WithoutAutoEnableTheOwnerDispatches) {
  commandLine({"/s"});
  auto h = make();
  markEvents(*h);
  h->AutoEnable = false;
  h->Loaded();
  EXPECT_TRUE(events().empty());
  h->ExecuteByCommandLine();
  EXPECT_EQ(events(), (std::vector<std::string>{"BeforeMainSaver", "MainSaver"}));
}

TEST_F(Modes, LoadedKeepsAPanelOfTheFormAndHidesItOnlyWhenAsked) {
  commandLine({"/s"});
  auto h = make();
  h->AutoPanelHide = true;
  h->Loaded();
  EXPECT_EQ(h->ConfigurationBoxStyle, TConfigBoxStyle::cbsPanel);
  EXPECT_EQ(h->ConfigurationBoxPanel, &panel2);
  EXPECT_FALSE(panel2.visible);

  log.clear();
  panel2.visible = true;
  auto kept = load();
  EXPECT_TRUE(panel2.visible) << "the program stores AutoPanelHide False";
}

TEST_F(Modes, LoadedFallsBackToTheMessageStyleForAMissingOrForeignPanel) {
  commandLine({"/s"});
  fake::FakePanel foreign{log, "Panel2", 10, 10};  // same name, another form
  for (HostPanel* p : {static_cast<HostPanel*>(nullptr), static_cast<HostPanel*>(&foreign)}) {
    auto h = make();
    h->ConfigurationBoxPanel = p;
    h->AutoPanelHide = true;
    h->Loaded();
    EXPECT_EQ(h->ConfigurationBoxStyle, TConfigBoxStyle::cbsMessageDlg);
    EXPECT_EQ(h->ConfigurationBoxPanel, nullptr);
    EXPECT_TRUE(foreign.visible);
  }
}

// --- preview ---

class Preview : public HostTest {
 protected:
  static constexpr WindowHandle kParent = 1234;
  Preview() {
    sys.existing[kParent] = true;
    sys.windowsByTitle["Vorn"] = 55;
    sys.windowLongs[{kParent, GWL_STYLE_}] = int32_t(0x50000000 | 0x00800000);  // child, visible, border
    sys.windowLongs[{kParent, GWL_EXSTYLE_}] = 0x200;                            // client edge
  }
};

TEST_F(Preview, BecomesADisabledChildOfTheGivenWindowSized152By112) {
  commandLine({"/p", "1234"});
  auto h = make();
  markEvents(*h);
  h->Loaded();
  EXPECT_EQ(events(), (std::vector<std::string>{"BeforePreview", "Preview"}));
  EXPECT_TRUE(logged("ShowWindow 55 0"));
  EXPECT_TRUE(logged("SetWindowLong 55 -20 136"));
  EXPECT_TRUE(logged("SetWindowLong 77 -16 " + std::to_string(WS_CHILD_ | 0x00800000u | WS_DISABLED_)))
      << "the parent's style without its visible bit";
  EXPECT_TRUE(logged("SetWindowLong 77 -20 512"));
  EXPECT_TRUE(logged("SetParent 77 1234"));
  EXPECT_TRUE(logged("ScaleBy 152 1024")) << "scaled from the screen's width";
  EXPECT_LT(at("SetParent 77 1234"), at("ScaleBy 152 1024"));
  EXPECT_EQ(form.width, 152);
  EXPECT_EQ(form.height, 112);
  EXPECT_EQ(form.left, 0);
  EXPECT_EQ(form.top, 0);
  EXPECT_EQ(form.position, TPosition::poDesigned);
  EXPECT_FALSE(form.terminated);
  EXPECT_LT(at("SetHeight 112"), at("SetTop 0"));
  EXPECT_LT(at("SetTop 0"), at("SetLeft 0"));
}

TEST_F(Preview, WithoutAutoMaximizeScalesFromTheStoredWidth) {
  commandLine({"/p", "1234"});
  auto h = make();
  h->AutoMaximize = false;
  form.width = 800;
  h->Loaded();
  EXPECT_TRUE(logged("ScaleBy 152 800"));
  EXPECT_EQ(countPrefix("SetWidth"), 1);
}

TEST_F(Preview, AFormOfNoWidthIsNotScaled) {
  commandLine({"/p", "1234"});
  auto h = make();
  h->AutoMaximize = false;
  form.width = 0;
  h->Loaded();
  EXPECT_EQ(countPrefix("ScaleBy"), 0);
  EXPECT_EQ(form.width, 152);
}

TEST_F(Preview, DropsThePopUpBitOfATopLevelParent) {
  sys.windowLongs[{kParent, GWL_STYLE_}] = int32_t(WS_POPUP_ | WS_VISIBLE_ | 0x00C00000u);  // with a caption
  commandLine({"/p", "1234"});
  auto h = load();
  EXPECT_TRUE(logged("SetWindowLong 77 -16 " + std::to_string(0x00C00000u | WS_CHILD_ | WS_DISABLED_)));
}

TEST_F(Preview, AnInvalidHandleEndsQuietlyAfterThePreviewEvent) {
  const std::vector<std::vector<std::string>> cases = {
      {"/p", "0"}, {"/p", "-1"}, {"/p", "abc"}, {"/p"}, {"/p:1234"}, {"/p", "999"}, {"/p", "1234x"}};
  for (const auto& c : cases) {
    log.clear();
    form.terminated = false;
    commandLine(c);
    auto h = make();
    markEvents(*h);
    h->Loaded();
    EXPECT_EQ(events(), (std::vector<std::string>{"BeforePreview", "Preview"})) << c[0];
    EXPECT_TRUE(form.terminated) << c[0];
    EXPECT_EQ(countPrefix("SetParent"), 0) << c[0];
    EXPECT_EQ(countPrefix("ShowMessage"), 0) << c[0];
  }
}

TEST_F(Preview, TakesTheHandleInTheRuntimesHexadecimalFormsToo) {
  for (const char* arg : {"0x4D2", "$4d2", " 1234"}) {
    log.clear();
    commandLine({"/p", arg});
    auto h = load();
    EXPECT_TRUE(logged("SetParent 77 1234")) << arg;
  }
}

TEST_F(Preview, AHandleOfMinusOneIsRefusedEvenWhenItIsAWindow) {
  sys.existing[0xFFFFFFFFu] = true;
  commandLine({"/p", "-1"});
  auto h = load();
  EXPECT_TRUE(form.terminated);
}

TEST_F(Preview, WithPreviewWindowOffOnlyTheEventsFire) {
  commandLine({"/p", "1234"});
  auto h = make();
  markEvents(*h);
  h->PreviewWindow = false;
  h->Loaded();
  EXPECT_EQ(events(), (std::vector<std::string>{"BeforePreview", "Preview"}));
  EXPECT_EQ(countPrefix("SetParent") + countPrefix("SetWindowLong") + countPrefix("Set"), 0);
  EXPECT_FALSE(form.terminated);
}

// --- configuration box ---

using ConfigBox = HostTest;

TEST_F(ConfigBox, PanelStyleShowsOnlyPanel2AsACentredDialogOfItsSize) {
  commandLine({});
  auto h = make();
  bool sawPanelBeforeSetUp = false;
  h->OnBeforeConfigBoxActive = [&](TScreenSaver&) { sawPanelBeforeSetUp = logged("Show Panel2"); };
  h->Loaded();
  EXPECT_FALSE(sawPanelBeforeSetUp);
  EXPECT_FALSE(movieBox.visible);
  EXPECT_TRUE(panel2.visible);
  EXPECT_EQ(panel2.left, 0);
  EXPECT_EQ(panel2.top, 0);
  EXPECT_TRUE(logged("BringToFront Panel2"));
  EXPECT_EQ(form.windowState, TWindowState::wsNormal);
  EXPECT_EQ(form.borderStyle, TFormBorderStyle::bsDialog);
  EXPECT_EQ(form.clientWidth, 500);
  EXPECT_EQ(form.clientHeight, 380);
  EXPECT_EQ(form.position, TPosition::poScreenCenter);
  EXPECT_FALSE(form.terminated);
  EXPECT_EQ(countPrefix("FindWindow"), 0) << "without /c the display settings window is left alone";
}

TEST_F(ConfigBox, LetterCDisablesDisplayPropertiesAndTheDestructorEnablesIt) {
  sys.windowsByTitle["Display Properties"] = 300;
  commandLine({"/c:1234"});
  {
    auto h = load();
    EXPECT_TRUE(logged("EnableWindow 300 0"));
    EXPECT_TRUE(logged("SetForegroundWindow 300"));
    EXPECT_LT(at("EnableWindow 300 0"), at("SetForegroundWindow 300"));
    EXPECT_FALSE(logged("EnableWindow 300 1"));
  }
  EXPECT_TRUE(logged("EnableWindow 300 1"));
}

TEST_F(ConfigBox, WithoutADisplayPropertiesWindowNothingIsEnabledOrRaised) {
  commandLine({"/c"});
  { auto h = load(); }
  EXPECT_EQ(countPrefix("EnableWindow") + countPrefix("SetForegroundWindow"), 0);
}

TEST_F(ConfigBox, MessageStyleShowsTheTextOffScreenThenEndsTheProgram) {
  sys.windowsByTitle["Display Properties"] = 300;
  commandLine({"/c"});
  auto h = make();
  markEvents(*h);
  h->ConfigurationBoxPanel = nullptr;
  form.windowState = TWindowState::wsMaximized;
  h->Loaded();
  EXPECT_EQ(events(), (std::vector<std::string>{"BeforeConfigBox", "ConfigBox"}));
  EXPECT_EQ(form.left, -640 - 100);
  EXPECT_EQ(form.windowState, TWindowState::wsNormal);
  const int message = at("ShowMessage Kettrel software");
  ASSERT_GE(message, 0);
  EXPECT_LT(at("EnableWindow 300 0"), message);
  EXPECT_LT(message, at("event ConfigBox"));
  EXPECT_LT(at("event ConfigBox"), at("EnableWindow 300 1"));
  EXPECT_LT(at("EnableWindow 300 1"), at("SetForegroundWindow 300"));
  EXPECT_TRUE(form.terminated);
}

TEST_F(ConfigBox, OffOnlyFiresTheEvents) {
  commandLine({"/c"});
  auto h = make();
  markEvents(*h);
  h->ConfigurationBox = false;
  h->Loaded();
  EXPECT_EQ(events(), (std::vector<std::string>{"BeforeConfigBox", "ConfigBox"}));
  EXPECT_TRUE(movieBox.visible);
  EXPECT_EQ(countPrefix("Set") + countPrefix("Enable") + countPrefix("ShowMessage"), 0);
}

}  // namespace
}  // namespace vorn::saverhost::testing

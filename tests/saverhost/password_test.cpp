// The password check chained into the close query, the library path rule,
// and the password change of mode "A".
#include "host_fixture.h"

namespace vorn::saverhost::testing {
namespace {

constexpr LibraryHandle kPasswordCpl = 700;
constexpr LibraryHandle kMpr = 800;

class Password : public HostTest {
 protected:
  Password() {
    commandLine({"/s"});
    sys.foreground = 77;
    sys.usePassword = 1;
    sys.libraries["C:\\WINDOWS\\SYSTEM\\PASSWORD.CPL"] = kPasswordCpl;
    sys.entries[{kPasswordCpl, "VerifyScreenSavePwd"}] = 1;
    sys.libraries["C:\\WINDOWS\\SYSTEM\\MPR.DLL"] = kMpr;
    sys.entries[{kMpr, "PwdChangePasswordA"}] = 2;
  }
  // The program's form: its own close query asks the host as well.
  std::unique_ptr<TScreenSaver> loadWithFormCloseQuery() {
    auto h = make();
    TScreenSaver* host = h.get();
    form.closeQuery = [host](void*, bool& canClose) { canClose = host->VerifyPassword(); };
    h->Loaded();
    return h;
  }
};

TEST_F(Password, AcceptedCloseCallsTheEntryTwiceWithTheForegroundWindow) {
  auto h = loadWithFormCloseQuery();
  log.clear();
  EXPECT_TRUE(form.CloseQuery());
  EXPECT_EQ(count("VerifyScreenSavePwd 77"), 2);
  EXPECT_EQ(count("LoadLibrary C:\\WINDOWS\\SYSTEM\\PASSWORD.CPL"), 2);
  EXPECT_EQ(sys.loaded, 0) << "every load is released";
  EXPECT_EQ(sys.openKeys, 0);
  EXPECT_TRUE(logged("RegOpenKey Control Panel\\Desktop 983103"));
  EXPECT_LT(at("ShowCursor 1"), at("VerifyScreenSavePwd 77"));
}

TEST_F(Password, RefusedCloseKeepsTheSaverWithTheCursorHiddenAndAsksAgainNextTime) {
  auto h = loadWithFormCloseQuery();
  sys.verifyAnswers = {0, 0};
  EXPECT_FALSE(form.CloseQuery());
  EXPECT_EQ(sys.cursorCount, -1);
  sys.verifyAnswers = {1, 1};
  log.clear();
  EXPECT_TRUE(form.CloseQuery());
  EXPECT_EQ(count("VerifyScreenSavePwd 77"), 2);
}

TEST_F(Password, OneConsentingAndOneRefusingCheckKeepTheSaverAndTheCursorHidden) {
  for (auto answers : {std::vector<int32_t>{1, 0}, std::vector<int32_t>{0, 1}}) {
    sys.cursorCount = 0;
    auto h = loadWithFormCloseQuery();
    ASSERT_EQ(sys.cursorCount, -1);
    sys.verifyAnswers = answers;
    EXPECT_FALSE(form.CloseQuery()) << answers[0];
    EXPECT_EQ(sys.cursorCount, -1) << answers[0];
    h.reset();
  }
}

TEST_F(Password, OnlyTheLowestByteOfTheAnswerCounts) {
  auto h = make();
  h->Loaded();
  sys.verifyAnswers = {0x100};
  EXPECT_FALSE(h->VerifyPassword());
  sys.verifyAnswers = {0x101};
  EXPECT_TRUE(h->VerifyPassword());
}

TEST_F(Password, TheHostAsksEvenWhenTheFormsOwnHandlerRefusedAndTheCursorStaysHidden) {
  auto h = make();
  form.closeQuery = [](void*, bool& canClose) { canClose = false; };
  h->Loaded();
  log.clear();
  EXPECT_FALSE(form.CloseQuery());
  EXPECT_EQ(count("VerifyScreenSavePwd 77"), 1);
  EXPECT_EQ(sys.cursorCount, -1);
  // The check consents before the library, as without the key: same cursor.
  sys.desktopKeyOpens = false;
  EXPECT_FALSE(form.CloseQuery());
  EXPECT_EQ(sys.cursorCount, -1);
}

TEST_F(Password, NoProtectionMeansNoLibrary) {
  struct Case {
    const char* name;
    bool keyOpens;
    std::optional<int32_t> value;
    bool isInteger;
  };
  const Case cases[] = {{"key missing", false, 1, true},
                        {"value missing", true, std::nullopt, true},
                        {"value 0", true, 0, true},
                        {"value not an integer", true, 1, false}};
  auto h = load();
  for (const Case& c : cases) {
    log.clear();
    sys.desktopKeyOpens = c.keyOpens;
    sys.usePassword = c.value;
    sys.usePasswordIsInteger = c.isInteger;
    EXPECT_TRUE(form.CloseQuery()) << c.name;
    EXPECT_EQ(countPrefix("LoadLibrary"), 0) << c.name;
    EXPECT_EQ(sys.openKeys, 0) << c.name << ": the key is closed on every path";
  }
}

TEST_F(Password, AMissingLibraryOrEntryAllowsClosing) {
  auto h = load();
  sys.entries.clear();
  EXPECT_TRUE(h->VerifyPassword());
  EXPECT_EQ(sys.loaded, 0) << "a library without the entry is released";
  sys.libraries.clear();
  EXPECT_TRUE(h->VerifyPassword());
  EXPECT_EQ(countPrefix("VerifyScreenSavePwd"), 0);
}

TEST_F(Password, OutsideTheFullScreenModeClosingTouchesNoRegistryOrLibrary) {
  sys.existing[1234] = true;
  for (auto args : {std::vector<std::string>{"/c"}, std::vector<std::string>{"/p", "1234"},
                    std::vector<std::string>{}}) {
    commandLine(args);
    auto h = make();
    form.closeQuery = [&](void*, bool& canClose) { canClose = h->VerifyPassword(); };
    h->Loaded();
    log.clear();
    EXPECT_TRUE(form.CloseQuery());
    EXPECT_EQ(log, (fake::CallLog{"ShowCursor 1"})) << "only the cursor is raised, before the mode test";
    h.reset();
  }
}

TEST_F(Password, LibraryPathFollowsTheSystemDirectory) {
  auto h = load();
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\WINDOWS\\SYSTEM", "C:\\WINDOWS\\SYSTEM\\PASSWORD.CPL"},
      {"C:\\", "C:\\PASSWORD.CPL"},
      {"", "PASSWORD.CPL"},
      {"D:\\Sys/", "D:\\Sys/\\PASSWORD.CPL"}};
  for (const auto& [dir, path] : cases) {
    log.clear();
    sys.systemDirectory = dir;
    (void)h->VerifyPassword();
    EXPECT_TRUE(logged("LoadLibrary " + path)) << dir;
  }
}

TEST_F(Password, ChangeCallsTheServiceWithScrsaveAndTheParentThenEnds) {
  sys.windowsByTitle["Vorn"] = 55;
  commandLine({"/a", "4660"});
  auto h = make();
  markEvents(*h);
  h->Loaded();
  EXPECT_EQ(events(), (std::vector<std::string>{"BeforePasswordSet", "PasswordSet"}));
  EXPECT_TRUE(logged("ShowWindow 55 0"));
  EXPECT_EQ(form.windowState, TWindowState::wsMinimized);
  EXPECT_TRUE(logged("SetWindowLong 55 -20 136"));
  EXPECT_TRUE(logged("LoadLibrary C:\\WINDOWS\\SYSTEM\\MPR.DLL"));
  EXPECT_TRUE(logged("PwdChangePasswordA SCRSAVE 4660 0 0"));
  EXPECT_LT(at("PwdChangePasswordA SCRSAVE 4660 0 0"), at("FreeLibrary 800"));
  EXPECT_LT(at("FreeLibrary 800"), at("event PasswordSet"));
  EXPECT_LT(at("event PasswordSet"), at("Terminate"));
  EXPECT_EQ(sys.loaded, 0);
}

TEST_F(Password, ChangeWithoutANumberGivesParentZeroAndWithoutTheServiceDoesNothing) {
  for (auto args : {std::vector<std::string>{"/a"}, std::vector<std::string>{"-A", "abc"}}) {
    log.clear();
    commandLine(args);
    auto h = load();
    EXPECT_TRUE(logged("PwdChangePasswordA SCRSAVE 0 0 0")) << args[0];
  }
  log.clear();
  form.terminated = false;
  sys.entries.clear();
  commandLine({"/a", "5"});
  auto h = load();
  EXPECT_EQ(countPrefix("PwdChangePasswordA"), 0);
  EXPECT_TRUE(logged("FreeLibrary 800"));
  EXPECT_TRUE(form.terminated);
}

TEST_F(Password, ChangeTakesTheParentInTheRuntimesNumberFormsUnchecked) {
  const std::pair<const char*, const char*> cases[] = {
      {"0x1A", "26"}, {"0x1a", "26"}, {"$ff", "255"}, {"-1", "4294967295"}};
  for (const auto& [arg, parent] : cases) {
    log.clear();
    commandLine({"/a", arg});
    auto h = load();
    EXPECT_TRUE(logged(std::string("PwdChangePasswordA SCRSAVE ") + parent + " 0 0")) << arg;
  }
}

TEST_F(Password, ChangeWithPasswordSettingOffOnlyFiresTheEvents) {
  commandLine({"/a", "5"});
  auto h = make();
  markEvents(*h);
  h->PasswordSetting = false;
  h->Loaded();
  EXPECT_EQ(events(), (std::vector<std::string>{"BeforePasswordSet", "PasswordSet"}));
  EXPECT_EQ(countPrefix("LoadLibrary") + countPrefix("Terminate") + countPrefix("SetWindowState"), 0);
}

}  // namespace
}  // namespace vorn::saverhost::testing

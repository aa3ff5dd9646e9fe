// The full-screen set-up, the replacement window procedure and what the
// destructor restores in each mode.
#include "host_fixture.h"

namespace vorn::saverhost::testing {
namespace {

const intptr_t kOwnProc = intptr_t(uintptr_t(0x7FF612345678ull));
const std::string kRestore = "SetWindowLongPtr 77 -4 " + std::to_string(uintptr_t(kOwnProc));

class MainSaver : public HostTest {
 protected:
  MainSaver() {
    commandLine({"/s"});
    sys.windowsByTitle["Vorn"] = 55;
    // The form's own procedure, at an address above 4 GiB as in a 64-bit
    // process: it must come back whole.
    sys.windowLongs[{77, GWLP_WNDPROC_}] = kOwnProc;
  }
};

TEST_F(MainSaver, SetsTheFormUpInOrderAfterTheBeforeEvent) {
  auto h = make();
  markEvents(*h);
  h->Loaded();
  const std::vector<std::string> order = {"event BeforeMainSaver",
                                          "FindWindow Vorn",
                                          "ShowWindow 55 0",
                                          "SetWindowLong 55 -20 136",
                                          "SystemParametersInfo 97 1 0",
                                          "ShowCursor 0",
                                          "SetWindowState 2",
                                          "SetBorderStyle 0",
                                          "SetStayOnTop",
                                          "MakeWndProcThunk",
                                          "SetWindowLongPtr 77 -4 4242",
                                          "event MainSaver"};
  int last = -1;
  for (const auto& step : order) {
    const int i = at(step);
    EXPECT_GT(i, last) << step;
    last = i;
  }
  EXPECT_TRUE(sys.screenSaverRunning);
  EXPECT_EQ(sys.cursorCount, -1);
  EXPECT_TRUE(h->Hooked());
}

TEST_F(MainSaver, EachAutoPropertyTurnsItsStepOff) {
  auto h = make();
  h->SystemKeysDisabled = false;
  h->AutoMouseHide = false;
  h->AutoMaximize = false;
  h->AutoBorderLess = false;
  h->AutoOnTop = false;
  h->Loaded();
  EXPECT_EQ(countPrefix("SystemParametersInfo") + countPrefix("ShowCursor") + countPrefix("SetWindowState") +
                countPrefix("SetBorderStyle") + countPrefix("SetStayOnTop"),
            0);
  EXPECT_TRUE(logged("ShowWindow 55 0"));
  EXPECT_TRUE(h->Hooked());
}

TEST_F(MainSaver, WithMainScreenSaverOffStillHooksAndChainsTheCloseQuery) {
  auto h = make();
  h->MainScreenSaver = false;
  int own = 0;
  form.closeQuery = [&](void*, bool& canClose) { ++own; };
  h->Loaded();
  EXPECT_EQ(countPrefix("ShowWindow") + countPrefix("ShowCursor") + countPrefix("SetWindowState"), 0);
  EXPECT_FALSE(form.stayOnTop);
  EXPECT_TRUE(h->Hooked());
  EXPECT_TRUE(form.CloseQuery());
  EXPECT_EQ(own, 1) << "the form's own handler runs inside the host's";
}

TEST_F(MainSaver, WithoutPasswordCheckingTheFormKeepsItsCloseQuery) {
  auto h = make();
  h->PasswordChecking = false;
  bool ownRan = false;
  form.closeQuery = [&](void*, bool& canClose) { ownRan = true, canClose = false; };
  h->Loaded();
  EXPECT_FALSE(form.CloseQuery());
  EXPECT_TRUE(ownRan);
}

TEST_F(MainSaver, RefusesTheWholeScreenSaveCommandOnly) {
  auto h = load();
  ASSERT_TRUE(sys.thunk);
  log.clear();
  EXPECT_EQ(sys.thunk(WM_SYSCOMMAND_, SC_SCREENSAVE_, 0), 0);
  EXPECT_EQ(countPrefix("CallWindowProc"), 0);
  EXPECT_EQ(sys.thunk(WM_SYSCOMMAND_, SC_SCREENSAVE_ | 2, 0), 1234);
  EXPECT_TRUE(logged("CallWindowProc " + std::to_string(uintptr_t(kOwnProc)) + " 77 274 " + std::to_string(SC_SCREENSAVE_ | 2)));
  EXPECT_EQ(sys.thunk(0x0200, 5, 6), 1234) << "other messages reach the form's own procedure";
}

TEST_F(MainSaver, TakesActivationBackOnlyForAPlainDeactivation) {
  auto h = load();
  log.clear();
  EXPECT_EQ(sys.thunk(WM_ACTIVATE_, WA_INACTIVE_, 0), 0);
  EXPECT_EQ(log, (fake::CallLog{"Handle", "PostMessage 65535 6 1 77", "Sleep 0", "SetForegroundWindow 77"}));
  log.clear();
  const uintptr_t minimisedInactive = uintptr_t(1) << 16;
  EXPECT_EQ(sys.thunk(WM_ACTIVATE_, minimisedInactive, 0), 1234);
  EXPECT_EQ(countPrefix("PostMessage"), 0);
  EXPECT_EQ(sys.thunk(WM_ACTIVATE_, WA_ACTIVE_, 0), 1234);
}

TEST_F(MainSaver, WithoutAutoStayActiveActivationPassesThrough) {
  auto h = make();
  h->AutoStayActive = false;
  h->Loaded();
  log.clear();
  EXPECT_EQ(sys.thunk(WM_ACTIVATE_, WA_INACTIVE_, 0), 1234);
  EXPECT_EQ(countPrefix("PostMessage") + countPrefix("SetForegroundWindow"), 0);
}

TEST_F(MainSaver, HookingTwiceKeepsTheFormsOwnProcedure) {
  auto h = load();
  h->HookWindowProc();
  EXPECT_EQ(count("MakeWndProcThunk"), 1);
  h->UnhookWindowProc();
  EXPECT_EQ(sys.GetWindowLongPointer(77, GWLP_WNDPROC_), kOwnProc);
  EXPECT_FALSE(h->Hooked());
  h->UnhookWindowProc();
  EXPECT_EQ(count("FreeWndProcThunk 4242"), 1);
}

TEST_F(MainSaver, DestructorRestoresProcedureThenSystemFlagThenCursor) {
  {
    auto h = load();
    log.clear();
  }
  const int unhook = at(kRestore);
  const int flag = at("SystemParametersInfo 97 0 0");
  const int cursor = at("ShowCursor 1");
  ASSERT_GE(unhook, 0);
  EXPECT_LT(unhook, flag);
  EXPECT_LT(flag, cursor);
  EXPECT_FALSE(sys.screenSaverRunning);
  EXPECT_EQ(sys.cursorCount, 0);
  EXPECT_EQ(countPrefix("EnableWindow"), 0);
}

TEST_F(HostTest, DestructorClearsTheFlagAndShowsTheCursorInEveryMode) {
  sys.existing[1234] = true;
  sys.windowsByTitle["Display Properties"] = 300;
  const std::vector<std::vector<std::string>> modes = {{"/c"}, {}, {"/p", "1234"}, {"/p", "0"}, {"/a", "5"},
                                                       {"/s"}};
  for (const auto& m : modes) {
    log.clear();
    commandLine(m);
    { auto h = load(); }
    const std::string name = m.empty() ? "(none)" : m[0];
    EXPECT_EQ(count("SystemParametersInfo 97 0 0"), 1) << name;
    EXPECT_EQ(count("ShowCursor 1"), 1) << name;
    const int expected = m == std::vector<std::string>{"/c"} ? 1 : 0;
    EXPECT_EQ(count("EnableWindow 300 1"), expected) << name;
    EXPECT_EQ(count("SetWindowLongPtr 77 -4 0"), 0) << name << ": nothing to unhook";
  }
}

TEST_F(HostTest, DestructorLeavesFlagAndCursorAloneWhenTheirPropertiesAreOff) {
  commandLine({"/s"});
  {
    auto h = make();
    h->SystemKeysDisabled = false;
    h->AutoMouseHide = false;
    h->Loaded();
  }
  EXPECT_EQ(countPrefix("SystemParametersInfo") + countPrefix("ShowCursor"), 0);
}

TEST(ScreenSaverWithoutOwner, DoesNothingToTheWindow) {
  fake::CallLog log;
  fake::FakeHostSystem sys{log};
  sys.args = {"x", "/s"};
  {
    TScreenSaver h(nullptr, sys);
    h.Loaded();
    EXPECT_FALSE(h.Hooked());
    EXPECT_EQ(h.HostWindowProc(WM_SYSCOMMAND_, 0, 0), 0);
  }
  for (const auto& s : log) EXPECT_TRUE(s.rfind("SystemParametersInfo", 0) == 0 || s.rfind("ShowCursor", 0) == 0) << s;
}

}  // namespace
}  // namespace vorn::saverhost::testing

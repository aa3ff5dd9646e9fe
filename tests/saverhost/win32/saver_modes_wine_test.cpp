// The screen-saver modes of the real Vorn.scr, watched from outside.
#include <gtest/gtest.h>

#include "saver_process.h"

namespace vorn::wine {
namespace {

constexpr DWORD kStart = 8000;  // a cold Wine start of the program
constexpr DWORD kEnd = 5000;

HWND childOfClass(HWND parent, const wchar_t* cls) { return FindWindowExW(parent, nullptr, cls, nullptr); }

TEST(SaverFullScreen, CoversTheScreenTopmostBorderlessWithTheCursorHidden) {
  SaverProcess saver(L"/S");
  ASSERT_TRUE(saver.Started());
  HWND form = saver.WaitForm(kStart);
  ASSERT_TRUE(form);
  PumpFor(300);
  RECT r;
  GetWindowRect(form, &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
  const LONG style = GetWindowLongW(form, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0);
  EXPECT_TRUE(style & WS_MAXIMIZE);
  EXPECT_TRUE(GetWindowLongW(form, GWL_EXSTYLE) & WS_EX_TOPMOST);
  CURSORINFO ci{};
  ci.cbSize = sizeof ci;
  ASSERT_TRUE(GetCursorInfo(&ci));
  EXPECT_EQ(ci.flags & CURSOR_SHOWING, 0u) << "the saver hides the cursor";
  // A screen-save command is refused; the window stays.
  DWORD_PTR result = 1;
  EXPECT_TRUE(SendMessageTimeoutW(form, WM_SYSCOMMAND, SC_SCREENSAVE, 0, SMTO_ABORTIFHUNG, 2000, &result));
  EXPECT_EQ(result, 0u);
  EXPECT_TRUE(IsWindow(form));
  EXPECT_FALSE(saver.Exited());
  // Any key ends the show (no password in this prefix).
  PostMessageW(form, WM_KEYDOWN, 'A', 0);
  EXPECT_TRUE(saver.WaitExit(kEnd));
}

// Under Wine a warp can be refused while another client holds the pointer;
// the server then already reports the new place while the real pointer stays.
// Waiting past Wine's 100 ms cache makes GetCursorPos read the real pointer.
bool placeCursor(int x, int y) {
  for (int tries = 0; tries < 20; ++tries) {
    SetCursorPos(x, y);
    PumpFor(150);
    POINT at{};
    if (GetCursorPos(&at) && at.x == x && at.y == y) return true;
  }
  return false;
}

TEST(SaverFullScreen, ASmallMouseMoveKeepsTheShowALargeOneEndsIt) {
  ASSERT_TRUE(placeCursor(300, 300));
  SaverProcess saver(L"-s");
  HWND form = saver.WaitForm(kStart);
  ASSERT_TRUE(form);
  PumpFor(200);
  ASSERT_TRUE(placeCursor(315, 285));
  PostMessageW(form, WM_MOUSEMOVE, 0, MAKELPARAM(315, 285));
  EXPECT_FALSE(saver.WaitExit(500));
  ASSERT_TRUE(placeCursor(316, 300));
  PostMessageW(form, WM_MOUSEMOVE, 0, MAKELPARAM(316, 300));
  EXPECT_TRUE(saver.WaitExit(kEnd));
}

void expectConfigBox(const std::wstring& args) {
  SaverProcess saver(args);
  HWND form = saver.WaitForm(kStart);
  ASSERT_TRUE(form) << "no configuration box for " << std::string(args.begin(), args.end());
  HWND panel = childOfClass(form, L"TPanel");
  // Panel2 is the one visible panel, at 0,0, and the client area is its size.
  HWND shown = nullptr;
  for (HWND p = panel; p; p = FindWindowExW(form, p, L"TPanel", nullptr))
    if (IsWindowVisible(p)) {
      EXPECT_EQ(shown, nullptr) << "only one panel is shown";
      shown = p;
    }
  ASSERT_TRUE(shown);
  RECT pr, cr;
  GetWindowRect(shown, &pr);
  MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&pr), 2);
  GetClientRect(form, &cr);
  EXPECT_EQ(pr.left, 0);
  EXPECT_EQ(pr.top, 0);
  EXPECT_EQ(cr.right, pr.right - pr.left);
  EXPECT_EQ(cr.bottom, pr.bottom - pr.top);
  EXPECT_EQ(GetWindowLongW(form, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZE), 0);
  EXPECT_TRUE(GetWindowLongW(form, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
  // The button sits inside the panel's own page window, so look through
  // every descendant, not only the direct children.
  struct Search {
    HWND found = nullptr;
  } search;
  EnumChildWindows(
      shown,
      [](HWND h, LPARAM lp) __attribute__((stdcall)) -> BOOL {
        wchar_t cls[16] = {}, text[32] = {};
        GetClassNameW(h, cls, 16);
        GetWindowTextW(h, text, 32);
        if (lstrcmpiW(cls, L"BUTTON") == 0 && lstrcmpW(text, L"M\u00e9gsem") == 0) {
          *reinterpret_cast<HWND*>(lp) = h;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search.found));
  HWND cancel = search.found;
  ASSERT_TRUE(cancel);
  PostMessageW(cancel, BM_CLICK, 0, 0);
  EXPECT_TRUE(saver.WaitExit(kEnd));
}

TEST(SaverConfigBox, OpensWithPanel2ForNoArgumentAndForLetterC) {
  expectConfigBox(L"");
  expectConfigBox(L"/c:1234");
  expectConfigBox(L"S");
}

TEST(SaverConfigBox, LetterCDisablesDisplayPropertiesWhileOpen) {
  HWND dp = MakeTestWindow(L"Display Properties", 300, 200);
  ASSERT_TRUE(dp);
  {
    SaverProcess saver(L"/C");
    HWND form = saver.WaitForm(kStart);
    ASSERT_TRUE(form);
    EXPECT_FALSE(IsWindowEnabled(dp));
    PostMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_TRUE(saver.WaitExit(kEnd));
    PumpFor(50);
    EXPECT_TRUE(IsWindowEnabled(dp));
  }
  {
    SaverProcess saver(L"");
    HWND form = saver.WaitForm(kStart);
    ASSERT_TRUE(form);
    EXPECT_TRUE(IsWindowEnabled(dp)) << "without /c the window is left alone";
    PostMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_TRUE(saver.WaitExit(kEnd));
  }
  DestroyWindow(dp);
}

TEST(SaverPreview, BecomesADisabled152By112ChildOfTheGivenWindow) {
  HWND top = MakeTestWindow(L"Vorn preview host", 400, 300);
  HWND area = MakeTestWindow(L"", 152, 112, top);
  ASSERT_TRUE(area);
  SaverProcess saver(L"/p " + std::to_wstring(uintptr_t(area)));
  HWND form = nullptr;
  PumpUntil([&] { return (form = childOfClass(area, L"TForm1")) && IsWindowVisible(form); }, kStart);
  ASSERT_TRUE(form);
  RECT r;
  GetWindowRect(form, &r);
  MapWindowPoints(nullptr, area, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, 152);
  EXPECT_EQ(r.bottom, 112);
  EXPECT_FALSE(IsWindowEnabled(form));
  EXPECT_TRUE(GetWindowLongW(form, GWL_STYLE) & WS_CHILD);
  EXPECT_EQ(saver.VisibleForm(), nullptr) << "no top-level window";
  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_TRUE(saver.WaitExit(kEnd));
  DestroyWindow(top);
}

TEST(SaverPreview, EndsWithItsParentWindow) {
  HWND top = MakeTestWindow(L"Vorn preview host", 400, 300);
  HWND area = MakeTestWindow(L"", 152, 112, top);
  SaverProcess saver(L"/p " + std::to_wstring(uintptr_t(area)));
  ASSERT_TRUE(PumpUntil([&] { return childOfClass(area, L"TForm1") != nullptr; }, kStart));
  DestroyWindow(top);
  EXPECT_TRUE(saver.WaitExit(kEnd));
}

TEST(SaverPreview, AnInvalidHandleEndsWithoutAWindow) {
  for (const wchar_t* args : {L"/p 0", L"/p -1", L"/p abc", L"/p:1234", L"/p"}) {
    SaverProcess saver(args);
    ASSERT_TRUE(saver.Started());
    bool sawWindow = false;
    const bool ended = PumpUntil(
        [&] {
          sawWindow = sawWindow || saver.VisibleForm() != nullptr;
          return saver.Exited();
        },
        kStart);
    EXPECT_TRUE(ended) << std::wstring(args).size();
    EXPECT_FALSE(sawWindow);
  }
}

}  // namespace
}  // namespace vorn::wine

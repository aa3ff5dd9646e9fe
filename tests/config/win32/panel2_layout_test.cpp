// Panel2's texts fit their controls in the system font at the system DPI:
// measured in this process at the prefix's DPI, and again in a child run of
// this test program with the DPI set to 144 (150 %).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "config/win32/control_factory.h"
#include "config/win32/panel2_ids.h"
#include "config/win32/panel2_window.h"
#include "text/cp1250.h"
#include "panel2_host.h"
#include "text_fit.h"

using namespace vorn::config::win32;
using vorn::text::W1250;

namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr char kExpectDpiVar[] = "VORN_LAYOUT_EXPECT_DPI";

// The longest values the panel shows in its value labels, beside a
// collection with every about-page field filled.
void fillLongest(vorn::config::PanelModel& m) {
  m.CollNameST = W1250("Nyári képek a Balatonról");
  m.CopyrightVisible = true;
  m.CopyrightE = W1250("© Kiss Péter, 2026");
  m.CollUrlVisible = true;
  m.CI_URLL = "https://kollekcio.example/nyar";
  m.CI_CommentL = W1250("Képek a nyári szünetről.\r\nFeliratokkal és hangokkal.");
  m.settings.ALLBckSoundsFE = "C:\\Zene\\hatter.mid";
  for (int i = 0; i < 12; ++i) m.ListView1.push_back({"kep" + std::to_string(i), i % 2});
}

struct Dpi {
  std::optional<DWORD> previous;
  explicit Dpi(DWORD dpi) {
    HKEY k;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                        &k, nullptr) != ERROR_SUCCESS)
      return;
    DWORD v = 0, size = sizeof v, type = 0;
    if (RegQueryValueExW(k, L"LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&v), &size) ==
            ERROR_SUCCESS &&
        type == REG_DWORD)
      previous = v;
    RegSetValueExW(k, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    RegCloseKey(k);
  }
  // The prefix is shared with the other tests: put back what was there.
  ~Dpi() {
    HKEY k;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_WRITE, &k) != ERROR_SUCCESS) return;
    if (previous)
      RegSetValueExW(k, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*previous),
                     sizeof *previous);
    else
      RegDeleteValueW(k, L"LogPixels");
    RegCloseKey(k);
  }
};

// Runs one test of this program in a new process; its exit code.
DWORD runChild(const char* filter, const char* expectDpi) {
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring cmd = L"\"" + std::wstring(exe) + L"\" --gtest_brief=1 --gtest_filter=";
  for (const char* c = filter; *c; ++c) cmd += wchar_t(*c);
  SetEnvironmentVariableA(kExpectDpiVar, expectDpi);
  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  const BOOL started =
      CreateProcessW(exe, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
  SetEnvironmentVariableA(kExpectDpiVar, nullptr);
  if (!started) return 0xFFFF0000u | GetLastError();
  DWORD code = 0xFFFFFFFFu;
  if (WaitForSingleObject(pi.hProcess, 120000) == WAIT_OBJECT_0)
    GetExitCodeProcess(pi.hProcess, &code);
  else
    TerminateProcess(pi.hProcess, 0xDEAD);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return code;
}

}  // namespace

TEST(Panel2Layout, TextsFitAtTheSystemDpi) {
  // What the product's manifest declares.
  SetProcessDPIAware();
  const int dpi = systemDpi();
  if (const char* want = std::getenv(kExpectDpiVar)) ASSERT_EQ(dpi, std::atoi(want));
  HWND host = vorn::testing::makePanelHost();
  ASSERT_TRUE(host);
  {
    Panel2Services svc;
    Panel2 panel(host, svc);
    fillLongest(panel.model());
    panel.SS1BeforeConfigBoxActive();  // no version resource here: "Változat: [Ismeretlen]"
    // The value labels with their longest texts.
    const struct {
      int id;
      std::string text;
    } values[] = {{TipusLab, ".JPEG"},
                  {PicSizeL, "10000*10000"},
                  {ChgIntLab, W1250("99 másodperc")},
                  {HangLab, "NINCS"}};
    for (const auto& v : values) setText(GetDlgItem(GetDlgItem(panel.hwnd(), TabSheet1), v.id), v.text);
    // The collection's link shows its address, and is measured with it.
    EXPECT_EQ(getText(GetDlgItem(GetDlgItem(panel.hwnd(), TabSheet3), CI_URLL)),
              panel.model().CI_URLL);
    ShowWindow(panel.hwnd(), SW_SHOW);
    for (int page = 0; page < 3; ++page) {
      panel.selectPage(page);
      const auto misfits = vorn::testing::misfitTexts(panel.hwnd());
      EXPECT_TRUE(misfits.empty()) << "page " << page + 1 << " at " << dpi << " DPI:\n"
                                   << vorn::testing::describe(misfits);
    }
  }
  DestroyWindow(host);
}

TEST(Panel2Layout, TextsFitAt150Percent) {
  Dpi at150(144);
  EXPECT_EQ(runChild("Panel2Layout.TextsFitAtTheSystemDpi", "144"), 0u);
}

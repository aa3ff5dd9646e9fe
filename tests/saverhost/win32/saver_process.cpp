#include "saver_process.h"

#include <gtest/gtest.h>

#include <vector>

namespace vorn::wine {

std::wstring WindowsPath(const std::string& unixPath) {
  std::wstring w = L"Z:";
  for (char c : unixPath) w += c == '/' ? L'\\' : wchar_t(uint8_t(c));
  return w;
}

void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
  const DWORD start = GetTickCount();
  while (true) {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    if (done()) return true;
    if (GetTickCount() - start >= ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

SaverProcess::SaverProcess(const std::wstring& arguments) {
  std::wstring cl = L"\"" + WindowsPath(VORN_SCR_PATH) + L"\"";
  if (!arguments.empty()) cl += L" " + arguments;
  std::vector<wchar_t> buf(cl.begin(), cl.end());
  buf.push_back(0);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  if (!CreateProcessW(nullptr, buf.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_)) pi_ = {};
}

SaverProcess::~SaverProcess() {
  if (!pi_.hProcess) return;
  if (!WaitExit(0)) {
    TerminateProcess(pi_.hProcess, 1);
    WaitForSingleObject(pi_.hProcess, 5000);
  }
  CloseHandle(pi_.hProcess);
  CloseHandle(pi_.hThread);
}

bool SaverProcess::Exited() const { return WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0; }

bool SaverProcess::WaitExit(DWORD ms) {
  return PumpUntil([this] { return Exited(); }, ms);
}

namespace {
struct Search {
  DWORD pid;
  bool visibleOnly;
  HWND found;
};
BOOL CALLBACK findForm(HWND w, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  wchar_t cls[32] = {};
  GetClassNameW(w, cls, 32);
  if (pid == s->pid && wcscmp(cls, L"TForm1") == 0 && (!s->visibleOnly || IsWindowVisible(w))) {
    s->found = w;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND SaverProcess::VisibleForm() const {
  Search s{pi_.dwProcessId, true, nullptr};
  EnumWindows(findForm, LPARAM(&s));
  return s.found;
}

HWND SaverProcess::AnyForm() const {
  Search s{pi_.dwProcessId, false, nullptr};
  EnumWindows(findForm, LPARAM(&s));
  return s.found;
}

HWND SaverProcess::WaitForm(DWORD ms) const {
  HWND form = nullptr;
  PumpUntil([&] { return (form = VisibleForm()) != nullptr; }, ms);
  return form;
}

HWND MakeTestWindow(const wchar_t* title, int w, int h, HWND parent, DWORD style) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VornTestWindow";
    wc.hbrBackground = HBRUSH(GetStockObject(GRAY_BRUSH));
    RegisterClassW(&wc);
    registered = true;
  }
  if (!style) style = parent ? (WS_CHILD | WS_VISIBLE) : (WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  return CreateWindowExW(0, L"VornTestWindow", title, style, 0, 0, w, h, parent, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
}

}  // namespace vorn::wine

namespace vorn::wine {
namespace {

// Without a window manager on the test display, Wine waits two seconds for
// every managed window it hides or destroys. The scratch prefix is told not
// to manage windows while these tests run, and put back afterwards.
class UnmanagedWindows : public ::testing::Environment {
 public:
  void SetUp() override {
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\X11 Driver", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key_, nullptr) != ERROR_SUCCESS) {
      key_ = nullptr;
      return;
    }
    DWORD size = sizeof old_;
    hadOld_ = RegQueryValueExW(key_, L"Managed", nullptr, nullptr, reinterpret_cast<BYTE*>(old_), &size) ==
              ERROR_SUCCESS;
    oldSize_ = size;
    RegSetValueExW(key_, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"N"), 4);
  }
  void TearDown() override {
    if (!key_) return;
    if (hadOld_)
      RegSetValueExW(key_, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(old_), oldSize_);
    else
      RegDeleteValueW(key_, L"Managed");
    RegCloseKey(key_);
  }

 private:
  HKEY key_ = nullptr;
  wchar_t old_[16] = {};
  DWORD oldSize_ = 0;
  bool hadOld_ = false;
};

[[maybe_unused]] ::testing::Environment* const kUnmanaged =
    ::testing::AddGlobalTestEnvironment(new UnmanagedWindows);

}  // namespace
}  // namespace vorn::wine

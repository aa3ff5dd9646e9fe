#include "saver_process.h"

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

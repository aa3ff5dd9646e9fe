#include "saverhost/win32/win32_host_system.h"

#include <windows.h>

#include <vector>

#include "saverhost/win32/process_command_line.h"
#include "text/cp1250.h"

namespace vorn::saverhost {

namespace {

HWND hwnd(WindowHandle h) { return reinterpret_cast<HWND>(h); }
std::wstring wide(const std::string& s) {
  std::u16string u = text::cp1250ToUtf16(s);
  return std::wstring(u.begin(), u.end());
}

// Window procedures are plain function addresses, so each hook gets one of
// a few fixed trampolines; the program hooks one window.
constexpr int kSlots = 4;
HostWndProc g_slots[kSlots];

template <int N>
LRESULT CALLBACK trampoline(HWND, UINT msg, WPARAM wp, LPARAM lp) {
  return g_slots[N] ? g_slots[N](msg, wp, lp) : 0;
}
const WNDPROC kTrampolines[kSlots] = {trampoline<0>, trampoline<1>, trampoline<2>, trampoline<3>};


}  // namespace

std::string Win32HostSystem::ParamStr(int i) { return ProcessCommandLine().ParamStr(i); }

WindowHandle Win32HostSystem::FindWindowByTitle(const std::string& title) {
  return WindowHandle(FindWindowW(nullptr, wide(title).c_str()));
}
void Win32HostSystem::ShowWindow(WindowHandle h, int32_t cmd) { ::ShowWindow(hwnd(h), cmd); }
int32_t Win32HostSystem::GetWindowLongA(WindowHandle h, int32_t index) {
  return int32_t(GetWindowLongW(hwnd(h), index));
}
void Win32HostSystem::SetWindowLongA(WindowHandle h, int32_t index, int32_t value) {
  SetWindowLongW(hwnd(h), index, LONG(value));
  // Frame bits only take effect once the system recomputes the frame.
  if (index == GWL_STYLE || index == GWL_EXSTYLE)
    SetWindowPos(hwnd(h), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}
intptr_t Win32HostSystem::GetWindowLongPointer(WindowHandle h, int32_t index) {
  return intptr_t(GetWindowLongPtrW(hwnd(h), index));
}
void Win32HostSystem::SetWindowLongPointer(WindowHandle h, int32_t index, intptr_t value) {
  SetWindowLongPtrW(hwnd(h), index, LONG_PTR(value));
}
void Win32HostSystem::SetParent(WindowHandle c, WindowHandle p) { ::SetParent(hwnd(c), hwnd(p)); }
bool Win32HostSystem::IsWindow(WindowHandle h) { return ::IsWindow(hwnd(h)) != FALSE; }
void Win32HostSystem::EnableWindow(WindowHandle h, bool e) { ::EnableWindow(hwnd(h), e ? TRUE : FALSE); }
void Win32HostSystem::SetForegroundWindow(WindowHandle h) { ::SetForegroundWindow(hwnd(h)); }
WindowHandle Win32HostSystem::GetForegroundWindow() { return WindowHandle(::GetForegroundWindow()); }
void Win32HostSystem::PostMessageA(WindowHandle h, uint32_t msg, uintptr_t wp, intptr_t lp) {
  PostMessageW(hwnd(h), msg, WPARAM(wp), LPARAM(lp));
}
intptr_t Win32HostSystem::CallWindowProcA(WindowProcAddress proc, WindowHandle h, uint32_t msg, uintptr_t wp,
                                         intptr_t lp) {
  return intptr_t(CallWindowProcW(reinterpret_cast<WNDPROC>(proc), hwnd(h), msg, WPARAM(wp), LPARAM(lp)));
}
WindowProcAddress Win32HostSystem::MakeWndProcThunk(HostWndProc proc) {
  for (int i = 0; i < kSlots; ++i) {
    if (!g_slots[i]) {
      g_slots[i] = std::move(proc);
      return WindowProcAddress(kTrampolines[i]);
    }
  }
  return 0;
}
void Win32HostSystem::FreeWndProcThunk(WindowProcAddress a) {
  for (int i = 0; i < kSlots; ++i)
    if (WindowProcAddress(kTrampolines[i]) == a) g_slots[i] = nullptr;
}
void Win32HostSystem::SystemParametersInfoA(uint32_t action, uint32_t param, bool* previous, uint32_t winIni) {
  // The system writes a whole BOOL here, never a one-byte Boolean.
  BOOL old = FALSE;
  SystemParametersInfoW(action, param, &old, winIni);
  if (previous) *previous = old != FALSE;
}
int32_t Win32HostSystem::ShowCursor(bool show) { return ::ShowCursor(show ? TRUE : FALSE); }
void Win32HostSystem::Sleep(uint32_t ms) { ::Sleep(ms); }
std::string Win32HostSystem::GetSystemDirectoryA() {
  char buf[260];
  UINT n = ::GetSystemDirectoryA(buf, sizeof buf);
  // A path that does not fit (n is then the size needed) counts as none.
  if (n == 0 || n >= sizeof buf) return std::string();
  return std::string(buf, n);
}
LibraryHandle Win32HostSystem::LoadLibraryA(const std::string& path) {
  return LibraryHandle(LoadLibraryW(wide(path).c_str()));
}
uintptr_t Win32HostSystem::GetProcAddress(LibraryHandle lib, const std::string& name) {
  return uintptr_t(::GetProcAddress(reinterpret_cast<HMODULE>(lib), name.c_str()));
}
void Win32HostSystem::FreeLibrary(LibraryHandle lib) { ::FreeLibrary(reinterpret_cast<HMODULE>(lib)); }
int32_t Win32HostSystem::CallVerifyScreenSavePwd(uintptr_t entry, WindowHandle window) {
  using Verify = BOOL(WINAPI*)(HWND);
  return int32_t(reinterpret_cast<Verify>(entry)(hwnd(window)));
}
void Win32HostSystem::CallPwdChangePassword(uintptr_t entry, const std::string& name, WindowHandle parent,
                                            uint32_t r1, uint32_t r2) {
  using Change = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);
  reinterpret_cast<Change>(entry)(name.c_str(), hwnd(parent), r1, r2);
}
bool Win32HostSystem::RegOpenCurrentUserKey(const std::string& path, uint32_t access, RegistryKey* key) {
  HKEY k = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, wide(path).c_str(), 0, access, &k) != ERROR_SUCCESS) return false;
  *key = RegistryKey(k);
  return true;
}
bool Win32HostSystem::RegValueExists(RegistryKey key, const std::string& name) {
  return RegQueryValueExW(reinterpret_cast<HKEY>(key), wide(name).c_str(), nullptr, nullptr, nullptr,
                          nullptr) == ERROR_SUCCESS;
}
bool Win32HostSystem::RegReadInteger(RegistryKey key, const std::string& name, int32_t* value) {
  DWORD type = 0, v = 0, size = sizeof v;
  if (RegQueryValueExW(reinterpret_cast<HKEY>(key), wide(name).c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(&v), &size) != ERROR_SUCCESS)
    return false;
  if (type != REG_DWORD || size != sizeof v) return false;
  *value = int32_t(v);
  return true;
}
void Win32HostSystem::RegCloseKey(RegistryKey key) { ::RegCloseKey(reinterpret_cast<HKEY>(key)); }

}  // namespace vorn::saverhost

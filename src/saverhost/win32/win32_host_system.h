#pragma once
// The host's system calls on Windows. Texts cross as Windows-1250 bytes and
// go to the system through the wide-character calls.
#include <string>
#include <vector>

#include "saverhost/host_ports.h"

namespace vorn::saverhost {

class Win32HostSystem final : public HostSystem {
 public:
  std::string ParamStr(int i) override;
  WindowHandle FindWindowByTitle(const std::string& title) override;
  void ShowWindow(WindowHandle, int32_t cmd) override;
  int32_t GetWindowLongA(WindowHandle, int32_t index) override;
  void SetWindowLongA(WindowHandle, int32_t index, int32_t value) override;
  intptr_t GetWindowLongPointer(WindowHandle, int32_t index) override;
  void SetWindowLongPointer(WindowHandle, int32_t index, intptr_t value) override;
  void SetParent(WindowHandle child, WindowHandle parent) override;
  bool IsWindow(WindowHandle) override;
  void EnableWindow(WindowHandle, bool enable) override;
  void SetForegroundWindow(WindowHandle) override;
  WindowHandle GetForegroundWindow() override;
  void PostMessageA(WindowHandle, uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
  intptr_t CallWindowProcA(WindowProcAddress proc, WindowHandle, uint32_t msg, uintptr_t wParam,
                          intptr_t lParam) override;
  WindowProcAddress MakeWndProcThunk(HostWndProc proc) override;
  void FreeWndProcThunk(WindowProcAddress) override;
  void SystemParametersInfoA(uint32_t action, uint32_t param, bool* previous, uint32_t winIni) override;
  int32_t ShowCursor(bool show) override;
  void Sleep(uint32_t ms) override;
  std::string GetSystemDirectoryA() override;
  LibraryHandle LoadLibraryA(const std::string& path) override;
  uintptr_t GetProcAddress(LibraryHandle, const std::string& name) override;
  void FreeLibrary(LibraryHandle) override;
  int32_t CallVerifyScreenSavePwd(uintptr_t entry, WindowHandle window) override;
  void CallPwdChangePassword(uintptr_t entry, const std::string& name, WindowHandle parent, uint32_t reserved1,
                             uint32_t reserved2) override;
  bool RegOpenCurrentUserKey(const std::string& path, uint32_t access, RegistryKey* key) override;
  bool RegValueExists(RegistryKey, const std::string& name) override;
  bool RegReadInteger(RegistryKey, const std::string& name, int32_t* value) override;
  void RegCloseKey(RegistryKey) override;
};

}  // namespace vorn::saverhost

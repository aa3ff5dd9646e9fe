#pragma once
// What the screen-saver host needs of the form that owns it and of the
// operating system, kept small so that the whole mode logic runs in tests
// against fakes. The real form is the program's main window (app/), the real
// system calls live in saverhost/win32/.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vorn::saverhost {

// A window handle as the system hands it out (HWND on Windows); 0 is none.
using WindowHandle = uintptr_t;
// A window procedure address as GWLP_WNDPROC holds it: pointer-sized.
using WindowProcAddress = uintptr_t;
using LibraryHandle = uintptr_t;
using RegistryKey = uintptr_t;

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum class TPosition { poDesigned, poScreenCenter };

// The form's close query: the handler may change CanClose.
using TCloseQueryEvent = std::function<void(void* sender, bool& CanClose)>;

// A panel owned by a form.
class HostPanel {
 public:
  virtual ~HostPanel() = default;
  virtual const std::string& Name() const = 0;
  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void SetLeftTop(int32_t left, int32_t top) = 0;
  virtual void BringToFront() = 0;
};

// One component the form owns: every component has a name; panels also hand
// out their panel side, screen-saver hosts say so.
struct HostComponent {
  std::string name;
  HostPanel* panel = nullptr;
  bool isScreenSaver = false;
};

class HostForm {
 public:
  virtual ~HostForm() = default;
  // The form window, created on first use.
  virtual WindowHandle Handle() = 0;
  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
  virtual void SetWidth(int32_t) = 0;
  virtual void SetHeight(int32_t) = 0;
  virtual void SetLeft(int32_t) = 0;
  virtual void SetTop(int32_t) = 0;
  virtual void SetClientWidth(int32_t) = 0;
  virtual void SetClientHeight(int32_t) = 0;
  virtual TWindowState WindowState() const = 0;
  virtual void SetWindowState(TWindowState) = 0;
  virtual void SetBorderStyle(TFormBorderStyle) = 0;
  virtual void SetStayOnTop() = 0;
  virtual void SetPosition(TPosition) = 0;
  // Scales the positions, sizes and fonts of the form's controls by m/d.
  virtual void ScaleBy(int32_t m, int32_t d) = 0;
  // Every component the form owns (not only its direct children).
  virtual std::vector<HostComponent> Components() = 0;
  virtual const TCloseQueryEvent& OnCloseQuery() const = 0;
  virtual void SetOnCloseQuery(TCloseQueryEvent) = 0;

  // The application object's side.
  virtual std::string ApplicationTitle() const = 0;
  // The application's own hidden top-level window (owner of the task-bar button).
  virtual WindowHandle ApplicationHandle() = 0;
  // The message loop ends at its next turn; the form is then never shown.
  virtual void Terminate() = 0;
  // Modal information box with one OK button (Windows-1250 text).
  virtual void ShowMessage(const std::string& text) = 0;
  virtual int32_t ScreenWidth() const = 0;
  virtual int32_t ScreenHeight() const = 0;
};

// Message and value names the host uses, with the system's numbers.
inline constexpr int32_t GWLP_WNDPROC_ = -4;
inline constexpr int32_t GWL_STYLE_ = -16;
inline constexpr int32_t GWL_EXSTYLE_ = -20;
inline constexpr uint32_t WS_CHILD_ = 0x40000000;
inline constexpr uint32_t WS_POPUP_ = 0x80000000;
inline constexpr uint32_t WS_DISABLED_ = 0x08000000;
inline constexpr uint32_t WS_VISIBLE_ = 0x10000000;
inline constexpr uint32_t WS_EX_TOOLWINDOW_ = 0x80;
inline constexpr uint32_t WS_EX_TOPMOST_ = 0x08;
inline constexpr uint32_t WM_ACTIVATE_ = 0x0006;
inline constexpr uint32_t WM_SYSCOMMAND_ = 0x0112;
inline constexpr uintptr_t SC_SCREENSAVE_ = 0xF140;
inline constexpr uintptr_t WA_INACTIVE_ = 0;
inline constexpr uintptr_t WA_ACTIVE_ = 1;
inline constexpr WindowHandle HWND_BROADCAST_ = 0xFFFF;
inline constexpr uint32_t SPI_SCREENSAVERRUNNING_ = 97;
inline constexpr int32_t SW_HIDE_ = 0;
inline constexpr uint32_t KEY_ALL_ACCESS_ = 0xF003F;

// The replacement window procedure: message, word parameter, long parameter
// in, result out.
using HostWndProc = std::function<intptr_t(uint32_t msg, uintptr_t wParam, intptr_t lParam)>;

// Named after the system calls the host makes; the Windows side may use the
// wide-character forms underneath.
class HostSystem {
 public:
  virtual ~HostSystem() = default;
  // Command-line argument i ("" when missing); 0 is the executable.
  virtual std::string ParamStr(int i) = 0;

  virtual WindowHandle FindWindowByTitle(const std::string& title) = 0;
  virtual void ShowWindow(WindowHandle, int32_t cmd) = 0;
  virtual int32_t GetWindowLongA(WindowHandle, int32_t index) = 0;
  virtual void SetWindowLongA(WindowHandle, int32_t index, int32_t value) = 0;
  // The pointer-sized window longs (GetWindowLongPtr): a window procedure
  // does not fit the 32-bit ones in a 64-bit process, where the system
  // refuses them. (The system's names are macros in a 32-bit build.)
  virtual intptr_t GetWindowLongPointer(WindowHandle, int32_t index) = 0;
  virtual void SetWindowLongPointer(WindowHandle, int32_t index, intptr_t value) = 0;
  virtual void SetParent(WindowHandle child, WindowHandle parent) = 0;
  virtual bool IsWindow(WindowHandle) = 0;
  virtual void EnableWindow(WindowHandle, bool enable) = 0;
  virtual void SetForegroundWindow(WindowHandle) = 0;
  virtual WindowHandle GetForegroundWindow() = 0;
  virtual void PostMessageA(WindowHandle, uint32_t msg, uintptr_t wParam, intptr_t lParam) = 0;
  virtual intptr_t CallWindowProcA(WindowProcAddress proc, WindowHandle, uint32_t msg,
                                  uintptr_t wParam, intptr_t lParam) = 0;
  // A callable window procedure that runs `proc`; released by FreeWndProcThunk.
  virtual WindowProcAddress MakeWndProcThunk(HostWndProc proc) = 0;
  virtual void FreeWndProcThunk(WindowProcAddress) = 0;
  // SystemParametersInfo with a Boolean that receives the previous state.
  virtual void SystemParametersInfoA(uint32_t action, uint32_t param, bool* previous,
                                    uint32_t winIni) = 0;
  virtual int32_t ShowCursor(bool show) = 0;
  virtual void Sleep(uint32_t ms) = 0;

  // Exactly what GetSystemDirectoryA writes into a 260-character buffer.
  virtual std::string GetSystemDirectoryA() = 0;
  virtual LibraryHandle LoadLibraryA(const std::string& path) = 0;
  virtual uintptr_t GetProcAddress(LibraryHandle, const std::string& name) = 0;
  virtual void FreeLibrary(LibraryHandle) = 0;
  // The two password entries, called with the system's calling convention.
  virtual int32_t CallVerifyScreenSavePwd(uintptr_t entry, WindowHandle window) = 0;
  virtual void CallPwdChangePassword(uintptr_t entry, const std::string& name, WindowHandle parent,
                                     uint32_t reserved1, uint32_t reserved2) = 0;

  // HKEY_CURRENT_USER key opened without creating it; false when it cannot be.
  virtual bool RegOpenCurrentUserKey(const std::string& path, uint32_t access, RegistryKey* key) = 0;
  virtual bool RegValueExists(RegistryKey, const std::string& name) = 0;
  // A 32-bit integer value; false when the value cannot be read as one.
  virtual bool RegReadInteger(RegistryKey, const std::string& name, int32_t* value) = 0;
  virtual void RegCloseKey(RegistryKey) = 0;
};

}  // namespace vorn::saverhost

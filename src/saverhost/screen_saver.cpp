#include "saverhost/screen_saver.h"

#include <optional>

#include "saverhost/command_line.h"

namespace vorn::saverhost {

namespace {

constexpr const char* kDisplayProperties = "Display Properties";
constexpr const char* kDesktopKey = "Control Panel\\Desktop";
constexpr const char* kUsePassword = "ScreenSaveUsePassword";
constexpr uint32_t kAppWindowExStyle = WS_EX_TOOLWINDOW_ | WS_EX_TOPMOST_;  // 0x88
constexpr int32_t kPreviewWidth = 152;
constexpr int32_t kPreviewHeight = 112;

// Handles cross the command line as signed 32-bit numbers; on the system
// they are 32-bit values, so -5 is the handle 0xFFFFFFFB.
WindowHandle handleFromInt(int32_t v) { return WindowHandle(uint32_t(v)); }

void fire(const std::function<void(TScreenSaver&)>& event, TScreenSaver& sender) {
  if (event) event(sender);
}

}  // namespace

TScreenSaver::TScreenSaver(HostForm* owner, HostSystem& system, bool designing)
    : HostForm_(owner), System(system), Designing(designing) {
  if (!Designing) return;
  if (!owner) throw TFormNotOwner();
  int hosts = 0;
  for (const HostComponent& c : owner->Components()) hosts += c.isScreenSaver ? 1 : 0;
  // The form lists its hosts including this one once it is registered.
  if (hosts > 1) throw TDuplicateComponent();
}

TScreenSaver::~TScreenSaver() {
  if (Designing) return;
  UnhookWindowProc();
  if (ModeLetter() == 'C') ShowConfigDisplayProperties(true, false);
  // These two run in every mode, also where nothing was set at the start:
  // a flag left standing would keep the system's keys locked.
  if (SystemKeysDisabled) {
    bool previous = false;
    System.SystemParametersInfoA(SPI_SCREENSAVERRUNNING_, 0, &previous, 0);
  }
  if (AutoMouseHide) System.ShowCursor(true);
}

char TScreenSaver::ModeLetter() { return saverhost::ModeLetter(System.ParamStr(1)); }

void TScreenSaver::Loaded() {
  int matches = 0;
  if (HostForm_ && ConfigurationBoxPanel) {
    for (const HostComponent& c : HostForm_->Components())
      if (c.panel && c.panel == ConfigurationBoxPanel) ++matches;
  }
  if (matches == 0) {
    ConfigurationBoxStyle = TConfigBoxStyle::cbsMessageDlg;
    ConfigurationBoxPanel = nullptr;
  } else if (AutoPanelHide) {
    ConfigurationBoxPanel->Hide();
  }
  if (!Designing && AutoEnable) ExecuteByCommandLine();
}

void TScreenSaver::ExecuteByCommandLine() {
  switch (ModeLetter()) {
    case 'P': ActivatePreview(); break;
    case 'S': ActivateMainSaver(); break;
    case 'A': ActivatePasswordSet(); break;
    default: ActivateConfigBox(); break;
  }
}

void TScreenSaver::HideApplicationWindow() {
  if (!HostForm_) return;
  // An empty title would match any untitled window, the form's own included.
  const std::string title = HostForm_->ApplicationTitle();
  if (!title.empty()) {
    if (WindowHandle app = System.FindWindowByTitle(title)) System.ShowWindow(app, SW_HIDE_);
  }
  if (WindowHandle app = HostForm_->ApplicationHandle())
    System.SetWindowLongA(app, GWL_EXSTYLE_, int32_t(kAppWindowExStyle));
}

void TScreenSaver::ShowConfigDisplayProperties(bool enable, bool foreground) {
  if (WindowHandle w = System.FindWindowByTitle(kDisplayProperties)) System.EnableWindow(w, enable);
  if (foreground) {
    if (WindowHandle w = System.FindWindowByTitle(kDisplayProperties)) System.SetForegroundWindow(w);
  }
}

void TScreenSaver::ActivatePreview() {
  fire(OnBeforePreviewActive, *this);
  if (PreviewWindow && HostForm_) {
    HideApplicationWindow();
    const WindowHandle form = HostForm_->Handle();
    const std::optional<int32_t> candidate = PreviewHandleCandidate(System.ParamStr(2));
    const WindowHandle parent = candidate ? handleFromInt(*candidate) : 0;
    if (!candidate || !System.IsWindow(parent)) {
      fire(OnPreviewActive, *this);
      HostForm_->Terminate();
      return;
    }
    // The parent's style with the child bits. A pop-up bit copied from a
    // top-level parent would contradict WS_CHILD, and a visible bit would show
    // the form at its designed size before it is scaled down: both are dropped,
    // the message loop shows the form once it is in place.
    uint32_t style = uint32_t(System.GetWindowLongA(parent, GWL_STYLE_));
    style = (style & ~(WS_POPUP_ | WS_VISIBLE_)) | WS_CHILD_ | WS_DISABLED_;
    System.SetWindowLongA(form, GWL_STYLE_, int32_t(style));
    System.SetWindowLongA(form, GWL_EXSTYLE_, System.GetWindowLongA(parent, GWL_EXSTYLE_));
    System.SetParent(form, parent);
    HostForm_->SetPosition(TPosition::poDesigned);
    if (AutoMaximize) {
      HostForm_->SetWidth(HostForm_->ScreenWidth());
      HostForm_->SetHeight(HostForm_->ScreenHeight());
    }
    // A form of no width has nothing to scale (and no ratio).
    if (HostForm_->Width() > 0) HostForm_->ScaleBy(kPreviewWidth, HostForm_->Width());
    HostForm_->SetWidth(kPreviewWidth);
    HostForm_->SetHeight(kPreviewHeight);
    HostForm_->SetTop(0);
    HostForm_->SetLeft(0);
  }
  fire(OnPreviewActive, *this);
}

void TScreenSaver::ActivateMainSaver() {
  fire(OnBeforeMainSaverActive, *this);
  if (!HostForm_) {
    fire(OnMainSaverActive, *this);
    return;
  }
  if (PasswordChecking) {
    if (HostForm_->OnCloseQuery()) SavedCloseQuery = HostForm_->OnCloseQuery();
    HostForm_->SetOnCloseQuery([this](void* sender, bool& canClose) { HostCloseQuery(sender, canClose); });
  }
  if (MainScreenSaver) {
    HideApplicationWindow();
    if (SystemKeysDisabled) {
      bool previous = false;
      System.SystemParametersInfoA(SPI_SCREENSAVERRUNNING_, 1, &previous, 0);
    }
    if (AutoMouseHide) System.ShowCursor(false);
    if (AutoMaximize) HostForm_->SetWindowState(TWindowState::wsMaximized);
    if (AutoBorderLess) HostForm_->SetBorderStyle(TFormBorderStyle::bsNone);
    if (AutoOnTop) HostForm_->SetStayOnTop();
  }
  HookWindowProc();
  fire(OnMainSaverActive, *this);
}

void TScreenSaver::ActivateConfigBox() {
  fire(OnBeforeConfigBoxActive, *this);
  const bool fromDisplayProperties = ModeLetter() == 'C';
  if (ConfigurationBox && HostForm_) {
    // A panel style without a panel (the owner ran us before the layout
    // check) can only be shown as the message.
    if (ConfigurationBoxStyle == TConfigBoxStyle::cbsPanel && ConfigurationBoxPanel) {
      HostPanel& box = *ConfigurationBoxPanel;
      for (const HostComponent& c : HostForm_->Components())
        if (c.panel && c.panel->Name() != box.Name()) c.panel->Hide();
      box.Show();
      box.SetLeftTop(0, 0);
      box.BringToFront();
      HostForm_->SetWindowState(TWindowState::wsNormal);
      HostForm_->SetBorderStyle(TFormBorderStyle::bsDialog);
      HostForm_->SetClientWidth(box.Width());
      HostForm_->SetClientHeight(box.Height());
      HostForm_->SetPosition(TPosition::poScreenCenter);
      if (fromDisplayProperties) ShowConfigDisplayProperties(false, true);
    } else {
      if (fromDisplayProperties) ShowConfigDisplayProperties(false, false);
      if (HostForm_->WindowState() != TWindowState::wsNormal)
        HostForm_->SetWindowState(TWindowState::wsNormal);
      HostForm_->SetLeft(-HostForm_->Width() - 100);
      HostForm_->ShowMessage(ConfigurationBoxMessage);
      fire(OnConfigBoxActive, *this);
      if (fromDisplayProperties) ShowConfigDisplayProperties(true, true);
      HostForm_->Terminate();
      return;
    }
  }
  fire(OnConfigBoxActive, *this);
}

void TScreenSaver::HookWindowProc() {
  // Hooking twice would chain the thunk to itself and lose the form's own
  // procedure on the way back.
  if (!HostForm_ || OldWindowProc) return;
  const WindowHandle form = HostForm_->Handle();
  OldWindowProc = WindowProcAddress(System.GetWindowLongPointer(form, GWLP_WNDPROC_));
  Thunk = System.MakeWndProcThunk(
      [this](uint32_t msg, uintptr_t wp, intptr_t lp) { return HostWindowProc(msg, wp, lp); });
  System.SetWindowLongPointer(form, GWLP_WNDPROC_, intptr_t(Thunk));
}

void TScreenSaver::UnhookWindowProc() {
  if (!HostForm_) return;
  if (OldWindowProc) {
    if (WindowHandle form = HostForm_->Handle())
      System.SetWindowLongPointer(form, GWLP_WNDPROC_, intptr_t(OldWindowProc));
  }
  if (Thunk) System.FreeWndProcThunk(Thunk);
  OldWindowProc = 0;
  Thunk = 0;
}

intptr_t TScreenSaver::HostWindowProc(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
  if (!HostForm_) return 0;
  // The whole word parameter is compared: the same commands with other
  // bits set are not ours to refuse.
  if (msg == WM_SYSCOMMAND_ && wParam == SC_SCREENSAVE_) return 0;
  if (msg == WM_ACTIVATE_ && wParam == WA_INACTIVE_ && AutoStayActive) {
    const WindowHandle form = HostForm_->Handle();
    System.PostMessageA(HWND_BROADCAST_, WM_ACTIVATE_, WA_ACTIVE_, intptr_t(form));
    System.Sleep(0);
    System.SetForegroundWindow(form);
    return 0;
  }
  return System.CallWindowProcA(OldWindowProc, HostForm_->Handle(), msg, wParam, lParam);
}

std::string TScreenSaver::LibraryPath(const std::string& fileName) {
  std::string dir = System.GetSystemDirectoryA();
  if (!dir.empty() && dir.back() != '\\') dir += '\\';
  return dir + fileName;
}

bool TScreenSaver::VerifyPassword() {
  const WindowHandle foreground = System.GetForegroundWindow();
  if (AutoMouseHide) {
    System.ShowCursor(true);
    ++CursorShownByCheck;  // counted at once: the consents below return early
  }
  if (ModeLetter() != 'S') return true;
  RegistryKey key = 0;
  if (!System.RegOpenCurrentUserKey(kDesktopKey, KEY_ALL_ACCESS_, &key)) return true;
  bool result = true;
  int32_t usePassword = 0;
  // A value that cannot be read as an integer counts as no protection, like
  // a key that cannot be opened.
  if (System.RegValueExists(key, kUsePassword) && System.RegReadInteger(key, kUsePassword, &usePassword) &&
      usePassword != 0) {
    if (LibraryHandle lib = System.LoadLibraryA(LibraryPath("PASSWORD.CPL"))) {
      if (uintptr_t entry = System.GetProcAddress(lib, "VerifyScreenSavePwd")) {
        // The entry answers with a Boolean: only its lowest byte counts.
        if ((System.CallVerifyScreenSavePwd(entry, foreground) & 0xFF) == 0) {
          result = false;
          if (AutoMouseHide) {
            System.ShowCursor(false);  // the saver goes on
            --CursorShownByCheck;
          }
        }
      }
      System.FreeLibrary(lib);
    }
  }
  System.RegCloseKey(key);
  return result;
}

void TScreenSaver::HostCloseQuery(void* Sender, bool& CanClose) {
  CursorShownByCheck = 0;
  bool consent = true;
  if (SavedCloseQuery) SavedCloseQuery(Sender, consent);
  if (!VerifyPassword()) consent = false;
  // One check may consent while the other refuses: the saver then goes on,
  // so the cursor that the consenting check showed is hidden again.
  if (!consent) {
    for (; CursorShownByCheck > 0; --CursorShownByCheck) System.ShowCursor(false);
  }
  CursorShownByCheck = 0;
  CanClose = consent;
}

void TScreenSaver::ActivatePasswordSet() {
  fire(OnBeforePasswordSet, *this);
  if (PasswordSetting && HostForm_) {
    HideApplicationWindow();
    HostForm_->SetWindowState(TWindowState::wsMinimized);
    const WindowHandle parent = handleFromInt(PasswordParentHandle(System.ParamStr(2)));
    if (LibraryHandle lib = System.LoadLibraryA(LibraryPath("MPR.DLL"))) {
      if (uintptr_t entry = System.GetProcAddress(lib, "PwdChangePasswordA"))
        System.CallPwdChangePassword(entry, "SCRSAVE", parent, 0, 0);
      System.FreeLibrary(lib);
    }
  }
  fire(OnPasswordSet, *this);
  if (PasswordSetting && HostForm_) HostForm_->Terminate();
}

}  // namespace vorn::saverhost

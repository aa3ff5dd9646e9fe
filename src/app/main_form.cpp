#include "app/main_form.h"

#include "platform/win32/window_owner.h"
#include "saverhost/win32/win32_host_system.h"
#include "text/cp1250.h"

namespace vorn::app {

namespace {

using saverhost::TFormBorderStyle;
using saverhost::TPosition;
using saverhost::TWindowState;

constexpr wchar_t kAppClass[] = L"TApplication";
constexpr wchar_t kFormClass[] = L"TForm1";
constexpr wchar_t kPanelClass[] = L"TPanel";
constexpr wchar_t kCoverClass[] = L"TVornCover";

// The designed bounds of the form and of its configuration panel.
constexpr int kDesignedLeft = 192, kDesignedTop = 114, kDesignedWidth = 640, kDesignedHeight = 480;
constexpr int kPanel2Width = 520, kPanel2Height = 400;

std::wstring wide(const std::string& cp1250) {
  std::u16string u = text::cp1250ToUtf16(cp1250);
  return std::wstring(u.begin(), u.end());
}

void registerClass(HINSTANCE inst, const wchar_t* name, WNDPROC proc, HBRUSH brush) {
  WNDCLASSW wc{};
  if (GetClassInfoW(inst, name, &wc)) return;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = inst;
  wc.lpszClassName = name;
  wc.hbrBackground = brush;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(inst, MAKEINTRESOURCEW(1));
  RegisterClassW(&wc);
}

// The application title: the executable's file name without its extension.
std::string applicationTitleFromModule() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p(path, n);
  size_t slash = p.find_last_of(L"\\/");
  if (slash != std::wstring::npos) p = p.substr(slash + 1);
  size_t dot = p.find_last_of(L'.');
  if (dot != std::wstring::npos) p = p.substr(0, dot);
  return text::utf16ToCp1250(std::u16string(p.begin(), p.end()));
}

void fillWith(HWND hwnd, HDC dc, COLORREF color) {
  RECT r;
  GetClientRect(hwnd, &r);
  HBRUSH b = CreateSolidBrush(color);
  FillRect(dc, &r, b);
  DeleteObject(b);
}

HWND makeButton(HINSTANCE inst, HWND parent, int id, const std::string& caption, int x, int y, bool isDefault) {
  HWND b = CreateWindowExW(0, L"BUTTON", wide(caption).c_str(),
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), x, y,
                           80, 25, parent, reinterpret_cast<HMENU>(intptr_t(id)), inst, nullptr);
  SendMessageW(b, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  return b;
}

}  // namespace

// ---------------------------------------------------------------- TPanel

TPanel::TPanel(TForm1& form, std::string name, HWND parent, int x, int y, int w, int h, bool visible)
    : form_(form), name_(std::move(name)) {
  hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, L"",
                          WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0), x, y, w, h,
                          parent, nullptr, form.Instance(), this);
}

TPanel::~TPanel() {
  if (hwnd_ && IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

int32_t TPanel::Width() const {
  RECT r;
  GetWindowRect(hwnd_, &r);
  return r.right - r.left;
}
int32_t TPanel::Height() const {
  RECT r;
  GetWindowRect(hwnd_, &r);
  return r.bottom - r.top;
}
void TPanel::Show() { ShowWindow(hwnd_, SW_SHOWNA); }
void TPanel::Hide() { ShowWindow(hwnd_, SW_HIDE); }
bool TPanel::Visible() const { return (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }
void TPanel::SetLeftTop(int32_t left, int32_t top) {
  SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
void TPanel::BringToFront() {
  SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
void TPanel::SetBounds(int x, int y, int w, int h) {
  SetWindowPos(hwnd_, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK TPanel::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = vorn::win32::windowOwner<TPanel>(hwnd, msg, lp);
  if (self) {
    switch (msg) {
      case WM_ERASEBKGND:
        fillWith(hwnd, HDC(wp), self->Color == CLR_INVALID ? self->form_.Color : self->Color);
        return 1;
      case WM_COMMAND:
      case WM_NOTIFY:
      case WM_CTLCOLORSTATIC:
      case WM_CTLCOLORBTN:
        // Controls on a panel talk to the form, as if they sat on it.
        if (self->form_.Hwnd()) return SendMessageW(self->form_.Hwnd(), msg, wp, lp);
        break;
      case WM_MOUSEMOVE:
        if (self->OnMouseMove) self->OnMouseMove();
        return 0;
      case WM_LBUTTONUP:
        if (self->OnClick) self->OnClick();
        return 0;
    }
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// ---------------------------------------------------------------- TForm1

TForm1::TForm1(HINSTANCE instance, saverhost::HostSystem& system)
    : instance_(instance), applicationTitle_(applicationTitleFromModule()) {
  registerClass(instance, kAppClass, AppProc, nullptr);
  registerClass(instance, kFormClass, Proc, nullptr);
  registerClass(instance, kPanelClass, TPanel::Proc, nullptr);
  registerClass(instance, kCoverClass, CoverProc, nullptr);

  // The application's own hidden window, which owns the form and carries the
  // application title.
  appWindow_ = CreateWindowExW(0, kAppClass, wide(applicationTitle_).c_str(),
                               WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                               GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                               nullptr, nullptr, instance, nullptr);
  hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kFormClass, wide(text::W1250("Vorn Képernyővédő")).c_str(),
                          WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, kDesignedLeft, kDesignedTop, kDesignedWidth,
                          kDesignedHeight, appWindow_, nullptr, instance, this);
  CreateLayout();

  onCloseQuery_ = [this](void* sender, bool& canClose) { FormCloseQuery(sender, canClose); };

  ScreenSaver1 = std::make_unique<TScreenSaver>(this, system);
  TScreenSaver& ss = *ScreenSaver1;
  ss.AutoPanelHide = false;
  ss.ConfigurationBoxStyle = saverhost::TConfigBoxStyle::cbsPanel;
  ss.ConfigurationBoxPanel = Panel2.get();
  ss.ConfigurationBoxMessage = "Kettrel software";
  ss.OnBeforePreviewActive = [this](TScreenSaver& s) { ScreenSaver1BeforePreviewActive(s); };
  ss.OnBeforeMainSaverActive = [this](TScreenSaver& s) { SS1BeforeMainSaverActive(s); };
  ss.OnBeforeConfigBoxActive = [this](TScreenSaver& s) { SS1BeforeConfigBoxActive(s); };
  // The last step of loading the layout: the host picks the mode.
  ss.Loaded();
}

void TForm1::CreateLayout() {
  MovieBox = std::make_unique<TPanel>(*this, "MovieBox", hwnd_, 0, 0, 200, 150, true);
  MovieBox->OnMouseMove = [this] { FormMouseMove(); };
  MovieBox->OnClick = [this] { TransitionPlayer1Click(); };

  Panel2 = std::make_unique<TPanel>(*this, "Panel2", hwnd_, 0, 0, kPanel2Width, kPanel2Height, false);
  Panel2->Color = GetSysColor(COLOR_BTNFACE);
  Button1 = makeButton(instance_, Panel2->Handle(), IDOK, "OK", kPanel2Width - 176, kPanel2Height - 35, true);
  Button2 = makeButton(instance_, Panel2->Handle(), IDCANCEL, text::W1250("Mégsem"), kPanel2Width - 88,
                       kPanel2Height - 35, false);
  CommandHandlers[IDOK] = [this] { Button1Click(); };
  CommandHandlers[IDCANCEL] = [this] { Button2Click(); };
}

TForm1::~TForm1() {
  // The host goes first, while the window it hooked still exists.
  ScreenSaver1.reset();
  DestroyCovers();
  if (coverBrush_) DeleteObject(coverBrush_);
  Panel2.reset();
  MovieBox.reset();
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  if (appWindow_) DestroyWindow(appWindow_);
}

void TForm1::ScreenSaver1BeforePreviewActive(TScreenSaver&) {
  show::ShowSession::ScreenSaver1BeforePreviewActive(State);
}

void TForm1::FormCloseQuery(void*, bool& CanClose) { CanClose = ScreenSaver1->VerifyPassword(); }

void TForm1::Close() {
  // Input that arrives while the password is being asked for (or after the
  // close went through) must not start a second close.
  if (closing_ || querying_) return;
  bool canClose = true;
  querying_ = true;
  if (onCloseQuery_) onCloseQuery_(this, canClose);
  querying_ = false;
  if (!canClose) return;
  closing_ = true;
  FormClose();
  Terminate();
}

bool TForm1::PreviewKey(const MSG& m) {
  if (!KeyPreview || (m.message != WM_KEYDOWN && m.message != WM_SYSKEYDOWN)) return false;
  if (!hwnd_ || (m.hwnd != hwnd_ && !IsChild(hwnd_, m.hwnd))) return false;
  FormKeyDown(m.wParam);
  return true;
}

void TForm1::LeaveShowToProcessEnd() {
  if (!Runtime) return;
  // The close has run its steps already; a picture still being decoded and
  // placed ahead, or a sound device closing, would only hold the exit.
  (void)Runtime.release();
  if (!hwnd_) return;
  // Destroying a full-screen window hides it first, and a display server
  // without a window manager never confirms that (Wine then waits 2 s); the
  // end of the process takes the window down at once.
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);  // its messages no longer reach the form
  hwnd_ = nullptr;
  appWindow_ = nullptr;  // it owns the form's window: its destruction would take that along
}

void TForm1::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  PostQuitMessage(0);
}

void TForm1::ShowMessage(const std::string& text) {
  MessageBoxW(nullptr, wide(text).c_str(), wide(applicationTitle_).c_str(), MB_OK | MB_ICONINFORMATION);
}

int32_t TForm1::ScreenWidth() const { return GetSystemMetrics(SM_CXSCREEN); }
int32_t TForm1::ScreenHeight() const { return GetSystemMetrics(SM_CYSCREEN); }

RECT TForm1::WindowRect() const {
  RECT r{0, 0, 0, 0};
  if (!hwnd_) return r;
  GetWindowRect(hwnd_, &r);
  // A child's position counts in its parent's client area.
  if (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD) {
    if (HWND parent = GetParent(hwnd_)) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  }
  return r;
}

int32_t TForm1::Width() const {
  RECT r = WindowRect();
  return r.right - r.left;
}
int32_t TForm1::Height() const {
  RECT r = WindowRect();
  return r.bottom - r.top;
}

void TForm1::PlaceWindow(int x, int y, int w, int h, UINT flags) {
  if (hwnd_) SetWindowPos(hwnd_, nullptr, x, y, w, h, flags | SWP_NOZORDER | SWP_NOACTIVATE);
}
void TForm1::SetWidth(int32_t v) { PlaceWindow(0, 0, v, Height(), SWP_NOMOVE); }
void TForm1::SetHeight(int32_t v) { PlaceWindow(0, 0, Width(), v, SWP_NOMOVE); }
void TForm1::SetLeft(int32_t v) { PlaceWindow(v, WindowRect().top, 0, 0, SWP_NOSIZE); }
void TForm1::SetTop(int32_t v) { PlaceWindow(WindowRect().left, v, 0, 0, SWP_NOSIZE); }

void TForm1::SetClientWidth(int32_t v) {
  RECT c;
  GetClientRect(hwnd_, &c);
  RECT r{0, 0, v, c.bottom};
  AdjustWindowRectEx(&r, DWORD(GetWindowLongW(hwnd_, GWL_STYLE)), FALSE, DWORD(GetWindowLongW(hwnd_, GWL_EXSTYLE)));
  PlaceWindow(0, 0, r.right - r.left, Height(), SWP_NOMOVE);
}
void TForm1::SetClientHeight(int32_t v) {
  RECT c;
  GetClientRect(hwnd_, &c);
  RECT r{0, 0, c.right, v};
  AdjustWindowRectEx(&r, DWORD(GetWindowLongW(hwnd_, GWL_STYLE)), FALSE, DWORD(GetWindowLongW(hwnd_, GWL_EXSTYLE)));
  PlaceWindow(0, 0, Width(), r.bottom - r.top, SWP_NOMOVE);
}

void TForm1::SetWindowState(TWindowState s) {
  windowState_ = s;
  if (!shown_ || !hwnd_) return;
  ShowWindow(hwnd_, s == TWindowState::wsMaximized   ? SW_SHOWMAXIMIZED
                    : s == TWindowState::wsMinimized ? SW_MINIMIZE
                                                     : SW_RESTORE);
}

void TForm1::SetBorderStyle(TFormBorderStyle b) {
  borderStyle_ = b;
  if (!hwnd_) return;
  DWORD style = DWORD(GetWindowLongW(hwnd_, GWL_STYLE));
  DWORD ex = DWORD(GetWindowLongW(hwnd_, GWL_EXSTYLE));
  const DWORD frame = WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_BORDER | WS_DLGFRAME;
  const DWORD exFrame = WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE;
  switch (b) {
    case TFormBorderStyle::bsNone:
      style = (style & ~frame) | WS_POPUP;
      ex &= ~exFrame;
      break;
    case TFormBorderStyle::bsDialog:
      style = (style & ~frame) | WS_POPUP | WS_CAPTION | WS_SYSMENU;
      ex = (ex & ~exFrame) | WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
    case TFormBorderStyle::bsSingle:
      style = (style & ~frame) | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
      break;
    case TFormBorderStyle::bsSizeable:
      style = (style & ~frame) | WS_OVERLAPPEDWINDOW;
      break;
  }
  SetWindowLongW(hwnd_, GWL_STYLE, LONG(style));
  SetWindowLongW(hwnd_, GWL_EXSTYLE, LONG(ex));
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TForm1::SetStayOnTop() {
  if (hwnd_) SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm1::ScaleBy(int32_t m, int32_t d) {
  if (!hwnd_ || d == 0) return;
  for (HWND c = GetWindow(hwnd_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(c, nullptr, MulDiv(r.left, m, d), MulDiv(r.top, m, d), MulDiv(r.right - r.left, m, d),
                 MulDiv(r.bottom - r.top, m, d), SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

std::vector<saverhost::HostComponent> TForm1::Components() {
  std::vector<saverhost::HostComponent> all = {
      {"ScreenSaver1", nullptr, true}, {"Panel2", Panel2.get(), false}, {"MovieBox", MovieBox.get(), false}};
  all.insert(all.end(), ExtraComponents.begin(), ExtraComponents.end());
  return all;
}

void TForm1::ShowMainForm() {
  if (terminated_ || !hwnd_) return;
  FormShow();
  if (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD) {
    ShowWindow(hwnd_, SW_SHOWNA);  // the preview: a disabled child takes no activation
  } else {
    if (windowState_ == TWindowState::wsNormal && position_ == TPosition::poScreenCenter) {
      RECT r = WindowRect();
      PlaceWindow((ScreenWidth() - (r.right - r.left)) / 2, (ScreenHeight() - (r.bottom - r.top)) / 2, 0, 0,
                  SWP_NOSIZE);
    }
    const bool fullScreen = ScreenSaver1 && ScreenSaver1->ModeLetter() == 'S' && ScreenSaver1->MainScreenSaver;
    if (fullScreen) CreateCovers();
    ShowWindow(hwnd_, windowState_ == TWindowState::wsMaximized   ? SW_SHOWMAXIMIZED
                      : windowState_ == TWindowState::wsMinimized ? SW_SHOWMINNOACTIVE
                                                                  : SW_SHOWNORMAL);
    if (windowState_ != TWindowState::wsMinimized) SetForegroundWindow(hwnd_);
  }
  shown_ = true;
  UpdateWindow(hwnd_);
}

// ------------------------------------------------------- cover windows

void TForm1::SetCoverColor(COLORREF color) {
  if (coverBrush_) DeleteObject(coverBrush_);
  coverBrush_ = CreateSolidBrush(color);
  for (HWND c : covers_) InvalidateRect(c, nullptr, TRUE);
}

void TForm1::CreateCovers() {
  if (!coverBrush_) coverBrush_ = CreateSolidBrush(Color);
  EnumDisplayMonitors(nullptr, nullptr, CoverMonitor, LPARAM(this));
}

BOOL CALLBACK TForm1::CoverMonitor(HMONITOR mon, HDC, LPRECT, LPARAM lp) {
  auto* form = reinterpret_cast<TForm1*>(lp);
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  // The form itself covers the primary monitor.
  if (!GetMonitorInfoW(mon, &mi) || (mi.dwFlags & MONITORINFOF_PRIMARY)) return TRUE;
  const RECT& r = mi.rcMonitor;
  HWND w = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kCoverClass, L"", WS_POPUP, r.left,
                           r.top, r.right - r.left, r.bottom - r.top, form->appWindow_, nullptr, form->instance_, form);
  if (w) {
    ShowWindow(w, SW_SHOWNA);
    form->covers_.push_back(w);
  }
  return TRUE;
}

void TForm1::DestroyCovers() {
  for (HWND c : covers_) {
    SetWindowLongPtrW(c, GWLP_USERDATA, 0);
    DestroyWindow(c);
  }
  covers_.clear();
}

namespace {

// The show, when it loses the foreground, broadcasts an activation to every
// top-level window. The program's other windows must not take that as their
// own: the default handling would give them the focus, and the show, losing
// it again, would broadcast again. An activation that arrives while the
// window is not the active one is that broadcast.
bool isActivationBroadcast(HWND hwnd, UINT msg, WPARAM wp) {
  return msg == WM_ACTIVATE && LOWORD(wp) != WA_INACTIVE && GetActiveWindow() != hwnd;
}

}  // namespace

LRESULT CALLBACK TForm1::AppProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (isActivationBroadcast(hwnd, msg, wp)) return 0;
  return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK TForm1::CoverProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (isActivationBroadcast(hwnd, msg, wp)) return 0;
  auto* form = vorn::win32::windowOwner<TForm1>(hwnd, msg, lp);
  if (form) {
    // Input on a cover ends the show as input on the form does.
    switch (msg) {
      case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(HDC(wp), &r, form->coverBrush_);
        return 1;
      }
      case WM_MOUSEMOVE: form->FormMouseMove(); return 0;
      case WM_LBUTTONUP: form->TransitionPlayer1Click(); return 0;
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN: form->FormKeyDown(wp); return 0;
      case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    }
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// ------------------------------------------------------ window procedure

LRESULT CALLBACK TForm1::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = vorn::win32::windowOwner<TForm1>(hwnd, msg, lp);
  if (msg == WM_NCCREATE && self) self->hwnd_ = hwnd;
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  return self->WndProc(msg, wp, lp);
}

LRESULT TForm1::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (MessageHook && MessageHook(msg, wp, lp, result)) return result;
  switch (msg) {
    case WM_ERASEBKGND:
      fillWith(hwnd_, HDC(wp), Color);
      return 1;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_MOUSEMOVE:
      FormMouseMove();
      return 0;
    case WM_LBUTTONUP:
      TransitionPlayer1Click();
      return 0;
    case WM_COMMAND: {
      auto it = CommandHandlers.find(LOWORD(wp));
      if (it != CommandHandlers.end() && it->second) it->second();
      return 0;
    }
    case WM_GETMINMAXINFO:
      // Maximised without a border the form covers the whole primary
      // monitor, the task bar included.
      if (borderStyle_ == TFormBorderStyle::bsNone) {
        auto* mm = reinterpret_cast<MINMAXINFO*>(lp);
        mm->ptMaxPosition = POINT{0, 0};
        mm->ptMaxSize = POINT{ScreenWidth(), ScreenHeight()};
        mm->ptMaxTrackSize = mm->ptMaxSize;
        return 0;
      }
      break;
    case WM_DESTROY: {
      // Only the preview's window can go with its parent; the program then
      // has nothing left to show and ends.
      const bool ours = closing_;
      SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      if (!ours) Terminate();
      return 0;
    }
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace vorn::app

int RunMainForm(HINSTANCE instance) {
  using vorn::app::TForm1;
  static vorn::saverhost::Win32HostSystem system;
  auto form = std::make_unique<TForm1>(instance, system);
  form->ShowMainForm();
  if (!form->Terminated()) {
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
      if (form->PreviewKey(m) && form->Terminated()) continue;
      HWND main = form->Hwnd();
      const bool onForm = main && (m.hwnd == main || IsChild(main, m.hwnd));
      if (onForm && form->Panel2 && form->Panel2->Visible() && IsDialogMessageW(main, &m)) continue;
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }
  // The host still gives the system back its keys and cursor when the form
  // goes.
  form->LeaveShowToProcessEnd();
  form.reset();
  return 0;
}

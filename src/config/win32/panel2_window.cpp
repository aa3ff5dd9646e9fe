#include "config/win32/panel2_window.h"

#include <commctrl.h>

#include "collection/collection_state.h"
#include "show/show_ports.h"
#include "config/win32/control_factory.h"
#include "config/win32/panel2_ids.h"
#include "platform/message_box.h"
#include "platform/win32/window_owner.h"
#include "text/cp1250.h"

namespace vorn::config::win32 {
namespace {

constexpr wchar_t kPanelClass[] = L"VornPanel2";
constexpr wchar_t kPageClass[] = L"VornPanelPage";
constexpr int kPanelW = 560, kPanelH = 470;

// Panel and pages share one procedure: every notification of their
// controls goes to the Panel2 object.
LRESULT CALLBACK PanelProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  Panel2* p = vorn::win32::windowOwner<Panel2>(h, msg, lp);
  if (p) {
    switch (msg) {
      case WM_COMMAND:
        return p->onCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
      case WM_NOTIFY:
        return p->onNotify(reinterpret_cast<NMHDR*>(lp));
      case WM_DRAWITEM:
        if (p->onDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lp))) return TRUE;
        break;
      case WM_MEASUREITEM:
        if (p->onMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) return TRUE;
        break;
      case WM_CTLCOLORSTATIC:
      case WM_CTLCOLORBTN:
        if (HBRUSH b = p->onCtlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp)))
          return reinterpret_cast<LRESULT>(b);
        break;
      case WM_GETFONT:
        return SendMessageW(GetParent(h), WM_GETFONT, 0, 0);
    }
  }
  return DefWindowProcW(h, msg, wp, lp);
}

void registerClasses(HINSTANCE inst) {
  WNDCLASSW wc{};
  if (!GetClassInfoW(inst, kPanelClass, &wc)) {
    wc = WNDCLASSW{};
    wc.lpfnWndProc = PanelProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kPanelClass;
    RegisterClassW(&wc);
    wc.lpszClassName = kPageClass;
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    RegisterClassW(&wc);
  }
}

}  // namespace

Panel2::Panel2(HWND parent, Panel2Services services) : parent_(parent), svc_(std::move(services)) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS |
                                           ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  dpi_ = systemDpi();
  font_ = createMessageFont(dpi_);
  LOGFONTW lf{};
  GetObjectW(font_, sizeof lf, &lf);
  lf.lfWeight = FW_BOLD;
  boldFont_ = CreateFontIndirectW(&lf);
  lf.lfItalic = TRUE;
  lf.lfHeight = -MulDiv(16, dpi_, 72);
  titleFont_ = CreateFontIndirectW(&lf);
  pageBrush_ = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
  createFrame();
}

Panel2::~Panel2() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
  if (images_) ImageList_Destroy(images_);
  DeleteObject(font_);
  DeleteObject(boldFont_);
  DeleteObject(titleFont_);
  DeleteObject(pageBrush_);
}

int Panel2::width() const { return MulDiv(kPanelW, dpi_, 96); }
int Panel2::height() const { return MulDiv(kPanelH, dpi_, 96); }

HWND Panel2::ctl(int id) const {
  if (HWND h = GetDlgItem(hwnd_, id)) return h;
  for (HWND page : pages_)
    if (HWND h = GetDlgItem(page, id)) return h;
  return nullptr;
}

void Panel2::createFrame() {
  HINSTANCE inst = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent_, GWLP_HINSTANCE));
  registerClasses(inst);
  ControlFactory f(inst, font_, dpi_);
  hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, L"Panel2",
                          WS_CHILD | WS_CLIPCHILDREN, 0, 0, width(), height(), parent_,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(2000)), inst, this);
  HWND tabs = f.make(hwnd_, WC_TABCONTROLW, "", WS_CLIPSIBLINGS | WS_TABSTOP, 6, 6, 548, 420,
                     PageControl1);
  const char* captions[3] = {"Megjelenítendő képek/filmek", "Beállítások", "Névjegy"};
  for (int i = 0; i < 3; ++i) {
    std::u16string w = text::cp1250ToUtf16(text::W1250(captions[i]));
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<LPWSTR>(w.data());
    SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  RECT area{0, 0, f.scale(548), f.scale(420)};
  SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  for (int i = 0; i < 3; ++i) {
    pages_[i] = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, nullptr, WS_CHILD | WS_CLIPSIBLINGS,
                                f.scale(6) + area.left, f.scale(6) + area.top,
                                area.right - area.left, area.bottom - area.top, hwnd_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(TabSheet1 + i)), inst,
                                this);
  }
  createItemsPage(pages_[0]);
  createSettingsPage(pages_[1]);
  createAboutPage(pages_[2]);
  f.make(hwnd_, L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 380, 434, 82, 26, Button1);
  f.make(hwnd_, L"BUTTON", text::W1250("Mégsem"), BS_PUSHBUTTON | WS_TABSTOP, 468, 434, 82, 26,
         Button2);
  SetWindowPos(tabs, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  selectPage(0);
}

void Panel2::selectPage(int index) {
  SendMessageW(ctl(PageControl1), TCM_SETCURSEL, index, 0);
  for (int i = 0; i < 3; ++i) ShowWindow(pages_[i], i == index ? SW_SHOW : SW_HIDE);
}

HBRUSH Panel2::onCtlColor(HDC dc, HWND c) {
  const int id = GetDlgCtrlID(c);
  if (GetParent(c) == hwnd_) return nullptr;
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  const bool navy = id == CollNameST || id == TipusLab || id == PicSizeL || id == ChgIntLab ||
                    id == HangLab || id == Label1;
  if (navy) SetTextColor(dc, RGB(0, 0, 128));
  if (id == DisableAllSoundsNote) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  return pageBrush_;
}

bool Panel2::preTranslate(MSG& msg) {
  if (!hwnd_ || !IsWindowVisible(hwnd_)) return false;
  if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) return false;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
    HWND combo = ctl(ShwEffectNum);
    if (SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) ||
        SendMessageW(ctl(ShowModeCB), CB_GETDROPPEDSTATE, 0, 0) ||
        SendMessageW(ctl(BckColCB), CB_GETDROPPEDSTATE, 0, 0))
      return false;
    Button2Click();
    return true;
  }
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
    wchar_t cls[32] = {};
    GetClassNameW(msg.hwnd, cls, 32);
    if (lstrcmpiW(cls, L"BUTTON") != 0 && lstrcmpiW(cls, L"VornLinkLabel") != 0) {
      Button1Click();
      return true;
    }
  }
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
    const int cur = int(SendMessageW(ctl(PageControl1), TCM_GETCURSEL, 0, 0));
    selectPage((cur + (GetKeyState(VK_SHIFT) < 0 ? 2 : 1)) % 3);
    return true;
  }
  return IsDialogMessageW(hwnd_, &msg) != 0;
}

LRESULT Panel2::onNotify(NMHDR* n) {
  if (n->idFrom == PageControl1 && n->code == TCN_SELCHANGE) {
    selectPage(int(SendMessageW(n->hwndFrom, TCM_GETCURSEL, 0, 0)));
    return 0;
  }
  if (n->idFrom == ListView1 && n->code == LVN_ITEMCHANGED) {
    const auto* lv = reinterpret_cast<const NMLISTVIEW*>(n);
    if ((lv->uChanged & LVIF_STATE) && ((lv->uOldState ^ lv->uNewState) & LVIS_SELECTED))
      ListView1Change();
    return 0;
  }
  if (n->code == UDN_DELTAPOS && n->idFrom == ChgIntMINSEUpDown) {
    // The value changes after this notification; react once it has.
    PostMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(ChgIntMINSE, EN_CHANGE),
                 reinterpret_cast<LPARAM>(ctl(ChgIntMINSE)));
  }
  return 0;
}

LRESULT Panel2::onCommand(int id, int code, HWND) {
  if (updating_) return 0;
  switch (id) {
    case Button1:
      if (code == BN_CLICKED) Button1Click();
      break;
    case Button2:
      if (code == BN_CLICKED) Button2Click();
      break;
    case RadioButton1:
    case RadioButton2:
      if (code == BN_CLICKED) {
        model_.settings.checkRadio(id == RadioButton1 ? 1 : 2);
        applyEnabledStates();
      }
      break;
    case ChgIntMINSE:
      if (code == EN_CHANGE) {
        readSpin(ChgIntMINSE, model_.settings.ChgIntMINSE);
        readSpin(ChgIntMAXSE, model_.settings.ChgIntMAXSE);
        model_.settings.ChgIntMINSEChange();
        updating_ = true;
        spinToControl(ChgIntMAXSE, model_.settings.ChgIntMAXSE);
        updating_ = false;
      } else if (code == EN_KILLFOCUS) {
        model_.settings.ChgIntMINSE.loseFocus();
        updating_ = true;
        spinToControl(ChgIntMINSE, model_.settings.ChgIntMINSE);
        updating_ = false;
      }
      break;
    case ChgIntSE:
    case ChgIntMAXSE:
      if (code == EN_KILLFOCUS) {
        SpinEdit& s = id == ChgIntSE ? model_.settings.ChgIntSE : model_.settings.ChgIntMAXSE;
        readSpin(id, s);
        s.loseFocus();
        if (id == ChgIntMAXSE) model_.settings.keepUpperInRange();
        updating_ = true;
        spinToControl(id, s);
        updating_ = false;
      }
      break;
    case ALLBckSoundsBrowse:
      if (code == BN_CLICKED) browseBackgroundSound();
      break;
    case PrevPLAYBtn:
    case PrevSTOPBtn:
      if (code == BN_CLICKED && svc_.mediaPrev) {
        const bool play = id == PrevPLAYBtn;
        const Status st = play ? svc_.mediaPrev->play() : svc_.mediaPrev->stop();
        if (st) {
          EnableWindow(ctl(PrevPLAYBtn), !play);
          EnableWindow(ctl(PrevSTOPBtn), play);
        }
      }
      break;
  }
  return 0;
}

HWND Panel2::tabControl1() const { return ctl(TabControl1); }

void Panel2::Button1Click() {
  controlsToModel();
  if (svc_.state && svc_.boxes) Button1Save(model_.settings, *svc_.state, *svc_.boxes);
  if (svc_.closeForm) svc_.closeForm();
}

void Panel2::Button2Click() {
  if (svc_.closeForm) svc_.closeForm();
}

}  // namespace vorn::config::win32

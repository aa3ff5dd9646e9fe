#include "widgets/win32/link_label_control.h"

#include "platform/win32/win32_shell.h"
#include "text/cp1250.h"

namespace vorn::widgets::win32 {
namespace {

struct LinkLabelWindow final : LabelHost {
  explicit LinkLabelWindow(HWND h) : hwnd(h), label(*this, shell) {}
  ~LinkLabelWindow() override {
    if (normalFont) DeleteObject(normalFont);
    if (hoverFont) DeleteObject(hoverFont);
  }

  bool holdsCapture() override { return GetCapture() == hwnd; }
  void setCapture() override { SetCapture(hwnd); }
  void releaseCapture() override { ReleaseCapture(); }
  bool enabled() override { return IsWindowEnabled(hwnd); }
  bool visible() override { return IsWindowVisible(hwnd); }
  bool formActive() override { return GetActiveWindow() == GetAncestor(hwnd, GA_ROOT); }
  int32_t width() override {
    RECT r;
    GetClientRect(hwnd, &r);
    return r.right;
  }
  int32_t height() override {
    RECT r;
    GetClientRect(hwnd, &r);
    return r.bottom;
  }
  void fontChanged() override { InvalidateRect(hwnd, nullptr, TRUE); }

  // Fonts are made from the font the control was given (else its parent's)
  // when it is first painted, never per paint.
  HFONT fontFor(const LabelFont& f) {
    HFONT base = baseFont ? baseFont
                          : reinterpret_cast<HFONT>(SendMessageW(GetParent(hwnd), WM_GETFONT, 0, 0));
    if (!base) base = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW lf{};
    GetObjectW(base, sizeof lf, &lf);
    lf.lfUnderline = f.underline;
    lf.lfItalic = f.italic;
    if (f.bold) lf.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&lf);
  }

  void paint(HDC dc) {
    RECT r;
    GetClientRect(hwnd, &r);
    HBRUSH bg = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(hwnd), WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(hwnd)));
    FillRect(dc, &r, bg ? bg : GetSysColorBrush(COLOR_BTNFACE));
    if (!normalFont) normalFont = fontFor(label.FontDefault);
    if (!hoverFont) hoverFont = fontFor(label.FontOnMouse);
    HGDIOBJ old = SelectObject(dc, label.Font == label.FontOnMouse ? hoverFont : normalFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, label.Font.color);
    const std::u16string w = text::cp1250ToUtf16(label.Caption);
    DrawTextW(dc, reinterpret_cast<LPCWSTR>(w.c_str()), int(w.size()), &r,
              DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
    if (GetFocus() == hwnd) DrawFocusRect(dc, &r);
    SelectObject(dc, old);
  }

  HWND hwnd;
  vorn::win32::Win32Shell shell;
  TURLLabel label;
  HFONT normalFont = nullptr, hoverFont = nullptr;
  HFONT baseFont = nullptr;  // from WM_SETFONT, owned by the sender
};

LinkLabelWindow* windowOf(HWND h) {
  return reinterpret_cast<LinkLabelWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA));
}

LRESULT CALLBACK LinkLabelProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  LinkLabelWindow* w = windowOf(h);
  switch (msg) {
    case WM_NCCREATE: {
      auto* nw = new LinkLabelWindow(h);
      SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(nw));
      const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lp);
      if (cs->lpszName)
        nw->label.Caption = text::utf16ToCp1250(reinterpret_cast<const char16_t*>(cs->lpszName));
      break;
    }
    case WM_NCDESTROY:
      delete w;
      SetWindowLongPtrW(h, GWLP_USERDATA, 0);
      break;
    case WM_SETTEXT:
      if (w && lp)
        w->label.Caption = text::utf16ToCp1250(reinterpret_cast<const char16_t*>(lp));
      InvalidateRect(h, nullptr, TRUE);
      break;
    case WM_SETFONT:
      if (w) {
        w->baseFont = reinterpret_cast<HFONT>(wp);
        for (HFONT* f : {&w->normalFont, &w->hoverFont})
          if (*f) {
            DeleteObject(*f);
            *f = nullptr;
          }
        if (LOWORD(lp)) InvalidateRect(h, nullptr, TRUE);
      }
      return 0;
    case WM_GETFONT:
      return w ? reinterpret_cast<LRESULT>(w->baseFont) : 0;
    case WM_MOUSEMOVE:
      if (w) w->label.WMMouseMove(int16_t(LOWORD(lp)), int16_t(HIWORD(lp)));
      return 0;
    case WM_LBUTTONDOWN:
      if (w) w->label.WMLButtonDown();
      return 0;
    case WM_KEYDOWN:
      if (w && (wp == VK_RETURN || wp == VK_SPACE)) {
        w->label.CallURL();
        return 0;
      }
      break;
    case WM_GETDLGCODE:
      if (lp && (reinterpret_cast<const MSG*>(lp)->wParam == VK_RETURN)) return DLGC_WANTMESSAGE;
      return DLGC_BUTTON;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_SETCURSOR:
      SetCursor(LoadCursor(nullptr, IDC_HAND));
      return TRUE;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      if (w) w->paint(dc);
      EndPaint(h, &ps);
      return 0;
    }
  }
  return DefWindowProcW(h, msg, wp, lp);
}

}  // namespace

void registerLinkLabelClass(HINSTANCE inst) {
  WNDCLASSW wc{};
  if (GetClassInfoW(inst, kLinkLabelClass, &wc)) return;
  wc.lpfnWndProc = LinkLabelProc;
  wc.hInstance = inst;
  wc.lpszClassName = kLinkLabelClass;
  wc.hCursor = LoadCursor(nullptr, IDC_HAND);
  RegisterClassW(&wc);
}

TURLLabel* linkLabelOf(HWND hwnd) {
  wchar_t cls[32];
  if (!GetClassNameW(hwnd, cls, 32) || lstrcmpW(cls, kLinkLabelClass) != 0) return nullptr;
  LinkLabelWindow* w = windowOf(hwnd);
  return w ? &w->label : nullptr;
}

void setLinkAddress(HWND hwnd, const std::string& cp1250Address) {
  if (TURLLabel* l = linkLabelOf(hwnd)) {
    l->setURLAddress(cp1250Address);
    // The caption is the window text too, for whoever reads or measures it.
    if (l->AUTOChange) {
      const std::u16string w = text::cp1250ToUtf16(l->Caption);
      SetWindowTextW(hwnd, reinterpret_cast<LPCWSTR>(w.c_str()));
    }
    InvalidateRect(hwnd, nullptr, TRUE);
  }
}

}  // namespace vorn::widgets::win32

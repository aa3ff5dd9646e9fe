#include "show/win32/caption_window.h"

#include "platform/win32/window_owner.h"
#include "text/cp1250.h"

namespace vorn::show::win32 {

namespace {

constexpr wchar_t kClass[] = L"VornCaption";

std::wstring wide(const std::string& s) {
  std::u16string u = text::cp1250ToUtf16(s);
  return std::wstring(u.begin(), u.end());
}

}  // namespace

CaptionWindow::CaptionWindow(HINSTANCE instance, HWND parent) {
  WNDCLASSW wc{};
  if (!GetClassInfoW(instance, kClass, &wc)) {
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = kClass;
    wc.hCursor = nullptr;
    RegisterClassW(&wc);
  }
  // The caption takes the mouse to itself and has no handlers for it, so a
  // move or a click over it reaches neither the form nor the picture and
  // does not end the show.
  hwnd_ = CreateWindowExW(0, kClass, L"", WS_CHILD, 0, 0, 0, 0, parent, nullptr, instance, this);
  remakeFont();
}

CaptionWindow::~CaptionWindow() {
  if (hwnd_ && IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  if (font_) DeleteObject(font_);
}

void CaptionWindow::remakeFont() {
  if (font_) DeleteObject(font_);
  font_ = CreateFontW(-pixelHeight_, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, EASTEUROPE_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, face_.c_str());
  resize();
}

void CaptionWindow::setFontName(const std::string& name) {
  face_ = wide(name);
  remakeFont();
}

void CaptionWindow::setFontSize(int32_t points) {
  HDC dc = GetDC(hwnd_);
  int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ReleaseDC(hwnd_, dc);
  pixelHeight_ = MulDiv(points, dpi, 72);
  remakeFont();
}

void CaptionWindow::setFontColor(Color c) {
  color_ = COLORREF(c);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void CaptionWindow::setText(const std::string& text) {
  text_ = wide(text);
  resize();
}

void CaptionWindow::setBackColor(COLORREF c) {
  back_ = c;
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void CaptionWindow::resize() {
  HDC dc = GetDC(hwnd_);
  if (!dc) return;
  HGDIOBJ old = SelectObject(dc, font_);
  RECT r{0, 0, 0, 0};
  if (text_.empty()) {
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    r.bottom = tm.tmHeight;
  } else {
    DrawTextW(dc, text_.c_str(), int(text_.size()), &r, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
  }
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);
  w_ = r.right;
  h_ = r.bottom;
  SetWindowPos(hwnd_, nullptr, 0, 0, w_, h_, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void CaptionWindow::setPosition(int32_t left, int32_t top) {
  SetWindowPos(hwnd_, HWND_TOP, left, top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void CaptionWindow::setVisible(bool visible) {
  if (visible) SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ::ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

void CaptionWindow::paint(HDC dc) {
  RECT r;
  GetClientRect(hwnd_, &r);
  HBRUSH b = CreateSolidBrush(back_);
  FillRect(dc, &r, b);
  DeleteObject(b);
  HGDIOBJ old = SelectObject(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color_);
  DrawTextW(dc, text_.c_str(), int(text_.size()), &r, DT_NOPREFIX | DT_SINGLELINE);
  SelectObject(dc, old);
}

LRESULT CALLBACK CaptionWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = vorn::win32::windowOwner<CaptionWindow>(hwnd, msg, lp);
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (self) self->paint(dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace vorn::show::win32

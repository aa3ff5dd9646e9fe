#include "config/win32/control_factory.h"

#include <vector>

#include "text/cp1250.h"

namespace vorn::config::win32 {

HWND ControlFactory::make(HWND parent, const wchar_t* cls, const std::string& text, DWORD style,
                          int x, int y, int w, int h, int id, DWORD exStyle) const {
  const std::u16string wtext = vorn::text::cp1250ToUtf16(text);
  HWND c = CreateWindowExW(exStyle, cls, reinterpret_cast<LPCWSTR>(wtext.c_str()),
                           WS_CHILD | WS_VISIBLE | style, scale(x), scale(y), scale(w), scale(h),
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), inst_,
                           nullptr);
  if (c) SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return c;
}

HWND ControlFactory::label(HWND parent, const std::string& text, int x, int y, int w, int h,
                           int id, DWORD extra) const {
  return make(parent, L"STATIC", text, SS_LEFT | SS_NOPREFIX | extra, x, y, w, h, id);
}

void setText(HWND h, const std::string& cp1250) {
  const std::u16string w = vorn::text::cp1250ToUtf16(cp1250);
  SetWindowTextW(h, reinterpret_cast<LPCWSTR>(w.c_str()));
}

std::string getText(HWND h) {
  const int n = GetWindowTextLengthW(h);
  std::vector<wchar_t> buf(size_t(n) + 1, 0);
  GetWindowTextW(h, buf.data(), n + 1);
  return vorn::text::utf16ToCp1250(reinterpret_cast<const char16_t*>(buf.data()));
}

int systemDpi() {
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}

HFONT createMessageFont(int dpi) {
  NONCLIENTMETRICSW m{};
  m.cbSize = sizeof m;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0)) {
    return CreateFontIndirectW(&m.lfMessageFont);
  }
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(8, dpi, 72);
  lstrcpyW(lf.lfFaceName, L"MS Shell Dlg 2");
  return CreateFontIndirectW(&lf);
}

}  // namespace vorn::config::win32

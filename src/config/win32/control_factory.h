#pragma once
// Creates child controls at coordinates given for 96 DPI, scaled to the
// system DPI, with the system's message font and Windows-1250 texts shown
// through the wide-character calls.
#include <windows.h>

#include <string>

namespace vorn::config::win32 {

class ControlFactory {
 public:
  ControlFactory(HINSTANCE inst, HFONT font, int dpi) : inst_(inst), font_(font), dpi_(dpi) {}

  int scale(int v) const { return MulDiv(v, dpi_, 96); }
  HWND make(HWND parent, const wchar_t* cls, const std::string& cp1250Text, DWORD style, int x,
            int y, int w, int h, int id, DWORD exStyle = 0) const;
  HWND label(HWND parent, const std::string& text, int x, int y, int w, int h, int id,
             DWORD extra = 0) const;
  HFONT font() const { return font_; }
  int dpi() const { return dpi_; }

 private:
  HINSTANCE inst_;
  HFONT font_;
  int dpi_;
};

void setText(HWND h, const std::string& cp1250);
std::string getText(HWND h);

// The system's message font at the system DPI (owned by the caller).
HFONT createMessageFont(int dpi);
int systemDpi();

}  // namespace vorn::config::win32

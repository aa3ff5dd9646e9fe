#pragma once
// PicTEXT: a static text child window that sizes itself to its text. Its
// background is the show window's colour, like a static text that takes its
// parent's colour; the text is drawn through the wide-character calls.
#include <windows.h>

#include <string>

#include "show/show_ports.h"

namespace vorn::show::win32 {

class CaptionWindow final : public CaptionControl {
 public:
  CaptionWindow(HINSTANCE instance, HWND parent);
  ~CaptionWindow() override;

  void setFontName(const std::string& name) override;
  void setFontSize(int32_t points) override;
  void setFontColor(Color c) override;
  void setText(const std::string& text) override;
  int32_t width() override { return w_; }
  int32_t height() override { return h_; }
  void setPosition(int32_t left, int32_t top) override;
  void setVisible(bool visible) override;

  void setBackColor(COLORREF c);
  HWND handle() const { return hwnd_; }

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
  void remakeFont();
  void resize();
  void paint(HDC dc);

  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  std::wstring face_ = L"MS Sans Serif";
  int32_t pixelHeight_ = 16;  // the stored 16-pixel character height
  COLORREF color_ = RGB(255, 255, 255);
  COLORREF back_ = RGB(0, 0, 0);
  std::wstring text_;
  int32_t w_ = 0, h_ = 0;
};

}  // namespace vorn::show::win32

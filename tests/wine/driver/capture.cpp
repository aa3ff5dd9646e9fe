#include "capture.h"

#include <vector>

namespace driver {

bool captureScreenRect(RECT r, const std::wstring& file, std::string& error) {
  RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT c{};
  if (!IntersectRect(&c, &r, &screen)) {
    error = "rectangle is off the screen";
    return false;
  }
  const int w = c.right - c.left, h = c.bottom - c.top;
  HDC sdc = GetDC(nullptr);
  HDC mdc = CreateCompatibleDC(sdc);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;  // bottom-up, as BMP files store rows
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(sdc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = bmp != nullptr;
  if (ok) {
    HGDIOBJ old = SelectObject(mdc, bmp);
    ok = BitBlt(mdc, 0, 0, w, h, sdc, c.left, c.top, SRCCOPY) != 0;
    GdiFlush();
    SelectObject(mdc, old);
  }
  if (ok) {
    const DWORD stride = static_cast<DWORD>((w * 3 + 3) & ~3);
    const DWORD imageSize = stride * static_cast<DWORD>(h);
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    fh.bfSize = fh.bfOffBits + imageSize;
    bi.bmiHeader.biSizeImage = imageSize;
    HANDLE f = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) {
      ok = false;
      error = "cannot create the file";
    } else {
      DWORD n = 0;
      ok = WriteFile(f, &fh, sizeof fh, &n, nullptr) &&
           WriteFile(f, &bi.bmiHeader, sizeof(BITMAPINFOHEADER), &n, nullptr) &&
           WriteFile(f, bits, imageSize, &n, nullptr);
      CloseHandle(f);
      if (!ok) error = "cannot write the file";
    }
  } else {
    error = "screen copy failed";
  }
  if (bmp) DeleteObject(bmp);
  DeleteDC(mdc);
  ReleaseDC(nullptr, sdc);
  return ok;
}

bool captureScreen(const std::wstring& file, std::string& error) {
  RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return captureScreenRect(r, file, error);
}

bool captureWindow(HWND w, const std::wstring& file, std::string& error) {
  RECT r{};
  if (!GetWindowRect(w, &r)) {
    error = "no such window";
    return false;
  }
  return captureScreenRect(r, file, error);
}

}  // namespace driver

#pragma once
// A 24-bit top-down DIB section in a memory DC, to let GDI draw the same
// thing our raster core draws and compare the two pixel for pixel.
#include <windows.h>

#include <cstring>

#include "raster/bitmap24.h"

namespace vorn::testing {

class GdiSurface {
 public:
  explicit GdiSurface(const Bitmap24& from) : w_(from.width()), h_(from.height()) {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = w_;
    bmi.bmiHeader.biHeight = -h_;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &bmi, DIB_RGB_COLORS, &bits_, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    std::memcpy(bits_, from.data(), from.sizeBytes());
  }
  ~GdiSurface() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  Bitmap24 pixels() const {
    GdiFlush();
    Bitmap24 b(w_, h_);
    std::memcpy(b.data(), bits_, b.sizeBytes());
    return b;
  }

 private:
  int w_, h_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
};

inline int differingPixels(const Bitmap24& a, const Bitmap24& b) {
  int n = 0;
  for (int32_t y = 0; y < a.height(); ++y)
    for (int32_t x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
  return n;
}

}  // namespace vorn::testing

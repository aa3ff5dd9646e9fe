#pragma once
// A 24-bit top-down DIB section in a memory DC, to let GDI draw the same
// thing our raster core draws and compare the two pixel for pixel. Its bits
// have the layout of a Bitmap24 of the same size.
#include <windows.h>

#include <cstring>

#include "raster/bitmap24.h"

namespace vorn::testing {

class GdiSurface {
 public:
  explicit GdiSurface(const Bitmap24& from) : GdiSurface(from.width(), from.height()) { load(from); }
  GdiSurface(int32_t width, int32_t height) : w_(width), h_(height) {
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
  }
  ~GdiSurface() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  GdiSurface(const GdiSurface&) = delete;
  GdiSurface& operator=(const GdiSurface&) = delete;
  bool ok() const { return bitmap_ != nullptr; }
  HDC dc() const { return dc_; }
  // Puts a picture of the surface's size in, once GDI has done its drawing.
  void load(const Bitmap24& b) {
    GdiFlush();
    std::memcpy(bits_, b.data(), b.sizeBytes());
  }
  Bitmap24 pixels() const {
    GdiFlush();
    Bitmap24 b(w_, h_);
    std::memcpy(b.data(), bits_, b.sizeBytes());
    return b;
  }

 private:
  int32_t w_, h_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
};

inline int64_t differingPixels(const Bitmap24& a, const Bitmap24& b) {
  int64_t n = 0;
  for (int32_t y = 0; y < a.height(); ++y)
    for (int32_t x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
  return n;
}

}  // namespace vorn::testing

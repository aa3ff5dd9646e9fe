// Metafiles through the platform. An EMF is kept as an enhanced-metafile
// handle, its size that of its frame (metafile_size.h); a WMF must carry the placeable header (key 0x9AC6CDD7, bounding box
// in units of 1/inch), which gives its size, and is converted to an EMF with
// SetWinMetaFileBits. Drawing plays the metafile at the target size into a
// DIB section holding the surface's current pixels, so what the metafile
// leaves unpainted keeps the surface's colour.
#include <windows.h>

#include <cstring>

#include "codecs/byte_reader.h"
#include "codecs/decoders.h"
#include "codecs/metafile_size.h"
#include "codecs/picture_limits.h"

namespace vorn {
namespace {

class TMetafile : public TGraphic {
 public:
  TMetafile(HENHMETAFILE h, int32_t w, int32_t hgt) : emf_(h), width_(w), height_(hgt) {}
  ~TMetafile() override { DeleteEnhMetaFile(emf_); }
  int32_t width() const override { return width_; }
  int32_t height() const override { return height_; }

  const Bitmap24& bitmap() override {
    if (own_.empty()) {
      own_ = Bitmap24(width_, height_);
      own_.fill(rgb(255, 255, 255));
      play(own_, Rect{0, 0, width_, height_});
    }
    return own_;
  }
  void draw(Bitmap24& dst, const Rect& dest) override { play(dst, dest); }

 private:
  // Plays into the visible part of `dest` on `dst`.
  void play(Bitmap24& dst, const Rect& dest) {
    const Rect vis = intersect(dest, Rect{0, 0, dst.width(), dst.height()});
    if (vis.empty()) return;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = vis.width();
    bi.bmiHeader.biHeight = -vis.height();  // top-down, like Bitmap24
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return;
    HBITMAP dib = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib || !bits) {
      DeleteDC(dc);
      return;
    }
    HGDIOBJ old = SelectObject(dc, dib);
    const size_t stride = Bitmap24::strideFor(vis.width());
    auto* p = static_cast<uint8_t*>(bits);
    for (int32_t y = 0; y < vis.height(); ++y)
      std::memcpy(p + stride * size_t(y), dst.row(vis.top + y) + size_t(vis.left) * 3, size_t(vis.width()) * 3);
    const RECT r{dest.left - vis.left, dest.top - vis.top, dest.right - vis.left, dest.bottom - vis.top};
    PlayEnhMetaFile(dc, emf_, &r);
    GdiFlush();
    for (int32_t y = 0; y < vis.height(); ++y)
      std::memcpy(dst.row(vis.top + y) + size_t(vis.left) * 3, p + stride * size_t(y), size_t(vis.width()) * 3);
    SelectObject(dc, old);
    DeleteObject(dib);
    DeleteDC(dc);
  }

  HENHMETAFILE emf_;
  int32_t width_, height_;
  Bitmap24 own_;
};

GraphicResult wrap(HENHMETAFILE h, int64_t w, int64_t hgt) {
  if (!h) return makeError("Invalid metafile");
  if (auto s = codecs::checkPictureSize(w, hgt); !s) {
    DeleteEnhMetaFile(h);
    return s.takeError();
  }
  return std::unique_ptr<TGraphic>(new TMetafile(h, int32_t(w), int32_t(hgt)));
}

}  // namespace

GraphicResult decodeEmf(const uint8_t* data, size_t size) {
  auto s = codecs::emfSize(data, size);
  if (!s) return s.takeError();
  if (size > 0x7FFFFFFF) return makeError("Invalid metafile");
  HENHMETAFILE h = SetEnhMetaFileBits(UINT(size), data);
  return wrap(h, s->width, s->height);
}

GraphicResult decodeWmf(const uint8_t* data, size_t size) {
  codecs::ByteReader r(data, size);
  const uint32_t key = r.u32();
  r.u16();  // handle
  const int16_t l = r.i16(), t = r.i16(), rr = r.i16(), b = r.i16();
  const uint16_t inch = r.u16();
  r.u32();  // reserved
  r.u16();  // checksum
  if (!r.ok() || key != 0x9AC6CDD7u || inch == 0) return makeError("Invalid metafile");
  const int64_t w = (int64_t(rr) - l) * 96 / inch, hgt = (int64_t(b) - t) * 96 / inch;
  if (auto s = codecs::checkPictureSize(w, hgt); !s) return s.takeError();
  if (size - 22 > 0x7FFFFFFF) return makeError("Invalid metafile");
  METAFILEPICT mfp{};
  mfp.mm = MM_ANISOTROPIC;
  mfp.xExt = LONG((int64_t(rr) - l) * 2540 / inch);  // 0.01 mm
  mfp.yExt = LONG((int64_t(b) - t) * 2540 / inch);
  HENHMETAFILE h = SetWinMetaFileBits(UINT(size - 22), data + 22, nullptr, &mfp);
  return wrap(h, w, hgt);
}

}  // namespace vorn

// JPEG pictures through libjpeg (jpeg_libjpeg.c does the calls). This side
// owns the memory: the sink below allocates the picture once libjpeg knows
// its size, after the size has passed the picture caps.
#include <cstring>
#include <functional>
#include <new>

#include "codecs/decoders.h"
#include "codecs/indexed_image.h"
#include "codecs/jpeg_libjpeg.h"
#include "codecs/picture_limits.h"
#include "codecs/pixel_graphic.h"

namespace vorn {
namespace {

struct JpegTarget {
  size_t fileBytes = 0;
  Bitmap24 rgb;
  codecs::IndexedImage grey;
  std::vector<uint8_t> cmyk;
  int components = 0;
  bool inverted = false;
  std::string refusal;
  const std::function<int(uint32_t, uint32_t)>* chooseScale = nullptr;
};

int chooseScale(void* ctx, unsigned w, unsigned h) {
  auto* t = static_cast<JpegTarget*>(ctx);
  try {
    const int d = (*t->chooseScale)(w, h);
    return d == 2 || d == 4 || d == 8 ? d : 1;
  } catch (...) {
    return 1;
  }
}

// Called from C: nothing may throw through it.
int checkSize(void* ctx, unsigned w, unsigned h, unsigned fullW, unsigned fullH) {
  auto* t = static_cast<JpegTarget*>(ctx);
  if (auto s = codecs::checkPictureSize(w, h); !s) {
    t->refusal = s.error();
    return 1;
  }
  // The data paints the full picture, whatever the scale, and libjpeg sets
  // up whole-picture buffers for a progressive file: checked before both.
  if (auto s = codecs::checkDataCanFill(fullW, fullH, t->fileBytes); !s) {
    t->refusal = s.error();
    return 1;
  }
  return 0;
}

uint8_t* begin(void* ctx, unsigned w, unsigned h, int components, int colors, const uint8_t* grey,
               int inverted, size_t* stride) {
  auto* t = static_cast<JpegTarget*>(ctx);
  t->components = components;
  t->inverted = inverted != 0;
  try {
    if (components == 1) {
      t->grey.allocate(int32_t(w), int32_t(h));
      t->grey.paletteSize = colors;
      for (int i = 0; i < colors && i < 256; ++i) t->grey.palette[size_t(i)] = rgb(grey[i], grey[i], grey[i]);
      *stride = w;
      return t->grey.pixels.data();
    }
    t->rgb = Bitmap24(int32_t(w), int32_t(h));
    if (components == 3) {
      *stride = t->rgb.stride();
      return t->rgb.data();
    }
    t->cmyk.assign(size_t(w) * size_t(h) * 4, 0);
    *stride = size_t(w) * 4;
    return t->cmyk.data();
  } catch (const std::exception&) {
    t->refusal = "Not enough memory to load the picture";
    return nullptr;
  }
}

// Adobe's CMYK JPEGs store inverted ink values (255 = no ink); the colour is
// then simply C * K / 255 per channel. Others store plain ink amounts.
void cmykToBitmap(JpegTarget& t) {
  for (int32_t y = 0; y < t.rgb.height(); ++y) {
    const uint8_t* s = t.cmyk.data() + size_t(y) * size_t(t.rgb.width()) * 4;
    uint8_t* d = t.rgb.row(y);
    for (int32_t x = 0; x < t.rgb.width(); ++x, s += 4, d += 3) {
      uint32_t c = s[0], m = s[1], yy = s[2], k = s[3];
      if (!t.inverted) c = 255 - c, m = 255 - m, yy = 255 - yy, k = 255 - k;
      d[2] = uint8_t((c * k + 127) / 255);
      d[1] = uint8_t((m * k + 127) / 255);
      d[0] = uint8_t((yy * k + 127) / 255);
    }
  }
  t.cmyk.clear();
  t.cmyk.shrink_to_fit();
}

}  // namespace

namespace {

GraphicResult decodeWith(const uint8_t* data, size_t size, int denom, JpegTarget& t) {
  t.fileBytes = size;
  VornJpegSink sink{&t, &begin, &checkSize, &chooseScale};
  char err[256] = {0};
  const int rc = vorn_jpeg_decode(data, size, denom, &sink, err, sizeof err);
  if (rc != 0) return makeError(!t.refusal.empty() ? t.refusal : std::string(err));
  if (t.components == 1) return std::unique_ptr<TGraphic>(new TJPEGImage(std::move(t.grey)));
  if (t.components == 4) cmykToBitmap(t);
  return std::unique_ptr<TGraphic>(new TJPEGImage(std::move(t.rgb)));
}

}  // namespace

GraphicResult decodeJpegScaled(const uint8_t* data, size_t size, int denom) {
  if (denom != 1 && denom != 2 && denom != 4 && denom != 8) return makeError("Bad JPEG scale");
  JpegTarget t;
  return decodeWith(data, size, denom, t);
}

GraphicResult decodeJpegChoosingScale(const uint8_t* data, size_t size,
                                      const std::function<int(uint32_t width, uint32_t height)>& choose) {
  JpegTarget t;
  t.chooseScale = &choose;
  return decodeWith(data, size, 0, t);
}

GraphicResult decodeJpeg(const uint8_t* data, size_t size) { return decodeJpegScaled(data, size, 1); }

}  // namespace vorn

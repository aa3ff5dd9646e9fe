#pragma once
// A graphic that is one raster picture: either 24-bit pixels or 8-bit
// palette indices (grey JPEGs, BMPs of 8 bits or fewer). The palette form is
// expanded to 24 bits the first time the picture is drawn or asked for.
#include <optional>

#include "codecs/graphic.h"
#include "codecs/indexed_image.h"

namespace vorn {

class TPixelGraphic : public TGraphic {
 public:
  explicit TPixelGraphic(Bitmap24 pixels) : rgb_(std::move(pixels)) {}
  explicit TPixelGraphic(codecs::IndexedImage pixels) : indexed_(std::move(pixels)) {}

  int32_t width() const override { return indexed_ ? indexed_->width : rgb_.width(); }
  int32_t height() const override { return indexed_ ? indexed_->height : rgb_.height(); }
  const Bitmap24& bitmap() override;

  // 8 for the palette form, 24 otherwise.
  int bitsPerPixel() const { return indexed_ ? 8 : 24; }
  const codecs::IndexedImage* indexed() const { return indexed_ ? &*indexed_ : nullptr; }

 private:
  std::optional<codecs::IndexedImage> indexed_;
  Bitmap24 rgb_;
  bool expanded_ = false;
};

// A device-independent bitmap file.
class TBitmap : public TPixelGraphic {
 public:
  using TPixelGraphic::TPixelGraphic;
};

// A picture decoded by libjpeg.
class TJPEGImage : public TPixelGraphic {
 public:
  using TPixelGraphic::TPixelGraphic;
};

}  // namespace vorn

#pragma once
// A GIF file as a graphic: the first image of the file, at its own size
// rather than composed on the logical screen. Only that image is ever shown,
// so it is the only one decoded and kept; the images after it are not read.
// The image's transparent colour is kept but not applied: pictures are drawn
// opaque.
#include "codecs/graphic.h"
#include "codecs/indexed_image.h"

namespace vorn {

struct TGIFFrame {
  int32_t left = 0, top = 0;  // position on the logical screen
  codecs::IndexedImage image;
  int delay = 0;              // hundredths of a second
  int disposal = 0;
  int transparentIndex = -1;  // -1: none
  bool interlaced = false;
};

class TGIFImage : public TGraphic {
 public:
  TGIFImage(int32_t screenWidth, int32_t screenHeight, TGIFFrame frame)
      : screenWidth_(screenWidth), screenHeight_(screenHeight), frame_(std::move(frame)) {}

  int32_t width() const override { return frame_.image.width; }
  int32_t height() const override { return frame_.image.height; }
  const Bitmap24& bitmap() override;

  int32_t screenWidth() const { return screenWidth_; }
  int32_t screenHeight() const { return screenHeight_; }
  const TGIFFrame& frame() const { return frame_; }

 private:
  int32_t screenWidth_, screenHeight_;
  TGIFFrame frame_;
  Bitmap24 cache_;
  bool cached_ = false;
};

}  // namespace vorn

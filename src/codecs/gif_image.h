#pragma once
// A GIF file as a graphic: every image of the file is kept as a frame; the
// size and the drawing are those of the current frame (the first after a
// load), at its own size rather than composed on the logical screen. The
// frames' transparent colour is kept but not applied: pictures are drawn
// opaque.
#include <vector>

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
  TGIFImage(int32_t screenWidth, int32_t screenHeight, std::vector<TGIFFrame> frames)
      : screenWidth_(screenWidth), screenHeight_(screenHeight), frames_(std::move(frames)) {}

  int32_t width() const override { return frames_[current_].image.width; }
  int32_t height() const override { return frames_[current_].image.height; }
  const Bitmap24& bitmap() override;

  int32_t screenWidth() const { return screenWidth_; }
  int32_t screenHeight() const { return screenHeight_; }
  int frameCount() const { return int(frames_.size()); }
  const TGIFFrame& frame(int i) const { return frames_[size_t(i)]; }
  int currentFrame() const { return int(current_); }
  // Out-of-range numbers are ignored.
  void setCurrentFrame(int i);

 private:
  int32_t screenWidth_, screenHeight_;
  std::vector<TGIFFrame> frames_;  // never empty
  size_t current_ = 0;
  Bitmap24 cache_;
  int cached_ = -1;
};

}  // namespace vorn

#pragma once
// An icon image: colour pixels and a coverage value per pixel (255 opaque,
// 0 transparent), from the AND mask or, for 32-bit images that carry one,
// the alpha channel. Drawing blends the colour over what the surface holds.
// The AND/XOR model's "inverted" pixels (mask set, colour not black) show
// the surface unchanged: there is no inversion in a blended draw.
// bitmap() is the icon over black, which is what its XOR image shows.
#include <vector>

#include "codecs/graphic.h"

namespace vorn {

class TIcon : public TGraphic {
 public:
  TIcon(Bitmap24 colour, std::vector<uint8_t> coverage)
      : colour_(std::move(colour)), coverage_(std::move(coverage)) {}

  int32_t width() const override { return colour_.width(); }
  int32_t height() const override { return colour_.height(); }
  const Bitmap24& bitmap() override;
  void draw(Bitmap24& dst, const Rect& dest) override;

  // Coverage of pixel (x, y), top row first.
  uint8_t coverage(int32_t x, int32_t y) const {
    return coverage_[size_t(y) * size_t(colour_.width()) + size_t(x)];
  }

 private:
  Bitmap24 colour_;
  std::vector<uint8_t> coverage_;
  Bitmap24 overBlack_;
};

}  // namespace vorn

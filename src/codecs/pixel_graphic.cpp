#include "codecs/pixel_graphic.h"

namespace vorn {

const Bitmap24& TPixelGraphic::bitmap() {
  if (indexed_ && !expanded_) {
    rgb_ = indexed_->toBitmap();
    expanded_ = true;
  }
  return rgb_;
}

}  // namespace vorn

#include "codecs/gif_image.h"

namespace vorn {

const Bitmap24& TGIFImage::bitmap() {
  if (cached_ != int(current_)) {
    cache_ = frames_[current_].image.toBitmap();
    cached_ = int(current_);
  }
  return cache_;
}

void TGIFImage::setCurrentFrame(int i) {
  if (i < 0 || i >= frameCount() || size_t(i) == current_) return;
  current_ = size_t(i);
  changed();
}

}  // namespace vorn

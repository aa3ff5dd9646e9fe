#include "codecs/gif_image.h"

namespace vorn {

const Bitmap24& TGIFImage::bitmap() {
  if (!cached_) {
    cache_ = frame_.image.toBitmap();
    cached_ = true;
  }
  return cache_;
}

}  // namespace vorn

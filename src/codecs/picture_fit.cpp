#include "codecs/picture_fit.h"

#include <algorithm>

#include "raster/fit_rect.h"

namespace vorn::codecs {

PictureSize fittedSize(int32_t width, int32_t height, const PictureFit& fit) {
  if (!fit.fits() || width <= 0 || height <= 0) return {width, height};
  const Rect r = FitRect(Rect{0, 0, width, height}, Rect{0, 0, fit.boxWidth, fit.boxHeight});
  return {std::max(r.width(), 1), std::max(r.height(), 1)};
}

int jpegScaleFor(uint32_t width, uint32_t height, int32_t needWidth, int32_t needHeight) {
  for (uint32_t d : {8u, 4u, 2u})
    if (int64_t((width + d - 1) / d) >= needWidth && int64_t((height + d - 1) / d) >= needHeight) return int(d);
  return 1;
}

}  // namespace vorn::codecs

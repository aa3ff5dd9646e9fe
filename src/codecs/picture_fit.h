#pragma once
// Pictures as the show shows them. A photo is usually many times the size
// of the screen; stretching it there at every frame would cost the whole
// photo's memory and time and, done by the platform's stretch, lose its
// quality. So a picture that is to fill the window is resampled once, when
// it is loaded, to exactly the rectangle it will occupy (FitRect), and the
// transition works on that. A JPEG is decoded no larger than needed for it
// (libjpeg's scaling by 1/2, 1/4 or 1/8) and turned upright as its camera
// recorded (exif_orientation.h).
#include <cstdint>

#include "raster/rect.h"

namespace vorn {

// The window a picture is fitted into; no box (0 x 0) keeps its own size.
struct PictureFit {
  int32_t boxWidth = 0, boxHeight = 0;
  bool fits() const { return boxWidth > 0 && boxHeight > 0; }
  friend bool operator==(const PictureFit&, const PictureFit&) = default;
};

struct PictureSize {
  int32_t width = 0, height = 0;
  friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

namespace codecs {

// The size a w x h picture is shown at: FitRect in the fit's box (at least
// one pixel each way, so a sliver of a picture still shows), or its own.
PictureSize fittedSize(int32_t width, int32_t height, const PictureFit& fit);

// The largest libjpeg denominator (8, 4, 2, else 1) whose output, each side
// w / d rounded up, still covers need x need.
int jpegScaleFor(uint32_t width, uint32_t height, int32_t needWidth, int32_t needHeight);

}  // namespace codecs
}  // namespace vorn

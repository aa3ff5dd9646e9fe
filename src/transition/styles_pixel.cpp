#include <cstring>

#include "transition/frame_context.h"

namespace vorn {

// Until the pixel styles land, the frame is the new picture, like style 0.
void pixelStyle(int, FrameContext& f) {
  for (int32_t y = 0; y < f.g.H; ++y)
    std::memcpy(f.screen.row(y), f.newImage.row(y), size_t(f.g.W) * 3);
}

}  // namespace vorn

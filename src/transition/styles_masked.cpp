#include <memory>

#include "raster/region.h"
#include "transition/frame_context.h"
#include "transition/mask_region.h"
#include "transition/masked_styles.h"

namespace vorn {

// Builds M in picture coordinates; RenderFrame clips ScreenBitmap to it and
// draws the whole new picture through it. A style whose shapes cover nothing
// yet still gets a region (an empty one), so the frame keeps the old picture.
void maskedStyle(int style, FrameContext& f) {
  MaskPlan plan;
  if (!planMaskedStyle(style, f.g, f.random, plan)) return;
  MaskRegionBuilder builder;
  f.M = std::make_unique<Region>(builder.build(plan, f.g.W, f.g.H));
}

}  // namespace vorn

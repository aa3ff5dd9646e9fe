#pragma once
// M of a frame from the shapes its style asked for.
#include <cstdint>

#include "raster/region.h"
#include "transition/mask_plan.h"

namespace vorn {

class MaskRegionBuilder {
 public:
  // The region of `plan` for a W x H picture. Rectangles are clipped to the
  // picture (nothing outside it is ever drawn); the other shapes are kept
  // whole.
  Region build(const MaskPlan& plan, int32_t W, int32_t H);
  Region unionOf(const ShapeUnion& u, int32_t W, int32_t H);

 private:
  // The rectangle sweep's memory, kept from frame to frame.
  Region::SweepScratch scratch_;
};

// The union of many regions, merged pairwise so that each pixel row takes
// part in about log2(n) merges instead of n.
Region uniteAll(std::vector<Region> parts);

}  // namespace vorn

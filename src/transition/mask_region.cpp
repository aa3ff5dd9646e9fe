#include "transition/mask_region.h"

#include <utility>
#include <vector>

namespace vorn {

Region uniteAll(std::vector<Region> parts) {
  if (parts.empty()) return Region();
  while (parts.size() > 1) {
    size_t out = 0;
    for (size_t i = 0; i < parts.size(); i += 2) {
      if (i + 1 < parts.size())
        parts[out++] = Region::combine(parts[i], parts[i + 1], CombineOp::Or);
      else
        parts[out++] = std::move(parts[i]);
    }
    parts.resize(out);
  }
  return std::move(parts.front());
}

Region MaskRegionBuilder::unionOf(const ShapeUnion& u, int32_t W, int32_t H) {
  std::vector<Region> parts;
  parts.reserve(1 + u.roundRects.size() + u.triangles.size());
  if (!u.rects.empty()) {
    uniteRects(u.rects, Rect{0, 0, W, H}, bands_, scratch_);
    parts.push_back(bands_.toRegion());
  }
  for (const RoundRectShape& r : u.roundRects)
    parts.push_back(Region::roundRect(r.left, r.top, r.right, r.bottom, r.ew, r.eh));
  for (const TriangleShape& t : u.triangles)
    parts.push_back(Region::polygon(t.p, 3, PolyFill::Winding));
  return uniteAll(std::move(parts));
}

Region MaskRegionBuilder::build(const MaskPlan& plan, int32_t W, int32_t H) {
  Region m = unionOf(plan.first, W, H);
  switch (plan.join) {
    case MaskJoin::None:
      break;
    case MaskJoin::Intersect:
      m.intersect(unionOf(plan.second, W, H));
      break;
    case MaskJoin::Xor:
      m.xorWith(unionOf(plan.second, W, H));
      break;
  }
  return m;
}

}  // namespace vorn

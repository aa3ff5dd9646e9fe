#include "transition/mask_region.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace vorn {

namespace {

// Triangles of one shape whose first corners lie on one row: the small
// triangles style asks for a hundred of them, ten per row of cells.
struct TriangleRow {
  Point d1, d2;  // second and third corner relative to the first
  int32_t y0;
  std::vector<int32_t> x0s;
  const TriangleShape* first;
};

std::vector<TriangleRow> triangleRows(const std::vector<TriangleShape>& ts) {
  std::vector<TriangleRow> rows;
  for (const TriangleShape& t : ts) {
    const Point d1{t.p[1].x - t.p[0].x, t.p[1].y - t.p[0].y};
    const Point d2{t.p[2].x - t.p[0].x, t.p[2].y - t.p[0].y};
    auto same = [&](const TriangleRow& r) { return r.d1 == d1 && r.d2 == d2 && r.y0 == t.p[0].y; };
    auto it = std::find_if(rows.begin(), rows.end(), same);
    if (it == rows.end()) {
      rows.push_back(TriangleRow{d1, d2, t.p[0].y, {}, &t});
      it = rows.end() - 1;
    }
    it->x0s.push_back(t.p[0].x);
  }
  return rows;
}

// The union of copies of `base` moved right by each of `dxs`. A polygon's
// pixels move with it by whole pixels, so rasterizing once and laying the
// spans side by side gives the same set as rasterizing every copy.
Region sideBySide(const Region& base, const std::vector<int32_t>& dxs) {
  if (dxs.size() == 1 && dxs[0] == 0) return base;
  Region out;
  std::vector<Region::Span> row;
  for (size_t i = 0; i < base.bandCount(); ++i) {
    const Region::Band b = base.band(i);
    row.clear();
    for (int32_t dx : dxs)
      for (const Region::Span* q = b.first; q != b.last; ++q)
        row.push_back(Region::Span{q->left + dx, q->right + dx});
    std::sort(row.begin(), row.end(),
              [](const Region::Span& a, const Region::Span& c) { return a.left < c.left; });
    size_t n = 0;
    for (const Region::Span& q : row) {
      if (n > 0 && q.left <= row[n - 1].right)
        row[n - 1].right = std::max(row[n - 1].right, q.right);
      else
        row[n++] = q;
    }
    out.addBand(b.top, b.bottom, row.data(), n);
  }
  return out;
}

}  // namespace

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
  if (!u.rects.empty()) parts.push_back(Region::fromRects(u.rects.data(), u.rects.size(), Rect{0, 0, W, H}, scratch_));
  for (const RoundRectShape& r : u.roundRects)
    parts.push_back(Region::roundRect(r.left, r.top, r.right, r.bottom, r.ew, r.eh));
  for (const TriangleRow& r : triangleRows(u.triangles)) {
    std::vector<int32_t> dxs;
    dxs.reserve(r.x0s.size());
    for (int32_t x : r.x0s) dxs.push_back(x - r.first->p[0].x);
    parts.push_back(sideBySide(Region::polygon(r.first->p, 3, PolyFill::Winding), dxs));
  }
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

#include "transition/rect_union.h"

#include <algorithm>
#include <climits>

#include "transition/mask_plan.h"

namespace vorn {

namespace {

constexpr auto byLeft = [](const Rect& a, const Rect& b) { return a.left < b.left; };
constexpr auto byTop = [](const Rect& a, const Rect& b) { return a.top < b.top; };

// The builders give their rectangles band by band or column by column, so
// the order asked for is often there already.
template <class It, class Less>
void sortIfNeeded(It first, It last, Less less) {
  if (!std::is_sorted(first, last, less)) std::sort(first, last, less);
}

// Appends the band [top, bottom) with `spans`, or lengthens the previous band
// when it ends at `top` with the same spans.
void emitBand(BandedUnion& out, int32_t top, int32_t bottom, const std::vector<Span>& spans) {
  if (spans.empty()) return;
  if (!out.bands.empty()) {
    SpanBand& last = out.bands.back();
    if (last.bottom == top && last.count == spans.size() &&
        std::equal(spans.begin(), spans.end(), out.spans.begin() + last.first)) {
      last.bottom = bottom;
      return;
    }
  }
  out.bands.push_back(SpanBand{top, bottom, uint32_t(out.spans.size()), uint32_t(spans.size())});
  out.spans.insert(out.spans.end(), spans.begin(), spans.end());
}

// Stable counting sort on the top edge (all tops lie in the clip): rectangles
// that start on the same row keep the builder's order, which is left to right
// for every builder, so the sweep rarely has to sort a row's arrivals.
void sortByTop(std::vector<Rect>& rs, const Rect& clip, RectUnionScratch& scratch) {
  if (std::is_sorted(rs.begin(), rs.end(), byTop)) return;
  const size_t rows = size_t(clip.bottom - clip.top);
  std::vector<uint32_t>& start = scratch.rowStart;
  start.assign(rows + 1, 0);
  for (const Rect& r : rs) ++start[size_t(r.top - clip.top) + 1];
  for (size_t i = 1; i <= rows; ++i) start[i] += start[i - 1];
  std::vector<Rect>& out = scratch.byRow;
  out.resize(rs.size());
  for (const Rect& r : rs) out[start[size_t(r.top - clip.top)]++] = r;
  rs.swap(out);
}

// Puts the arrivals at [before, end) of the active list into its left-edge
// order.
void mergeArrivals(std::vector<Rect>& active, size_t before) {
  sortIfNeeded(active.begin() + ptrdiff_t(before), active.end(), byLeft);
  if (before == 0 || !byLeft(active[before], active[before - 1])) return;
  if (active.size() - before <= 4) {
    // A few arrivals among many: move each into place.
    for (size_t i = before; i < active.size(); ++i) {
      const Rect r = active[i];
      const auto at = std::upper_bound(active.begin(), active.begin() + ptrdiff_t(i), r, byLeft);
      std::move_backward(at, active.begin() + ptrdiff_t(i), active.begin() + ptrdiff_t(i) + 1);
      *at = r;
    }
    return;
  }
  std::inplace_merge(active.begin(), active.begin() + ptrdiff_t(before), active.end(), byLeft);
}

}  // namespace

std::vector<Rect> BandedUnion::rects() const {
  std::vector<Rect> out;
  out.reserve(spans.size());
  for (const SpanBand& b : bands)
    for (uint32_t k = 0; k < b.count; ++k)
      out.push_back(Rect{spans[b.first + k].left, b.top, spans[b.first + k].right, b.bottom});
  return out;
}

int64_t BandedUnion::area() const {
  int64_t sum = 0;
  for (const SpanBand& b : bands)
    for (uint32_t k = 0; k < b.count; ++k)
      sum += int64_t(spans[b.first + k].right - spans[b.first + k].left) * (b.bottom - b.top);
  return sum;
}

Region BandedUnion::toRegion() const {
  Region g;
  for (const SpanBand& b : bands) g.addBand(b.top, b.bottom, spans.data() + b.first, b.count);
  return g;
}

bool BandedUnion::validate() const {
  size_t expectFirst = 0;
  for (size_t i = 0; i < bands.size(); ++i) {
    const SpanBand& b = bands[i];
    if (b.top >= b.bottom || b.count == 0 || b.first != expectFirst) return false;
    if (size_t(b.first) + b.count > spans.size()) return false;
    expectFirst += b.count;
    for (uint32_t k = 0; k < b.count; ++k) {
      const Span& s = spans[b.first + k];
      if (s.left >= s.right) return false;
      if (k > 0 && spans[b.first + k - 1].right >= s.left) return false;
    }
    if (i > 0) {
      const SpanBand& a = bands[i - 1];
      if (a.bottom > b.top) return false;
      if (a.bottom == b.top && a.count == b.count &&
          std::equal(spans.begin() + a.first, spans.begin() + a.first + a.count,
                     spans.begin() + b.first))
        return false;
    }
  }
  return expectFirst == spans.size();
}

void uniteRects(const std::vector<Rect>& rects, const Rect& clip, BandedUnion& out,
                RectUnionScratch& scratch) {
  out.clear();
  std::vector<Rect>& pending = scratch.sorted;
  std::vector<Rect>& active = scratch.active;  // kept sorted by left edge
  std::vector<Span>& merged = scratch.merged;
  pending.clear();
  active.clear();
  for (const Rect& r : rects) {
    const Rect n = intersect(normalizedRect(r), clip);
    if (!n.empty()) pending.push_back(n);
  }
  if (pending.empty()) return;
  sortByTop(pending, clip, scratch);

  size_t next = 0;
  int32_t y = pending[0].top;
  while (next < pending.size() || !active.empty()) {
    if (active.empty() && y < pending[next].top) y = pending[next].top;
    const size_t before = active.size();
    while (next < pending.size() && pending[next].top <= y) active.push_back(pending[next++]);
    if (active.size() != before) mergeArrivals(active, before);
    int32_t bottom = next < pending.size() ? pending[next].top : INT32_MAX;
    merged.clear();
    for (const Rect& a : active) {
      bottom = std::min(bottom, a.bottom);
      if (!merged.empty() && a.left <= merged.back().right)
        merged.back().right = std::max(merged.back().right, a.right);
      else
        merged.push_back(Span{a.left, a.right});
    }
    emitBand(out, y, bottom, merged);
    active.erase(std::remove_if(active.begin(), active.end(),
                                [bottom](const Rect& a) { return a.bottom <= bottom; }),
                 active.end());
    y = bottom;
  }
}

void uniteRects(const std::vector<Rect>& rects, const Rect& clip, BandedUnion& out) {
  RectUnionScratch scratch;
  uniteRects(rects, clip, out, scratch);
}

}  // namespace vorn

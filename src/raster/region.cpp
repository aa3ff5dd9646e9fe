#include "raster/region.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <cstring>
#include <limits>
#include <utility>

namespace vorn {

namespace {

Rect ordered(const Rect& r) {
  return Rect{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
              std::max(r.top, r.bottom)};
}

bool apply(CombineOp op, bool a, bool b) {
  switch (op) {
    case CombineOp::And: return a && b;
    case CombineOp::Or: return a || b;
    case CombineOp::Xor: return a != b;
    case CombineOp::Diff: return a && !b;
    case CombineOp::Copy: return a;
  }
  return false;
}

using Span = Region::Span;

// Spans of one row of the result from the spans of the same row of a and b:
// walk both edge lists in x order and emit an edge whenever the combined
// inside/outside state changes (edges at the same x are taken together, so
// touching spans come out merged).
void mergeSpans(const Span* a, const Span* ae, const Span* b, const Span* be, CombineOp op,
                std::vector<Span>& out) {
  out.clear();
  constexpr int64_t kInf = std::numeric_limits<int64_t>::max();
  bool inA = false, inB = false, inR = false;
  int64_t start = 0;
  for (;;) {
    const int64_t xa = a == ae ? kInf : (inA ? a->right : a->left);
    const int64_t xb = b == be ? kInf : (inB ? b->right : b->left);
    const int64_t x = std::min(xa, xb);
    if (x == kInf) break;
    if (xa == x) {
      if (inA) ++a;
      inA = !inA;
    }
    if (xb == x) {
      if (inB) ++b;
      inB = !inB;
    }
    const bool r = apply(op, inA, inB);
    if (r != inR) {
      if (r)
        start = x;
      else
        out.push_back(Span{int32_t(start), int32_t(x)});
      inR = r;
    }
  }
}

}  // namespace

void Region::appendBand(int32_t top, int32_t bottom, const Span* s, size_t n) {
  if (n == 0 || top >= bottom) return;
  if (!bands_.empty()) {
    BandRec& prev = bands_.back();
    if (prev.bottom == top && prev.last - prev.first == n &&
        std::equal(s, s + n, spans_.begin() + prev.first)) {
      prev.bottom = bottom;
      return;
    }
  }
  const uint32_t first = uint32_t(spans_.size());
  spans_.insert(spans_.end(), s, s + n);
  bands_.push_back(BandRec{top, bottom, first, uint32_t(spans_.size())});
}

Region Region::rect(const Rect& r) {
  Region g;
  const Rect o = ordered(r);
  if (o.empty()) return g;
  const Span s{o.left, o.right};
  g.appendBand(o.top, o.bottom, &s, 1);
  g.checked();
  return g;
}

Region Region::ellipse(const Rect& r) {
  return roundRect(r.left, r.top, r.right, r.bottom, r.right - r.left, r.bottom - r.top);
}

namespace {

constexpr auto byLeft = [](const Rect& a, const Rect& b) { return a.left < b.left; };
constexpr auto byTop = [](const Rect& a, const Rect& b) { return a.top < b.top; };

// Builders give their rectangles band by band or column by column, so the
// order asked for is often there already.
template <class It, class Less>
void sortIfNeeded(It first, It last, Less less) {
  if (!std::is_sorted(first, last, less)) std::sort(first, last, less);
}

// Stable sort on the top edge, by counting when every top lies in `rows`:
// rectangles that start on the same row keep the builder's order, which is
// left to right for every builder, so the sweep rarely has to sort a row's
// arrivals.
void sortByTop(std::vector<Rect>& rs, const Rect* rows, Region::SweepScratch& scratch) {
  if (std::is_sorted(rs.begin(), rs.end(), byTop)) return;
  if (!rows) {
    std::stable_sort(rs.begin(), rs.end(), byTop);
    return;
  }
  const size_t n = size_t(rows->bottom - rows->top);
  std::vector<uint32_t>& start = scratch.rowStart;
  start.assign(n + 1, 0);
  for (const Rect& r : rs) ++start[size_t(r.top - rows->top) + 1];
  for (size_t i = 1; i <= n; ++i) start[i] += start[i - 1];
  std::vector<Rect>& out = scratch.byRow;
  out.resize(rs.size());
  for (const Rect& r : rs) out[start[size_t(r.top - rows->top)]++] = r;
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

// Union of rectangles by one sweep down the rows: the active rectangles are
// kept in left-edge order, and at every row where one starts or ends their
// x ranges are merged into the next band's spans.
Region Region::sweep(SweepScratch& scratch, const Rect* rows) {
  Region g;
  std::vector<Rect>& pending = scratch.sorted;
  std::vector<Rect>& active = scratch.active;
  std::vector<Span>& merged = scratch.merged;
  active.clear();
  if (pending.empty()) return g;
  sortByTop(pending, rows, scratch);
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
    g.appendBand(y, bottom, merged.data(), merged.size());
    active.erase(std::remove_if(active.begin(), active.end(), [bottom](const Rect& a) { return a.bottom <= bottom; }),
                 active.end());
    y = bottom;
  }
  g.checked();
  return g;
}

Region Region::fromRects(const Rect* rects, size_t n) {
  SweepScratch scratch;
  scratch.sorted.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    const Rect o = ordered(rects[i]);
    if (!o.empty()) scratch.sorted.push_back(o);
  }
  return sweep(scratch, nullptr);
}

Region Region::fromRects(const Rect* rects, size_t n, const Rect& clip, SweepScratch& scratch) {
  scratch.sorted.clear();
  for (size_t i = 0; i < n; ++i) {
    const Rect o = vorn::intersect(ordered(rects[i]), clip);
    if (!o.empty()) scratch.sorted.push_back(o);
  }
  return sweep(scratch, &clip);
}

void Region::addRect(const Rect& r) {
  const Rect o = ordered(r);
  if (o.empty()) return;
  const Span s{o.left, o.right};
  addBand(o.top, o.bottom, &s, 1);
}

void Region::addBand(int32_t top, int32_t bottom, const Span* s, size_t n) {
  if (top >= bottom || n == 0) return;
  if (bands_.empty() || top >= bands_.back().bottom) {
    appendBand(top, bottom, s, n);
    checked();
    return;
  }
  Region band;
  band.appendBand(top, bottom, s, n);
  unite(band);
}

void Region::checked() const { assert(validate()); }

Region Region::combine(const Region& a, const Region& b, CombineOp op) {
  if (op == CombineOp::Copy) return a;
  Region g;
  std::vector<Span> row;
  const size_t na = a.bands_.size(), nb = b.bands_.size();
  size_t ia = 0, ib = 0;
  constexpr int64_t kInf = std::numeric_limits<int64_t>::max();
  int64_t y = std::numeric_limits<int64_t>::min();
  g.bands_.reserve(na + nb);
  while (ia < na || ib < nb) {
    const int64_t aTop = ia < na ? a.bands_[ia].top : kInf;
    const int64_t bTop = ib < nb ? b.bands_[ib].top : kInf;
    y = std::max(y, std::min(aTop, bTop));
    const bool aOn = aTop <= y, bOn = bTop <= y;
    const int64_t aEnd = aOn ? a.bands_[ia].bottom : aTop;
    const int64_t bEnd = bOn ? b.bands_[ib].bottom : bTop;
    const int64_t yEnd = std::min(aEnd, bEnd);
    const Span* as = aOn ? a.spans_.data() + a.bands_[ia].first : nullptr;
    const Span* ae = aOn ? a.spans_.data() + a.bands_[ia].last : nullptr;
    const Span* bs = bOn ? b.spans_.data() + b.bands_[ib].first : nullptr;
    const Span* be = bOn ? b.spans_.data() + b.bands_[ib].last : nullptr;
    bool any = true;
    if (!bOn) {
      // Only a is present here: the result is a or nothing.
      any = apply(op, true, false);
      if (any) g.appendBand(int32_t(y), int32_t(yEnd), as, size_t(ae - as));
    } else if (!aOn) {
      any = apply(op, false, true);
      if (any) g.appendBand(int32_t(y), int32_t(yEnd), bs, size_t(be - bs));
    } else {
      mergeSpans(as, ae, bs, be, op, row);
      g.appendBand(int32_t(y), int32_t(yEnd), row.data(), row.size());
    }
    y = yEnd;
    if (aOn && a.bands_[ia].bottom == y) ++ia;
    if (bOn && b.bands_[ib].bottom == y) ++ib;
    // Nothing more can come out of an intersection or difference once a or
    // b (for And) has run out.
    if ((op == CombineOp::And && (ia == na || ib == nb)) || (op == CombineOp::Diff && ia == na))
      break;
  }
  g.checked();
  return g;
}

void Region::unite(const Region& o) { *this = combine(*this, o, CombineOp::Or); }
void Region::intersect(const Region& o) { *this = combine(*this, o, CombineOp::And); }
void Region::xorWith(const Region& o) { *this = combine(*this, o, CombineOp::Xor); }
void Region::subtract(const Region& o) { *this = combine(*this, o, CombineOp::Diff); }

void Region::clear() {
  bands_.clear();
  spans_.clear();
}

namespace {
int32_t clampShift(int32_t v, int32_t d) {
  const int64_t s = int64_t(v) + d;
  return int32_t(std::clamp<int64_t>(s, INT32_MIN, INT32_MAX));
}
}  // namespace

void Region::offset(int32_t dx, int32_t dy) {
  if (bands_.empty() || (dx == 0 && dy == 0)) return;
  const Rect b = bounds();
  const bool fits = int64_t(b.left) + dx >= INT32_MIN && int64_t(b.right) + dx <= INT32_MAX &&
                    int64_t(b.top) + dy >= INT32_MIN && int64_t(b.bottom) + dy <= INT32_MAX;
  if (fits) {
    for (BandRec& r : bands_) {
      r.top += dy;
      r.bottom += dy;
    }
    for (Span& s : spans_) {
      s.left += dx;
      s.right += dx;
    }
    checked();
    return;
  }
  // Pushed past the coordinate range: what falls off the edge is lost.
  std::vector<Rect> rs;
  for (const Rect& r : rects())
    rs.push_back(Rect{clampShift(r.left, dx), clampShift(r.top, dy), clampShift(r.right, dx),
                      clampShift(r.bottom, dy)});
  *this = fromRects(rs.data(), rs.size());
}

bool Region::empty() const {
  return bands_.empty();
}

Rect Region::bounds() const {
  if (bands_.empty()) return Rect{};
  int32_t l = INT32_MAX, r = INT32_MIN;
  for (const BandRec& b : bands_) {
    l = std::min(l, spans_[b.first].left);
    r = std::max(r, spans_[b.last - 1].right);
  }
  return Rect{l, bands_.front().top, r, bands_.back().bottom};
}

size_t Region::firstBandBelow(int32_t y) const {
  auto it = std::upper_bound(bands_.begin(), bands_.end(), y,
                             [](int32_t v, const BandRec& b) { return v < b.bottom; });
  return size_t(it - bands_.begin());
}

bool Region::contains(int32_t x, int32_t y) const {
  const size_t i = firstBandBelow(y);
  if (i == bands_.size() || bands_[i].top > y) return false;
  const Span* s = spans_.data() + bands_[i].first;
  const Span* e = spans_.data() + bands_[i].last;
  auto it = std::upper_bound(s, e, x, [](int32_t v, const Span& sp) { return v < sp.right; });
  return it != e && it->left <= x;
}

bool Region::validate() const {
  uint32_t expect = 0;
  for (size_t i = 0; i < bands_.size(); ++i) {
    const BandRec& b = bands_[i];
    if (b.top >= b.bottom || b.first != expect || b.last <= b.first || b.last > spans_.size())
      return false;
    expect = b.last;
    for (uint32_t k = b.first; k < b.last; ++k) {
      if (spans_[k].left >= spans_[k].right) return false;
      if (k > b.first && spans_[k - 1].right >= spans_[k].left) return false;
    }
    if (i > 0) {
      const BandRec& p = bands_[i - 1];
      if (p.bottom > b.top) return false;
      if (p.bottom == b.top && p.last - p.first == b.last - b.first &&
          std::equal(spans_.begin() + p.first, spans_.begin() + p.last, spans_.begin() + b.first))
        return false;
    }
  }
  return expect == spans_.size();
}

std::vector<Rect> Region::rects() const {
  std::vector<Rect> out;
  out.reserve(spans_.size());
  for (const BandRec& b : bands_)
    for (uint32_t k = b.first; k < b.last; ++k)
      out.push_back(Rect{spans_[k].left, b.top, spans_[k].right, b.bottom});
  return out;
}

size_t Region::bandCount() const {
  return bands_.size();
}

Region::Band Region::band(size_t i) const {
  const BandRec& b = bands_[i];
  return Band{b.top, b.bottom, spans_.data() + b.first, spans_.data() + b.last};
}

bool operator==(const Region& a, const Region& b) {
  if (a.bands_.size() != b.bands_.size() || a.spans_ != b.spans_) return false;
  for (size_t i = 0; i < a.bands_.size(); ++i) {
    const auto &x = a.bands_[i], &y = b.bands_[i];
    if (x.top != y.top || x.bottom != y.bottom || x.first != y.first || x.last != y.last) return false;
  }
  return true;
}

}  // namespace vorn

#include "raster/region.h"

#include <algorithm>
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
  return g;
}

Region Region::ellipse(const Rect& r) {
  return roundRect(r.left, r.top, r.right, r.bottom, r.right - r.left, r.bottom - r.top);
}

// Union of rectangles by one sweep down the picture: at every row where a
// rectangle starts or ends, the active rectangles' x ranges are sorted and
// merged into the band's spans.
Region Region::sweep(std::vector<Rect>& rs) {
  Region g;
  rs.erase(std::remove_if(rs.begin(), rs.end(), [](const Rect& r) { return r.empty(); }), rs.end());
  if (rs.empty()) return g;
  std::sort(rs.begin(), rs.end(), [](const Rect& a, const Rect& b) { return a.top < b.top; });
  std::vector<int32_t> ys;
  ys.reserve(rs.size() * 2);
  for (const Rect& r : rs) {
    ys.push_back(r.top);
    ys.push_back(r.bottom);
  }
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
  std::vector<Rect> active;
  std::vector<Span> xs, merged;
  size_t next = 0;
  for (size_t k = 0; k + 1 < ys.size(); ++k) {
    const int32_t y0 = ys[k], y1 = ys[k + 1];
    active.erase(std::remove_if(active.begin(), active.end(),
                                [y0](const Rect& r) { return r.bottom <= y0; }),
                 active.end());
    while (next < rs.size() && rs[next].top == y0) active.push_back(rs[next++]);
    if (active.empty()) continue;
    xs.clear();
    for (const Rect& r : active) xs.push_back(Span{r.left, r.right});
    std::sort(xs.begin(), xs.end(), [](const Span& a, const Span& b) { return a.left < b.left; });
    merged.clear();
    for (const Span& s : xs) {
      if (!merged.empty() && s.left <= merged.back().right)
        merged.back().right = std::max(merged.back().right, s.right);
      else
        merged.push_back(s);
    }
    g.appendBand(y0, y1, merged.data(), merged.size());
  }
  return g;
}

Region Region::fromRects(const Rect* rects, size_t n) {
  std::vector<Rect> rs;
  rs.reserve(n);
  for (size_t i = 0; i < n; ++i) rs.push_back(ordered(rects[i]));
  return sweep(rs);
}

void Region::settle() const {
  if (pending_.empty()) return;
  std::vector<Rect> rs;
  rs.swap(pending_);
  Region add = sweep(rs);
  Region& self = const_cast<Region&>(*this);
  if (bands_.empty()) {
    self.bands_ = std::move(add.bands_);
    self.spans_ = std::move(add.spans_);
  } else {
    Region base;
    base.bands_ = std::move(self.bands_);
    base.spans_ = std::move(self.spans_);
    Region u = combine(base, add, CombineOp::Or);
    self.bands_ = std::move(u.bands_);
    self.spans_ = std::move(u.spans_);
  }
}

void Region::addRect(const Rect& r) {
  const Rect o = ordered(r);
  if (o.empty()) return;
  if (pending_.empty()) {
    if (bands_.empty() || o.top >= bands_.back().bottom) {
      const Span s{o.left, o.right};
      appendBand(o.top, o.bottom, &s, 1);
      return;
    }
  }
  pending_.push_back(o);
}

void Region::addBand(int32_t top, int32_t bottom, const Span* s, size_t n) {
  if (top >= bottom) return;
  if (pending_.empty() && (bands_.empty() || top >= bands_.back().bottom)) {
    appendBand(top, bottom, s, n);
    return;
  }
  for (size_t i = 0; i < n; ++i) addRect(Rect{s[i].left, top, s[i].right, bottom});
}

Region Region::combine(const Region& a, const Region& b, CombineOp op) {
  a.settle();
  b.settle();
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
  return g;
}

void Region::unite(const Region& o) { *this = combine(*this, o, CombineOp::Or); }
void Region::intersect(const Region& o) { *this = combine(*this, o, CombineOp::And); }
void Region::xorWith(const Region& o) { *this = combine(*this, o, CombineOp::Xor); }
void Region::subtract(const Region& o) { *this = combine(*this, o, CombineOp::Diff); }

void Region::clear() {
  bands_.clear();
  spans_.clear();
  pending_.clear();
}

namespace {
int32_t clampShift(int32_t v, int32_t d) {
  const int64_t s = int64_t(v) + d;
  return int32_t(std::clamp<int64_t>(s, INT32_MIN, INT32_MAX));
}
}  // namespace

void Region::offset(int32_t dx, int32_t dy) {
  settle();
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
    return;
  }
  // Pushed past the coordinate range: what falls off the edge is lost.
  std::vector<Rect> rs;
  for (const Rect& r : rects())
    rs.push_back(Rect{clampShift(r.left, dx), clampShift(r.top, dy), clampShift(r.right, dx),
                      clampShift(r.bottom, dy)});
  *this = sweep(rs);
}

bool Region::empty() const {
  settle();
  return bands_.empty();
}

Rect Region::bounds() const {
  settle();
  if (bands_.empty()) return Rect{};
  int32_t l = INT32_MAX, r = INT32_MIN;
  for (const BandRec& b : bands_) {
    l = std::min(l, spans_[b.first].left);
    r = std::max(r, spans_[b.last - 1].right);
  }
  return Rect{l, bands_.front().top, r, bands_.back().bottom};
}

size_t Region::firstBandBelow(int32_t y) const {
  settle();
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
  settle();
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
  settle();
  std::vector<Rect> out;
  out.reserve(spans_.size());
  for (const BandRec& b : bands_)
    for (uint32_t k = b.first; k < b.last; ++k)
      out.push_back(Rect{spans_[k].left, b.top, spans_[k].right, b.bottom});
  return out;
}

size_t Region::bandCount() const {
  settle();
  return bands_.size();
}

Region::Band Region::band(size_t i) const {
  settle();
  const BandRec& b = bands_[i];
  return Band{b.top, b.bottom, spans_.data() + b.first, spans_.data() + b.last};
}

bool operator==(const Region& a, const Region& b) {
  a.settle();
  b.settle();
  if (a.bands_.size() != b.bands_.size() || a.spans_ != b.spans_) return false;
  for (size_t i = 0; i < a.bands_.size(); ++i) {
    const auto &x = a.bands_[i], &y = b.bands_[i];
    if (x.top != y.top || x.bottom != y.bottom || x.first != y.first || x.last != y.last) return false;
  }
  return true;
}

}  // namespace vorn

// Rounded rectangles, ellipses and polygons with the platform's pixel rules.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "raster/ellipse_rows.h"
#include "raster/region.h"

namespace vorn {

namespace {

}  // namespace

// The outline is the midpoint walk that starts at the widest rows and steps
// outward row by row and inward column by column as the error term says; a
// row's inset is the column where the walk first reaches it. When one step
// moves to a new row and then inward only because the error has grown past
// the row increment, the new row still takes the column before that inward
// move (the platform's outline does so). Flat ellipses whose walk ends before
// the tips get their tips one column outside the last column reached.
EllipseRows ellipseRows(int32_t w, int32_t h) {
  EllipseRows out;
  std::vector<int32_t>& inset = out.inset;
  inset.assign(size_t(h), -1);
  const int64_t a0 = w - 1, b = h - 1, b1 = b & 1;
  int64_t dx = 4 * (1 - a0) * b * b, dy = 4 * (b1 + 1) * a0 * a0;
  int64_t err = dx + dy + b1 * a0 * a0;
  int64_t x0 = 0, x1 = a0;
  int64_t ya = (b + 1) / 2, yb = ya - b1;
  const int64_t a8 = 8 * a0 * a0, b8 = 8 * b * b;
  auto mark = [&](int64_t y, int64_t x) {
    if (y >= 0 && y < h && inset[size_t(y)] < 0) inset[size_t(y)] = int32_t(x);
  };
  do {
    mark(ya, x0);
    mark(yb, x0);
    const int64_t e2 = 2 * err;
    bool newRow = false;
    if (e2 <= dy) {
      ++ya;
      --yb;
      dy += a8;
      err += dy;
      newRow = true;
    }
    const bool byColumn = e2 >= dx, byRow = 2 * err > dy;
    if (byColumn || byRow) {
      if (newRow && !byColumn) {
        mark(ya, x0);
        mark(yb, x0);
      }
      ++x0;
      --x1;
      dx += b8;
      err += dx;
    }
  } while (x0 <= x1);
  for (int32_t v : inset) out.tipRows += v < 0;
  out.tipRows /= 2;
  while (ya - yb < b) {
    mark(ya++, x0 - 1);
    mark(yb--, x0 - 1);
  }
  for (int32_t& v : inset)
    if (v < 0) v = int32_t(x0 - 1);
  return out;
}

namespace {

struct Edge {
  int64_t x1, y1, x2, y2;  // y1 < y2
  int dir;                 // +1 downward in the point list, -1 upward
};

// Column where an edge crosses row y, rounded up: pixels are sampled at
// their integer coordinates, a pixel whose point lies on a left edge is in,
// on a right edge out. Exact in 64 bits for any 32-bit coordinates.
int64_t crossing(const Edge& e, int64_t y) {
  const int64_t t = y - e.y1, dy = e.y2 - e.y1, dx = e.x2 - e.x1;
  int64_t q = dx / dy, r = dx % dy;
  if (r < 0) {
    r += dy;
    --q;
  }
  const uint64_t num = uint64_t(t) * uint64_t(r);
  const int64_t whole = int64_t(num / uint64_t(dy));
  const bool frac = num % uint64_t(dy) != 0;
  return e.x1 + t * q + whole + (frac ? 1 : 0);
}

int32_t clamp32(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

}  // namespace

Region Region::roundRect(int32_t l, int32_t t, int32_t r, int32_t b, int32_t ew, int32_t eh) {
  // The platform leaves out the last column and row of the bounding box, and
  // orders the corners again afterwards, so an empty box still yields the
  // pixel just above and left of it.
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  r = int32_t(int64_t(r) - 1 < INT32_MIN ? INT32_MIN : r - 1);
  b = int32_t(int64_t(b) - 1 < INT32_MIN ? INT32_MIN : b - 1);
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  const int64_t w = int64_t(r) - l, h = int64_t(b) - t;
  int64_t cw = std::llabs(int64_t(ew)), chh = std::llabs(int64_t(eh));
  cw = std::min(cw, w);
  chh = std::min(chh, h);
  if (cw < 2 || chh < 2) return rect(Rect{l, t, r, b});
  const std::vector<int32_t> inset = ellipseRows(int32_t(cw), int32_t(chh)).inset;
  Region g;
  // The upper half of the ellipse rounds the top corners, the lower half the
  // bottom ones; the rows between them are the full width.
  const int32_t lower = int32_t(chh / 2);        // the last `lower` rows of the ellipse
  const int32_t upper = int32_t(chh) - lower;    // its first rows, with the middle row when odd
  std::vector<Rect> rows;
  auto row = [&](int64_t y, int32_t in) {
    const Span s{clamp32(l + int64_t(in)), clamp32(r - int64_t(in))};
    if (s.left < s.right) g.appendBand(int32_t(y), int32_t(y + 1), &s, 1);
  };
  for (int32_t k = 0; k < upper; ++k) row(int64_t(t) + k, inset[size_t(k)]);
  if (h - upper - lower > 0) {
    const Span s{l, r};
    g.appendBand(int32_t(t + upper), int32_t(b - lower), &s, 1);
  }
  for (int32_t k = int32_t(chh) - lower; k < chh; ++k)
    row(int64_t(b) - (chh - k), inset[size_t(k)]);
  g.checked();
  return g;
}

Region Region::polygon(const Point* pts, size_t n, PolyFill fill) {
  Region g;
  if (n < 3 || pts == nullptr) return g;
  std::vector<Edge> edges;
  edges.reserve(n);
  int64_t ymin = INT64_MAX, ymax = INT64_MIN;
  for (size_t i = 0; i < n; ++i) {
    const Point& p = pts[i];
    const Point& q = pts[(i + 1) % n];
    if (p.y == q.y) continue;
    Edge e = p.y < q.y ? Edge{p.x, p.y, q.x, q.y, 1} : Edge{q.x, q.y, p.x, p.y, -1};
    ymin = std::min(ymin, e.y1);
    ymax = std::max(ymax, e.y2);
    edges.push_back(e);
  }
  if (edges.empty()) return g;
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.y1 < b.y1; });
  struct Cross {
    int64_t x;
    int dir;
  };
  std::vector<Cross> xs;
  std::vector<Span> spans;
  std::vector<const Edge*> active;
  size_t next = 0;
  for (int64_t y = ymin; y < ymax; ++y) {
    active.erase(std::remove_if(active.begin(), active.end(), [y](const Edge* e) { return e->y2 <= y; }),
                 active.end());
    while (next < edges.size() && edges[next].y1 <= y) active.push_back(&edges[next++]);
    xs.clear();
    for (const Edge* e : active) xs.push_back(Cross{crossing(*e, y), e->dir});
    std::sort(xs.begin(), xs.end(), [](const Cross& a, const Cross& b) { return a.x < b.x; });
    spans.clear();
    auto put = [&](int64_t a, int64_t b) {
      if (a >= b) return;
      const int32_t l = clamp32(a), r = clamp32(b);
      if (!spans.empty() && spans.back().right >= l)
        spans.back().right = std::max(spans.back().right, r);
      else
        spans.push_back(Span{l, r});
    };
    if (fill == PolyFill::Alternate) {
      for (size_t i = 0; i + 1 < xs.size(); i += 2) put(xs[i].x, xs[i + 1].x);
    } else {
      int wind = 0;
      int64_t start = 0;
      for (const Cross& c : xs) {
        const int before = wind;
        wind += c.dir;
        if (before == 0 && wind != 0) start = c.x;
        if (before != 0 && wind == 0) put(start, c.x);
      }
    }
    g.appendBand(int32_t(y), int32_t(y + 1), spans.data(), spans.size());
  }
  g.checked();
  return g;
}

}  // namespace vorn

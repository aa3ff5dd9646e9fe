#include "transition/styles_rectangle.h"

#include <algorithm>
#include <optional>

#include "raster/canvas.h"

namespace vorn {

namespace {

using G = FrameGeometry;
using RectFn = Rect (*)(const G&);

// A copy of a style: destination and source formulas; a null source means
// R = D (that part of the new picture uncovered in place).
struct CopyRow {
  RectFn D;
  RectFn R = nullptr;
  Mirror mirror = Mirror::None;
};

struct StyleRow {
  CopyRow final;
  CopyRow extra[3] = {};
  int extras = 0;
};

Rect whole(const G& g) { return {0, 0, g.W, g.H}; }

// Fold widths: the mirrored strip ahead of the edge is half the uncovered
// part near the start, half the rest near the end, a tenth otherwise.
int32_t foldX(const G& g) {
  if (g.X < g.W / 5) return g.X / 2;
  if (g.W < g.X + g.W / 5) return (g.W - g.X) / 2;
  return g.W / 10;
}
int32_t foldY(const G& g) {
  if (g.Y < g.H / 5) return g.Y / 2;
  if (g.H < g.Y + g.H / 5) return (g.H - g.Y) / 2;
  return g.H / 10;
}

#define RECT(l, t, r, b) [](const G& g) { return Rect{l, t, r, b}; }

// Row k is style k + 1. Extra copies are made in the order listed.
const StyleRow kStyles[57] = {
    // --- horizontal -------------------------------------------------------
    /*  1 squeeze */ {{RECT(g.W - g.X, 0, g.W, g.H), whole}},
    /*  2 squeeze */ {{RECT(0, 0, g.X, g.H), whole}},
    /*  3 slide   */ {{RECT(g.W - g.X, 0, 2 * g.W - g.X, g.H), whole}},
    /*  4 slide   */ {{RECT(g.X - g.W, 0, g.X, g.H), whole}},
    /*  5 uncover */ {{RECT(0, 0, g.X, g.H)}},
    /*  6 uncover */ {{RECT(g.W - g.X, 0, g.W, g.H)}},
    /*  7 reach   */ {{RECT(0, 0, 2 * g.W - g.X, g.H), RECT(0, 0, g.X, g.H)}},
    /*  8 reach   */ {{RECT(g.X - g.W, 0, g.W, g.H), RECT(g.W - g.X, 0, g.W, g.H)}},
    /*  9 reach   */ {{RECT(g.X - g.W, 0, 2 * g.W - g.X, g.H), RECT(g.a, 0, g.b, g.H)}},
    /* 10 squeeze */ {{RECT(g.a, 0, g.b, g.H), whole}},
    /* 11 uncover */ {{RECT(g.a, 0, g.b, g.H)}},
    /* 12 uncover */ {{RECT(g.W - g.hx - 1, 0, g.W, g.H)}, {{RECT(0, 0, g.hx + 1, g.H)}}, 1},
    /* 13 two-sided squeeze */
    {{RECT(g.W - g.hx - 1, 0, g.W, g.H), RECT(g.cw, 0, g.W, g.H)},
     {{RECT(0, 0, g.hx + 1, g.H), RECT(0, 0, g.cw + 1, g.H)}},
     1},
    /* 14 fold */
    {{RECT(0, 0, g.X, g.H)},
     {{RECT(g.X, 0, g.X + foldX(g), g.H), RECT(g.X + foldX(g), 0, g.X + 2 * foldX(g), g.H),
       Mirror::LeftRight}},
     1},
    /* 15 fold */
    {{RECT(g.W - g.X, 0, g.W, g.H)},
     {{RECT(g.W - g.X - foldX(g), 0, g.W - g.X, g.H),
       RECT(g.W - g.X - 2 * foldX(g), 0, g.W - g.X - foldX(g), g.H), Mirror::LeftRight}},
     1},
    /* 16 smear */
    {{RECT(g.X, 0, g.W, g.H), RECT(g.X, 0, g.X + g.W / 20, g.H)}, {{RECT(0, 0, g.X, g.H)}}, 1},
    /* 17 smear */
    {{RECT(0, 0, g.W - g.X, g.H), RECT(g.W - g.X - g.W / 20, 0, g.W - g.X, g.H)},
     {{RECT(g.W - g.X, 0, g.W, g.H)}},
     1},
    // --- vertical ---------------------------------------------------------
    /* 18 squeeze */ {{RECT(0, g.H - g.Y, g.W, g.H), whole}},
    /* 19 squeeze */ {{RECT(0, 0, g.W, g.Y), whole}},
    /* 20 slide   */ {{RECT(0, g.H - g.Y, g.W, 2 * g.H - g.Y), whole}},
    /* 21 slide   */ {{RECT(0, g.Y - g.H, g.W, g.Y), whole}},
    /* 22 uncover */ {{RECT(0, 0, g.W, g.Y)}},
    /* 23 uncover */ {{RECT(0, g.H - g.Y, g.W, g.H)}},
    /* 24 reach   */ {{RECT(0, 0, g.W, 2 * g.H - g.Y), RECT(0, 0, g.W, g.Y)}},
    /* 25 reach   */ {{RECT(0, g.Y - g.H, g.W, g.H), RECT(0, g.H - g.Y, g.W, g.H)}},
    /* 26 reach   */ {{RECT(0, g.Y - g.H, g.W, 2 * g.H - g.Y), RECT(0, g.c, g.W, g.d)}},
    /* 27 squeeze */ {{RECT(0, g.c, g.W, g.d), whole}},
    /* 28 uncover */ {{RECT(0, g.c, g.W, g.d)}},
    /* 29 uncover */ {{RECT(0, g.H - g.hy - 1, g.W, g.H)}, {{RECT(0, 0, g.W, g.hy + 1)}}, 1},
    /* 30 two-sided squeeze */
    {{RECT(0, g.H - g.hy - 1, g.W, g.H), RECT(0, g.ch, g.W, g.H)},
     {{RECT(0, 0, g.W, g.hy + 1), RECT(0, 0, g.W, g.ch + 1)}},
     1},
    /* 31 fold */
    {{RECT(0, 0, g.W, g.Y)},
     {{RECT(0, g.Y, g.W, g.Y + foldY(g)), RECT(0, g.Y + foldY(g), g.W, g.Y + 2 * foldY(g)),
       Mirror::TopBottom}},
     1},
    /* 32 fold */
    {{RECT(0, g.H - g.Y, g.W, g.H)},
     {{RECT(0, g.H - g.Y - foldY(g), g.W, g.H - g.Y),
       RECT(0, g.H - g.Y - 2 * foldY(g), g.W, g.H - g.Y - foldY(g)), Mirror::TopBottom}},
     1},
    /* 33 smear */
    {{RECT(0, g.Y, g.W, g.H), RECT(0, g.Y, g.W, g.Y + g.H / 20)}, {{RECT(0, 0, g.W, g.Y)}}, 1},
    /* 34 smear */
    {{RECT(0, 0, g.W, g.H - g.Y), RECT(0, g.H - g.Y - g.H / 20, g.W, g.H - g.Y)},
     {{RECT(0, g.H - g.Y, g.W, g.H)}},
     1},
    // --- corners and centre -------------------------------------------------
    /* 35 squeeze */ {{RECT(g.W - g.X, g.H - g.Y, g.W, g.H), whole}},
    /* 36 squeeze */ {{RECT(g.W - g.X, 0, g.W, g.Y), whole}},
    /* 37 squeeze */ {{RECT(0, 0, g.X, g.Y), whole}},
    /* 38 squeeze */ {{RECT(0, g.H - g.Y, g.X, g.H), whole}},
    /* 39 slide   */ {{RECT(g.W - g.X, g.H - g.Y, 2 * g.W - g.X, 2 * g.H - g.Y), whole}},
    /* 40 slide   */ {{RECT(g.W - g.X, g.Y - g.H, 2 * g.W - g.X, g.Y), whole}},
    /* 41 slide   */ {{RECT(g.X - g.W, g.Y - g.H, g.X, g.Y), whole}},
    /* 42 slide   */ {{RECT(g.X - g.W, g.H - g.Y, g.X, 2 * g.H - g.Y), whole}},
    /* 43 uncover */ {{RECT(0, 0, g.X, g.Y)}},
    /* 44 uncover */ {{RECT(0, g.H - g.Y, g.X, g.H)}},
    /* 45 uncover */ {{RECT(g.W - g.X, g.H - g.Y, g.W, g.H)}},
    /* 46 uncover */ {{RECT(g.W - g.X, 0, g.W, g.Y)}},
    /* 47 reach   */ {{RECT(0, 0, 2 * g.W - g.X, 2 * g.H - g.Y), RECT(0, 0, g.X, g.Y)}},
    /* 48 reach   */ {{RECT(0, g.Y - g.H, 2 * g.W - g.X, g.H), RECT(0, g.H - g.Y, g.X, g.H)}},
    /* 49 reach   */ {{RECT(g.X - g.W, g.Y - g.H, g.W, g.H), RECT(g.W - g.X, g.H - g.Y, g.W, g.H)}},
    /* 50 reach   */ {{RECT(g.X - g.W, 0, g.W, 2 * g.H - g.Y), RECT(g.W - g.X, 0, g.W, g.Y)}},
    /* 51 reach   */
    {{RECT(g.X - g.W, g.Y - g.H, 2 * g.W - g.X, 2 * g.H - g.Y), RECT(g.a, g.c, g.b, g.d)}},
    /* 52 squeeze */ {{RECT(g.a, g.c, g.b, g.d), whole}},
    /* 53 uncover */ {{RECT(g.a, g.c, g.b, g.d)}},
    /* 54 uncover */
    {{RECT(g.W - g.hx, 0, g.W, g.H)},
     {{RECT(0, 0, g.W, g.hy)}, {RECT(0, g.H - g.hy, g.W, g.H)}, {RECT(0, 0, g.hx, g.H)}},
     3},
    /* 55 uncover */
    {{RECT(g.W - g.hx - 1, 0, g.W, g.hy + 1)},
     {{RECT(0, 0, g.hx + 1, g.hy + 1)},
      {RECT(0, g.H - g.hy - 1, g.hx + 1, g.H)},
      {RECT(g.W - g.hx - 1, g.H - g.hy - 1, g.W, g.H)}},
     3},
    /* 56 four-quarter squeeze */
    {{RECT(g.W - g.hx, 0, g.W, g.hy + 1), RECT(g.cw + 1, 0, g.W, g.ch + 1)},
     {{RECT(0, 0, g.hx + 1, g.hy + 1), RECT(0, 0, g.cw + 1, g.ch + 1)},
      {RECT(0, g.H - g.hy, g.hx + 1, g.H), RECT(0, g.ch + 1, g.cw + 1, g.H)},
      {RECT(g.W - g.hx, g.H - g.hy, g.W, g.H), RECT(g.cw + 1, g.ch + 1, g.W, g.H)}},
     3},
    /* 57 four-quarter slide */
    {{RECT(0, g.H - g.hy, g.cw + 1, g.H + (g.H - g.Y) / 2), RECT(0, g.ch + 1, g.cw + 1, g.H)},
     {{RECT((g.X - g.W) / 2, 0, g.hx + 1, g.ch + 1), RECT(0, 0, g.cw + 1, g.ch + 1)},
      {RECT(g.cw - 1, (g.Y - g.H) / 2, g.W, g.hy + 1), RECT(g.cw - 1, 0, g.W, g.ch + 1)},
      {RECT(g.W - g.hx, g.ch - 1, g.W + g.a, g.H), RECT(g.cw + 1, g.ch - 1, g.W, g.H)}},
     3},
};

#undef RECT

RectCopy evaluate(const CopyRow& row, const G& g) {
  const Rect D = row.D(g);
  return RectCopy{D, row.R ? row.R(g) : D, row.mirror};
}

// MirrorStretchCopy: the source is clipped to the bitmap first; the
// reversed destination then draws it mirrored.
void MirrorStretchCopy(Canvas& target, const Rect& D, const Bitmap24& source, Mirror mirror, const Rect& R) {
  const Rect src = intersect(R, Rect{0, 0, source.width(), source.height()});
  if (src.empty()) return;
  target.stretchCopy(mirroredDestination(D, mirror), source, src);
}

}  // namespace

Rect mirroredDestination(const Rect& D, Mirror mirror) {
  switch (mirror) {
    case Mirror::LeftRight:
      return Rect{D.right + 1, D.top, D.left - 1, D.bottom};
    case Mirror::TopBottom:
      return Rect{D.left, D.bottom + 1, D.right, D.top - 1};
    case Mirror::None:
      break;
  }
  return D;
}

Rect coveredArea(const RectCopy& c) {
  // A stretch from x with a negative extent -w covers x - w + 1 .. x.
  const Rect d = mirroredDestination(c.D, c.mirror);
  Rect r = d;
  if (d.right < d.left) r.left = d.right + 1, r.right = d.left + 1;
  if (d.bottom < d.top) r.top = d.bottom + 1, r.bottom = d.top + 1;
  return r;
}

size_t rectangleCopies(int style, const FrameGeometry& g, RectCopy out[kMaxRectCopies]) {
  if (style < 1 || style > 57) return 0;
  const StyleRow& row = kStyles[style - 1];
  size_t n = 0;
  for (int i = 0; i < row.extras; ++i) out[n++] = evaluate(row.extra[i], g);
  out[n++] = evaluate(row.final, g);
  return n;
}

void rectangleStyle(int style, FrameContext& f) {
  RectCopy copies[kMaxRectCopies];
  const size_t n = rectangleCopies(style, f.g, copies);
  if (n == 0) return;
  std::optional<Canvas> own;
  Canvas& screen = f.canvas ? *f.canvas : own.emplace(f.screen);
  for (size_t i = 0; i + 1 < n; ++i) {
    const RectCopy& c = copies[i];
    if (c.mirror == Mirror::None)
      screen.stretchCopy(c.D, f.newImage, c.R);
    else
      MirrorStretchCopy(screen, c.D, f.newImage, c.mirror, c.R);
    // What the mirrored copy reaches past its destination must reach the
    // screen as well, so the covered area is invalidated, not only D.
    if (f.invalidate) f.invalidate(coveredArea(c));
  }
  f.D = copies[n - 1].D;
  f.R = copies[n - 1].R;
}

}  // namespace vorn

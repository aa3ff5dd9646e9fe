#include "transition/masked_styles.h"

#include "raster/muldiv.h"
#include "transition/style_catalogue.h"
#include "transition/region_builders.h"

namespace vorn {

namespace {

// Styles that share a builder are rows of a table: the tooth or band lengths
// are multiples of X and Y (0, 1 or 2), then the kinds per axis.
struct BandStyle {
  int style;
  int8_t aTimesX, bTimesY;
  int8_t hk, vk;
  bool snap;  // comb styles: s = S, otherwise 0
};

constexpr BandStyle kCombStyles[] = {
    {60, 2, 0, 1, 0, true},  {61, 2, 0, 2, 0, true},  {62, 2, 0, 4, 0, true},
    {63, 2, 0, 5, 0, true},  {64, 1, 0, 3, 0, false}, {71, 0, 2, 0, 1, true},
    {72, 0, 2, 0, 2, true},  {73, 0, 2, 0, 4, true},  {74, 0, 2, 0, 5, true},
    {75, 0, 1, 0, 3, false}, {86, 2, 2, 1, 1, true},  {87, 2, 2, 1, 2, true},
    {88, 2, 2, 2, 1, true},  {89, 2, 2, 2, 2, true},  {90, 2, 2, 4, 4, true},
    {91, 2, 2, 4, 5, true},  {92, 2, 2, 5, 4, true},  {93, 2, 2, 5, 5, true},
    {94, 1, 1, 1, 3, true},  {95, 1, 1, 2, 3, true},  {96, 1, 1, 3, 1, true},
    {97, 1, 1, 3, 2, true},  {98, 1, 1, 3, 3, false},
};

constexpr BandStyle kZigzagStyles[] = {
    {65, 1, 0, 1, 0, false},  {66, 1, 0, 2, 0, false},  {67, 1, 0, 3, 0, false},
    {68, 1, 0, 4, 0, false},  {76, 0, 1, 0, 1, false},  {77, 0, 1, 0, 2, false},
    {78, 0, 1, 0, 3, false},  {79, 0, 1, 0, 4, false},  {100, 1, 1, 1, 1, false},
    {101, 1, 1, 1, 2, false}, {102, 1, 1, 2, 1, false}, {103, 1, 1, 2, 2, false},
    {104, 1, 1, 1, 3, false}, {105, 1, 1, 2, 3, false}, {106, 1, 1, 3, 1, false},
    {107, 1, 1, 3, 2, false}, {108, 1, 1, 3, 3, false}, {109, 1, 1, 4, 4, false},
};

constexpr BandStyle kRaggedStyles[] = {
    {123, 1, 1, 1, 0, false},
    {124, 1, 1, 2, 0, false},
    {125, 1, 1, 0, 1, false},
    {126, 1, 1, 0, 2, false},
};

template <size_t N>
const BandStyle* findRow(const BandStyle (&table)[N], int style) {
  for (const BandStyle& row : table)
    if (row.style == style) return &row;
  return nullptr;
}

int32_t lengthA(const BandStyle& row, const FrameGeometry& g) { return row.aTimesX * g.X; }
int32_t lengthB(const BandStyle& row, const FrameGeometry& g) { return row.bTimesY * g.Y; }

// The ellipse styles: one rounded rectangle each, or (85) the picture minus
// a shrinking one.
using ShapeFn = void (*)(const FrameGeometry&, MaskPlan&);

struct ShapeStyle {
  int style;
  ShapeFn build;
};

void roundRect(MaskPlan& m, int32_t l, int32_t t, int32_t r, int32_t b, int32_t ew, int32_t eh) {
  RoundRectRegion(l, t, r, b, ew, eh, m.first);
}

void triangle(MaskPlan& m, Point a, Point b, Point c) { TriangleRegion(a, b, c, m.first); }

void cornersInward(const FrameGeometry& g, MaskPlan& m) {
  m.first.rects.push_back(Rect{0, 0, g.W, g.H});
  m.join = MaskJoin::Xor;
  RoundRectRegion(g.X - g.cw, g.Y - g.ch, 3 * g.W / 2 - g.X, 3 * g.H / 2 - g.Y,
                  9 * (g.W - g.X) / 5, 9 * (g.H - g.Y) / 5, m.second);
}

void cornersOfCombs(const FrameGeometry& g, MaskPlan& m) {
  CombRegion(g.W, g.H, 2 * g.X, 2 * g.Y, 1, 1, g.S, m.first);
  m.join = MaskJoin::Intersect;
  CombRegion(g.W, g.H, 2 * g.X, 2 * g.Y, 2, 2, g.S, m.second);
}

void fourFromCentre(const FrameGeometry& g, MaskPlan& m) {
  const Point centre{g.cw, g.ch};
  triangle(m, centre, {0, g.H}, {0, g.H - g.Y});        // left edge, upward
  triangle(m, {0, 0}, {g.X, 0}, centre);                // top edge, rightward
  triangle(m, {g.W - g.X, g.H}, centre, {g.W, g.H});    // bottom edge, leftward
  triangle(m, centre, {g.W, 0}, {g.W, g.Y});            // right edge, downward
}

void smallTriangles(const FrameGeometry& g, MaskPlan& m) {
  const int32_t leg = g.X / 5;
  const int32_t q = MulDiv(leg, g.H, g.W);
  for (int32_t r = 0; r < 10; ++r) {
    for (int32_t k = 0; k < 10; ++k) {
      const int32_t ox = g.W * k / 10, oy = g.H * r / 10;
      triangle(m, {ox, oy}, {ox + leg, oy}, {ox, oy + q});
    }
  }
}

constexpr ShapeStyle kShapeStyles[] = {
    {58, [](const FrameGeometry& g, MaskPlan& m) {
       roundRect(m, -2 * g.W, -5, 2 * g.X, g.H + 5, 2 * g.W, 2 * g.W);
     }},
    {59, [](const FrameGeometry& g, MaskPlan& m) {
       roundRect(m, g.W - 2 * g.X, -5, 3 * g.W, g.H + 5, 2 * g.W, 2 * g.W);
     }},
    {69, [](const FrameGeometry& g, MaskPlan& m) {
       roundRect(m, -5, -2 * g.H, g.W + 5, 2 * g.Y, 2 * g.H, 2 * g.H);
     }},
    {70, [](const FrameGeometry& g, MaskPlan& m) {
       roundRect(m, -5, g.H - 2 * g.Y, g.W + 5, 3 * g.H, 2 * g.H, 2 * g.H);
     }},
    {80, [](const FrameGeometry& g, MaskPlan& m) {
       roundRect(m, -2 * g.W, -2 * g.H, 2 * g.X, 2 * g.Y, 2 * g.W, 2 * g.H);
     }},
    {81, [](const FrameGeometry& g, MaskPlan& m) {
       roundRect(m, g.W - 2 * g.X, -2 * g.H, 3 * g.W, 2 * g.Y, 2 * g.W, 2 * g.H);
     }},
    {82, [](const FrameGeometry& g, MaskPlan& m) {
       roundRect(m, -2 * g.W, g.H - 2 * g.Y, 2 * g.X, 3 * g.H, 2 * g.W, 2 * g.H);
     }},
    // The bottom-right corner is rounded by an ellipse 2H wide, not 2W: kept
    // as the style has always drawn it.
    {83, [](const FrameGeometry& g, MaskPlan& m) {
       roundRect(m, g.W - 2 * g.X, g.H - 2 * g.Y, 3 * g.W, 3 * g.H, 2 * g.H, 2 * g.H);
     }},
    {84, [](const FrameGeometry& g, MaskPlan& m) {
       roundRect(m, g.cw - g.X, g.ch - g.Y, g.cw + g.X, g.ch + g.Y, 9 * g.X / 5, 9 * g.Y / 5);
     }},
    {85, cornersInward},
    {99, cornersOfCombs},
    {110, [](const FrameGeometry& g, MaskPlan& m) {
       triangle(m, {0, 0}, {2 * g.X, 0}, {0, 2 * g.Y});
     }},
    {111, [](const FrameGeometry& g, MaskPlan& m) {
       triangle(m, {g.W, 0}, {g.W - 2 * g.X, 0}, {g.W, 2 * g.Y});
     }},
    {112, [](const FrameGeometry& g, MaskPlan& m) {
       triangle(m, {0, g.H}, {2 * g.X, g.H}, {0, g.H - 2 * g.Y});
     }},
    {113, [](const FrameGeometry& g, MaskPlan& m) {
       triangle(m, {g.W, g.H}, {g.W - 2 * g.X, g.H}, {g.W, g.H - 2 * g.Y});
     }},
    {114, [](const FrameGeometry& g, MaskPlan& m) {
       triangle(m, {0, g.H}, {0, 0}, {g.X, g.H});
       triangle(m, {g.W, g.H}, {g.W, 0}, {g.W - g.X, 0});
     }},
    {115, [](const FrameGeometry& g, MaskPlan& m) {
       triangle(m, {g.W, 0}, {0, 0}, {g.W, g.Y});
       triangle(m, {g.W, g.H}, {0, g.H}, {0, g.H - g.Y});
     }},
    {116, fourFromCentre},
    {117, smallTriangles},
};

}  // namespace

bool isMaskedStyle(int style) {
  return familyOf(style) == StyleFamily::Masked;
}

bool planMaskedStyle(int style, const FrameGeometry& g, Random& random, MaskPlan& plan) {
  plan.clear();
  if (const BandStyle* row = findRow(kCombStyles, style)) {
    CombRegion(g.W, g.H, lengthA(*row, g), lengthB(*row, g), row->hk, row->vk,
               row->snap ? g.S : 0, plan.first);
    return true;
  }
  if (const BandStyle* row = findRow(kZigzagStyles, style)) {
    ZigzagRegion(g.W, g.H, lengthA(*row, g), lengthB(*row, g), row->hk, row->vk, random,
                 plan.first);
    return true;
  }
  if (const BandStyle* row = findRow(kRaggedStyles, style)) {
    RaggedRegion(g.W, g.H, lengthA(*row, g), lengthB(*row, g), row->hk, row->vk, random,
                 plan.first);
    return true;
  }
  if (style == 127) {
    SquaresRegion(g.W, g.H, g.p, random, plan.first);
    return true;
  }
  for (const ShapeStyle& row : kShapeStyles) {
    if (row.style == style) {
      row.build(g, plan);
      return true;
    }
  }
  return false;
}

}  // namespace vorn

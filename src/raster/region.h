#pragma once
// A set of pixels kept as horizontal bands of spans, the way the platform's
// regions are kept, so that the same shapes give the same pixels.
//
//        x:  0    4    8   12   16
//   y  0     . . . . . . . . . . .
//      1     . ####### . . ##### .     band {top 1, bottom 3}: spans [1,8) [12,17)
//      2     . ####### . . ##### .
//      3     . . . . . . . . . . .     (rows without pixels have no band)
//      4     . . . ########### . .     band {top 4, bottom 5}: span  [5,16)
//
// Invariant (checked by validate(), and after every operation in builds
// with assertions):
//  - bands are sorted top to bottom, each has top < bottom, and a band ends at
//    or above the next one's top (gaps are empty rows);
//  - every band has at least one span; spans are sorted left to right, each
//    has left < right, and a span ends strictly before the next one starts
//    (touching spans are merged, empty spans are never stored);
//  - two bands that touch vertically differ in their spans (equal neighbours
//    are merged), so every pixel set has exactly one representation.
// Memory follows the shape's outline, never its area: a rectangle reaching
// far outside the bitmap is one band with one span.
//
// The shape builders follow the platform's region calls: rect() orders its
// corners like CreateRectRgn, roundRect() and ellipse() give the pixels of
// CreateRoundRectRgn and CreateEllipticRgn, polygon() those of
// CreatePolygonRgn. Coordinates are signed 32-bit.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "raster/rect.h"

namespace vorn {

enum class PolyFill { Alternate, Winding };
enum class CombineOp { And, Or, Xor, Diff, Copy };

class Region {
 public:
  struct Span {
    int32_t left, right;
    friend bool operator==(const Span&, const Span&) = default;
  };
  struct Band {
    int32_t top, bottom;
    const Span* first;  // spans of the band, [first, last)
    const Span* last;
  };

  Region() = default;
  static Region rect(const Rect& r);
  static Region rect(int32_t l, int32_t t, int32_t r, int32_t b) { return rect(Rect{l, t, r, b}); }
  static Region roundRect(int32_t l, int32_t t, int32_t r, int32_t b, int32_t ew, int32_t eh);
  static Region ellipse(const Rect& r);
  static Region polygon(const Point* pts, size_t n, PolyFill fill);
  // Union of many rectangles at once (each ordered like rect()), in one
  // sweep down the rows; with a clip, each is clipped to it first.
  static Region fromRects(const Rect* rects, size_t n);
  struct SweepScratch;
  static Region fromRects(const Rect* rects, size_t n, const Rect& clip, SweepScratch& scratch);
  static Region combine(const Region& a, const Region& b, CombineOp op);

  void unite(const Region& o);
  void intersect(const Region& o);
  void xorWith(const Region& o);
  void subtract(const Region& o);
  // Union with one rectangle (ordered like rect()): appended when it lies at
  // or below everything so far, united otherwise. Many rectangles at once
  // take fromRects(), one sweep for them all.
  void addRect(const Rect& r);
  // Union with one band of spans (sorted, non-empty, apart). A band at or
  // below everything so far is appended as it is, so builders that make
  // their bands in order skip the merge; any other band is united.
  void addBand(int32_t top, int32_t bottom, const Span* s, size_t n);
  void offset(int32_t dx, int32_t dy);
  void clear();

  bool empty() const;
  Rect bounds() const;
  bool contains(int32_t x, int32_t y) const;
  bool validate() const;
  // Rectangles in the platform's order: bands top to bottom, left to right.
  std::vector<Rect> rects() const;
  size_t bandCount() const;
  Band band(size_t i) const;
  // Index of the first band whose bottom lies below y (bandCount() if none).
  size_t firstBandBelow(int32_t y) const;

  friend bool operator==(const Region& a, const Region& b);

 private:
  struct BandRec {
    int32_t top, bottom;
    uint32_t first, last;  // indices into spans_
  };
  void appendBand(int32_t top, int32_t bottom, const Span* s, size_t n);
  // Unites scratch.sorted, ordered and non-empty rectangles (all within
  // `rows` when it is given).
  static Region sweep(SweepScratch& scratch, const Rect* rows);
  // Asserts the invariant where assertions are compiled in.
  void checked() const;

  std::vector<BandRec> bands_;
  std::vector<Span> spans_;
};

// Working memory of a union of rectangles: a caller that unites rectangles
// every frame keeps one, so that the sweep allocates nothing once warm.
struct Region::SweepScratch {
  std::vector<Rect> sorted, active, byRow;
  std::vector<uint32_t> rowStart;
  std::vector<Span> merged;
};

}  // namespace vorn

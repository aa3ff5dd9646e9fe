#pragma once
// The union of many rectangles in one sweep, as bands of sorted spans: the
// comb, zigzag, ragged and squares builders give hundreds to thousands of
// rectangles per frame, and uniting them one by one would cost a pass over
// the growing region each time.
//
//   y=top0 +--------+   +----+        band 0: spans [l0,r0) [l1,r1)
//          |        |   |    |
//   y=top1 +--------+---+----+----+   band 1: one span
//          |                      |
//   y=bot1 +----------------------+
//
// Bands are ordered top to bottom and never overlap; within a band the spans
// are sorted, non-empty and neither overlap nor touch. Two vertically
// adjacent bands never have equal spans (they would be one band). This is the
// platform's canonical region form, so rects() gives the platform's order.
#include <cstdint>
#include <vector>

#include "raster/rect.h"
#include "raster/region.h"

namespace vorn {

using Span = Region::Span;

struct SpanBand {
  int32_t top = 0, bottom = 0;
  uint32_t first = 0, count = 0;  // spans[first .. first + count)
};

struct BandedUnion {
  std::vector<SpanBand> bands;
  std::vector<Span> spans;

  void clear() {
    bands.clear();
    spans.clear();
  }
  std::vector<Rect> rects() const;
  int64_t area() const;
  bool validate() const;
  // The same pixels as a region.
  Region toRegion() const;
};

// Unites `rects`, each taken by the platform's rectangle rule (an inverted
// rectangle with its edges swapped) and clipped to `clip`, into `out`
// (replaced). `scratch` keeps its capacity between frames.
struct RectUnionScratch {
  std::vector<Rect> sorted;
  std::vector<Rect> active;
  std::vector<Span> merged;
  std::vector<uint32_t> rowStart;
  std::vector<Rect> byRow;
};
void uniteRects(const std::vector<Rect>& rects, const Rect& clip, BandedUnion& out,
                RectUnionScratch& scratch);
void uniteRects(const std::vector<Rect>& rects, const Rect& clip, BandedUnion& out);

}  // namespace vorn

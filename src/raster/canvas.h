#pragma once
// Drawing onto a 24-bit bitmap the way the platform's device context does it
// for the transition frames: whole-bitmap draws, stretched copies with plain
// copy and the default stretch mode, fills, all through an optional clip
// region. Pixels, not speed, are the contract: every operation gives what the
// platform gives on a 24-bit DIB section.
#include <cstdint>
#include <vector>

#include "raster/bitmap24.h"
#include "raster/rect.h"
#include "raster/region.h"

namespace vorn {

class Canvas {
 public:
  explicit Canvas(Bitmap24& target);

  // Intersects the clip with r (the first call sets it), like
  // ExtSelectClipRgn with RGN_AND.
  void selectClip(const Region& r);
  void removeClip();
  bool hasClip() const { return hasClip_; }
  const Region& clip() const { return clip_; }

  // The whole of src with its top-left corner at (x, y).
  void draw(const Bitmap24& src, int32_t x, int32_t y);
  // StretchBlt with SRCCOPY in the BLACKONWHITE stretch mode. A negative
  // width (height) of dst or srcRect mirrors; a destination from x with
  // width -w covers the columns x-w+1 .. x. Enlarging repeats source pixels,
  // shrinking combines the source pixels that fall on one destination pixel
  // by bitwise AND. Source pixels outside src leave their destination pixels
  // as they were.
  void stretchCopy(const Rect& dst, const Bitmap24& src, const Rect& srcRect);
  // The pixels stretchCopy(dst, src, srcRect) would write with no clip: the
  // destination inside the target, less the pixels at its ends whose
  // sources all lie outside src. Empty when it would write nothing.
  Rect stretchCopyArea(const Rect& dst, const Bitmap24& src, const Rect& srcRect);
  // draw(src, 0, 0) except over `hole` (target pixels there are left as
  // they are), for a frame whose hole is about to be overwritten anyway.
  void drawAround(const Bitmap24& src, const Rect& hole);
  // Fills r (right and bottom exclusive; inverted is empty) through the clip.
  void fillRect(const Rect& r, Color c);

  Bitmap24& target() { return target_; }

 private:
  struct Run {
    int32_t first;  // byte offset in the source row of the first pixel
    int32_t count;  // pixels combined (0: leave the destination pixel)
  };
  // The ways of filling a destination row piece: the reference rule word
  // by word (AndWords), and fast paths for the shapes a transition makes.
  enum class StretchPath { AndWords, AndRows, Windows, Copy, Reverse, Gather };
  struct StretchPlan;
  static StretchPath choosePath(const StretchPlan& plan, int32_t sourceRows);
  StretchPlan planColumns(const Bitmap24& src);
  static void referenceRow(uint8_t* d, const uint8_t* s, size_t stride, int32_t rows, const Run* cols, int32_t a,
                           int32_t b);
  static void andRows(uint8_t* p, const uint8_t* q, size_t stride, int32_t rows, size_t n);
  static void gatherRow(uint8_t* d, const uint8_t* s, const Run* cols, int32_t a, int32_t b, bool wide);
  static void andRow(uint8_t* d, const uint8_t* s, size_t stride, int32_t rows, const Run* cols, int32_t a,
                     int32_t b, bool wide);
  static void reverseRow(uint8_t* d, const uint8_t* s0, int32_t a, int32_t b, bool wide);
  void byPieces(uint8_t* d, const uint8_t* t) const;
  void squeezeSideways(uint8_t* d, const uint8_t* s, size_t stride, int32_t rows, bool wide, int32_t i0, int32_t i1,
                       int32_t x);
  // Fills cols_ and rows_ for a stretched copy and gives the area it
  // writes; false when it writes nothing.
  bool mapStretch(const Rect& dst, const Bitmap24& src, const Rect& srcRect, Rect& area);
  template <class SpanFn>
  void forEachSpan(const Rect& area, SpanFn&& fn);

  Bitmap24& target_;
  Region clip_;
  bool hasClip_ = false;
  // Reused between calls so that a frame allocates nothing.
  std::vector<Run> cols_, rows_;
  // For a sideways squeeze: source rows ANDed together (for rows that
  // combine several), then two buffers of neighbour ANDs, rowRoom_ bytes
  // each; the two words each destination pixel takes, as offsets into the
  // widest of those (window_ pixels ANDed).
  std::vector<uint8_t> merged_;
  size_t rowRoom_ = 0;
  int32_t window_ = 1;
  std::vector<int32_t> gatherA_, gatherB_;
  // A gentle squeeze's row as pieces from column `first`: `run` pixels
  // copied one to one, or (run 0) one pixel from a pair.
  struct Piece {
    int32_t first, run;
  };
  std::vector<Piece> pieces_;
};

}  // namespace vorn

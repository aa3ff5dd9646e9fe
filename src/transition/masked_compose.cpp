#include "transition/masked_compose.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "raster/copy_bytes.h"

namespace vorn {

namespace {

// A row whose pieces are this short on average is cheaper as one masked
// pass over both pictures than as many small copies.
constexpr size_t kShortPiece = 24;  // pixels

}  // namespace

void composeMasked(Bitmap24& screen, const Bitmap24& oldImage, const Bitmap24& newImage, const Region& m) {
  const int32_t W = screen.width(), H = screen.height();
  const size_t rowBytes = 3 * size_t(W);
  std::vector<uint8_t> mask;
  // Rows [y, y1) all take the pieces of one band (or none).
  auto plainRows = [&](const Bitmap24& from, int32_t y, int32_t y1) {
    for (; y < y1; ++y) std::memcpy(screen.row(y), from.row(y), rowBytes);
  };
  int32_t y = 0;
  for (size_t i = m.firstBandBelow(0); i < m.bandCount() && y < H; ++i) {
    const Region::Band b = m.band(i);
    if (b.top >= H) break;
    const int32_t top = std::max(b.top, y), bottom = std::min(b.bottom, H);
    plainRows(oldImage, y, top);
    // The band's pieces inside the picture.
    const Region::Span* first = b.first;
    while (first != b.last && first->right <= 0) ++first;
    const Region::Span* last = first;
    while (last != b.last && last->left < W) ++last;
    const size_t pieces = size_t(last - first);
    if (pieces == 1 && first->left <= 0 && first->right >= W) {
      plainRows(newImage, top, bottom);
    } else if (pieces > 0 && size_t(W) / pieces < kShortPiece) {
      mask.assign(rowBytes, 0);
      for (const Region::Span* s = first; s != last; ++s) {
        const size_t l = 3 * size_t(std::max(s->left, 0)), r = 3 * size_t(std::min(s->right, W));
        std::memset(mask.data() + l, 0xFF, r - l);
      }
      const uint8_t* k = mask.data();
      for (int32_t yy = top; yy < bottom; ++yy) {
        uint8_t* d = screen.row(yy);
        const uint8_t* o = oldImage.row(yy);
        const uint8_t* n = newImage.row(yy);
        for (size_t j = 0; j < rowBytes; ++j) d[j] = uint8_t((n[j] & k[j]) | (o[j] & ~k[j]));
      }
    } else {
      for (int32_t yy = top; yy < bottom; ++yy) {
        uint8_t* d = screen.row(yy);
        const uint8_t* o = oldImage.row(yy);
        const uint8_t* n = newImage.row(yy);
        size_t at = 0;
        for (const Region::Span* s = first; s != last; ++s) {
          const size_t l = 3 * size_t(std::max(s->left, 0)), r = 3 * size_t(std::min(s->right, W));
          copyBytes(d + at, o + at, l - at);
          copyBytes(d + l, n + l, r - l);
          at = r;
        }
        copyBytes(d + at, o + at, rowBytes - at);
      }
    }
    y = std::max(y, bottom);
  }
  plainRows(oldImage, y, H);
}

}  // namespace vorn

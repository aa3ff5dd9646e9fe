#include "transition/masked_compose.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vorn {

namespace {

// n bytes from s to d; small copies are made of word moves (overlapping
// within the piece), as the masks cut rows into thousands of short pieces.
inline void copyBytes(uint8_t* d, const uint8_t* s, size_t n) {
  if (n >= 32) {
    std::memcpy(d, s, n);
  } else if (n >= 16) {
    uint64_t a[2], b[2];
    std::memcpy(a, s, 16);
    std::memcpy(b, s + n - 16, 16);
    std::memcpy(d, a, 16);
    std::memcpy(d + n - 16, b, 16);
  } else if (n >= 8) {
    uint64_t a, b;
    std::memcpy(&a, s, 8);
    std::memcpy(&b, s + n - 8, 8);
    std::memcpy(d, &a, 8);
    std::memcpy(d + n - 8, &b, 8);
  } else if (n >= 4) {
    uint32_t a, b;
    std::memcpy(&a, s, 4);
    std::memcpy(&b, s + n - 4, 4);
    std::memcpy(d, &a, 4);
    std::memcpy(d + n - 4, &b, 4);
  } else {
    for (size_t i = 0; i < n; ++i) d[i] = s[i];
  }
}

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

#pragma once
// The rows of the ellipse that rounds the corners of the platform's
// rounded-rectangle regions, exposed for the shape builder and its tests.
#include <cstdint>
#include <vector>

namespace vorn {

struct EllipseRows {
  // Row r of an ellipse filling a w x h box covers [inset[r], w - inset[r]).
  std::vector<int32_t> inset;
  // Rows at each end that only the tip completion of a flat ellipse fills.
  int32_t tipRows = 0;
};

// w, h >= 2.
EllipseRows ellipseRows(int32_t w, int32_t h);

}  // namespace vorn

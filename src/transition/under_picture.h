#pragma once
// The old picture a one-pass pixel frame reads beside the new one.
#include "raster/bitmap24.h"

namespace vorn {

// `under` as the pixel operations may read it row by row while writing
// `target`: a different bitmap of target's size, with the source covering
// all of target. Any other shape of call lays it down whole first and gets
// null, so the operation then works on target as it stands.
inline const Bitmap24* readableUnder(Bitmap24& target, const Bitmap24& source, const Bitmap24* under) {
  if (!under || under == &target) return nullptr;
  if (under->width() == target.width() && under->height() == target.height() && source.width() >= target.width() &&
      source.height() >= target.height())
    return under;
  target = *under;
  return nullptr;
}

}  // namespace vorn

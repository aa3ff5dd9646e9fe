#pragma once
// Which source pixels the platform's stretched copy puts on each destination
// pixel, along one axis. Destination pixel k (counted from the destination
// origin, in the direction of its extent) takes, when enlarging or at equal
// size, source pixel (k*s + (s-1)/2) div d; when shrinking, every source
// pixel m with (m*d + (d-1)/2) div s = k, except that a destination one pixel
// long gets all but the last source pixel (s, d: the lengths, d < s).
#include <cstdint>

namespace vorn {

struct StretchRange {
  int64_t first, count;  // source pixels first .. first+count-1 (from the source origin)
};

constexpr StretchRange stretchSources(int64_t k, int64_t s, int64_t d) {
  if (s <= d) return StretchRange{(k * s + (s - 1) / 2) / d, 1};
  if (d == 1) return StretchRange{0, s - 1};
  // Smallest m with (m*d + e) div s >= k is ceil((k*s - e) / d).
  const int64_t e = (d - 1) / 2;
  auto lowest = [&](int64_t kk) {
    const int64_t num = kk * s - e;
    return num <= 0 ? int64_t(0) : (num + d - 1) / d;
  };
  const int64_t a = lowest(k), b = k + 1 >= d ? s : lowest(k + 1);
  return StretchRange{a, b - a};
}

}  // namespace vorn

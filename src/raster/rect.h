#pragma once
// Rectangles as the platform has them: (Left, Top, Right, Bottom), right and
// bottom exclusive, signed 32-bit. An inverted rectangle is empty.
#include <algorithm>
#include <cstdint>

namespace vorn {

struct Point {
  int32_t x = 0, y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;

  constexpr int32_t width() const { return right - left; }
  constexpr int32_t height() const { return bottom - top; }
  constexpr bool empty() const { return right <= left || bottom <= top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

constexpr Rect intersect(const Rect& a, const Rect& b) {
  Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (r.empty()) return Rect{};
  return r;
}

constexpr Rect offsetRect(const Rect& r, int32_t dx, int32_t dy) {
  return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

}  // namespace vorn

#pragma once
// Helpers of the masked-style tests: a scripted random source and a plain
// pixel mask to compare regions against.
#include <cstdint>
#include <deque>
#include <vector>

#include "platform/random.h"
#include "raster/rect.h"
#include "transition/mask_plan.h"

namespace vorn::test {

// Hands out queued values (taken modulo n, 0 once the queue is empty) and
// records every n asked for, so a test sees the order of the draws.
class ScriptedRandom final : public Random {
 public:
  explicit ScriptedRandom(std::deque<int32_t> values = {}) : values_(std::move(values)) {}
  int32_t next(int32_t n) override {
    asked.push_back(n);
    int32_t v = 0;
    if (!values_.empty()) {
      v = values_.front();
      values_.pop_front();
    }
    return n <= 0 ? 0 : v % n;
  }
  std::vector<int32_t> asked;

 private:
  std::deque<int32_t> values_;
};

// One byte per pixel of a W x H picture.
struct PixelMask {
  int32_t W = 0, H = 0;
  std::vector<uint8_t> on;
  PixelMask(int32_t w, int32_t h) : W(w), H(h), on(size_t(w) * size_t(h), 0) {}
  void fill(const Rect& r, uint8_t v = 1) {
    const Rect c = intersect(r, Rect{0, 0, W, H});
    for (int32_t y = c.top; y < c.bottom; ++y)
      for (int32_t x = c.left; x < c.right; ++x) on[size_t(y) * W + x] = v;
  }
  bool at(int32_t x, int32_t y) const { return on[size_t(y) * W + x] != 0; }
  int64_t count() const {
    int64_t n = 0;
    for (uint8_t v : on) n += v != 0;
    return n;
  }
  friend bool operator==(const PixelMask&, const PixelMask&) = default;
};

// The rectangles of a union painted one by one, each by the platform's
// rectangle rule.
inline PixelMask paintRects(const std::vector<Rect>& rects, int32_t W, int32_t H) {
  PixelMask m(W, H);
  for (const Rect& r : rects) m.fill(normalizedRect(r));
  return m;
}

}  // namespace vorn::test

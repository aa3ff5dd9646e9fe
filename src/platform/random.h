#pragma once
#include <cstdint>

namespace vorn {

// Random(n): a uniformly distributed integer 0..n-1, and 0 when n <= 0.
class Random {
 public:
  virtual ~Random() = default;
  virtual int32_t next(int32_t n) = 0;
};

// The program's generator: a 32-bit linear congruential sequence, seedable so
// a show or a frame can be replayed exactly.
class LcgRandom final : public Random {
 public:
  explicit LcgRandom(uint32_t seed = 1) : state_(seed) {}
  void seed(uint32_t s) { state_ = s; }
  int32_t next(int32_t n) override {
    state_ = state_ * 0x08088405u + 1u;
    if (n <= 0) return 0;
    return static_cast<int32_t>((uint64_t(state_) * uint32_t(n)) >> 32);
  }

 private:
  uint32_t state_;
};

}  // namespace vorn

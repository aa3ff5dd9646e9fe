#pragma once
#include <cstdint>

namespace vorn {

// The platform's MulDiv: a * b / c with a 64-bit intermediate, rounded to the
// nearest integer with halves away from zero. Division by zero and a result
// outside 32 bits give -1, as the platform answers.
constexpr int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  const int64_t p = int64_t(a) * int64_t(b);
  const int64_t half = c / 2;  // truncated, like the platform's rounding term
  int64_t q;
  if ((p >= 0) == (c > 0))
    q = (p + half) / c;
  else
    q = (p - half) / c;
  if (q > INT32_MAX || q < INT32_MIN) return -1;
  return static_cast<int32_t>(q);
}

}  // namespace vorn

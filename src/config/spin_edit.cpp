#include "config/spin_edit.h"

#include <charconv>

namespace vorn::config {

SpinEdit::SpinEdit(int32_t minValue, int32_t maxValue, int32_t value)
    : min_(minValue), max_(maxValue) {
  setValue(value);
}

int32_t SpinEdit::clamp(int32_t v) const {
  if (min_ != max_) {
    if (v < min_) return min_;
    if (v > max_) return max_;
  }
  return v;
}

int32_t SpinEdit::value() const {
  // Leading and trailing blanks are tolerated; anything else is "not a number".
  size_t b = text_.find_first_not_of(' ');
  size_t e = text_.find_last_not_of(' ');
  if (b == std::string::npos) return min_;
  int32_t v = 0;
  const char* first = text_.data() + b;
  const char* last = text_.data() + e + 1;
  if (*first == '+') ++first;
  auto [ptr, ec] = std::from_chars(first, last, v);
  if (ec != std::errc() || ptr != last) return min_;
  return v;
}

void SpinEdit::setValue(int32_t v) { text_ = std::to_string(clamp(v)); }

}  // namespace vorn::config

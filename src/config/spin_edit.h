#pragma once
// The value model of the panel's spin edits (ChgIntSE, ChgIntMINSE,
// ChgIntMAXSE): the text is what the user typed, the value is read from it.
#include <cstdint>
#include <string>

namespace vorn::config {

class SpinEdit {
 public:
  SpinEdit(int32_t minValue, int32_t maxValue, int32_t value);

  // The number in the text; a text that is not a number counts as the minimum.
  int32_t value() const;
  // Clamps as the control does: unless min == max, below min gives min,
  // otherwise above max gives max (in this order).
  void setValue(int32_t v);
  // What the control holds, kept as it is until the control loses the focus.
  // The typing limit is the control's; a text read back is never cut.
  void setText(const std::string& text) { text_ = text; }
  const std::string& text() const { return text_; }
  void loseFocus() { setValue(value()); }

  int32_t minValue() const { return min_; }
  int32_t maxValue() const { return max_; }
  void setMinValue(int32_t v) { min_ = v; }
  void setMaxValue(int32_t v) { max_ = v; }

  bool enabled = true;

 private:
  int32_t clamp(int32_t v) const;
  int32_t min_, max_;
  std::string text_;
};

}  // namespace vorn::config

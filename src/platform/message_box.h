#pragma once
#include <string>

namespace vorn {

// Modal message box with one OK button. Text and caption are Windows-1250
// bytes; the Windows side shows them through the wide-character calls.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void show(const std::string& text, const std::string& caption) = 0;
};

}  // namespace vorn

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

// For the preview, which must never stop on a message box.
class SilentMessageBoxes final : public MessageBoxes {
 public:
  void show(const std::string&, const std::string&) override {}
};

}  // namespace vorn

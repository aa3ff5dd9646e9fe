#pragma once
// Modal OK message boxes through the wide-character call.
#include "platform/message_box.h"

namespace vorn {

class Win32MessageBoxes final : public MessageBoxes {
 public:
  void show(const std::string& text, const std::string& caption) override;
};

// For the preview, which must never stop on a message box.
class SilentMessageBoxes final : public MessageBoxes {
 public:
  void show(const std::string&, const std::string&) override {}
};

}  // namespace vorn

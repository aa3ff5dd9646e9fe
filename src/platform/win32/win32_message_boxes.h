#pragma once
#include "platform/message_box.h"

namespace vorn::win32 {

// MessageBoxW with MB_OK; `owner` is the owner window handle. Without an
// owner the box is task-modal, so a full-screen window of the thread cannot
// be clicked past it.
class Win32MessageBoxes final : public MessageBoxes {
 public:
  explicit Win32MessageBoxes(uintptr_t owner = 0) : owner_(owner) {}
  void show(const std::string& text, const std::string& caption) override;

 private:
  uintptr_t owner_;
};

}  // namespace vorn::win32

#pragma once
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace vorn::fake {

// Records every message box instead of showing it.
class FakeMessageBoxes final : public MessageBoxes {
 public:
  struct Shown {
    std::string text, caption;
  };
  void show(const std::string& text, const std::string& caption) override {
    shown.push_back({text, caption});
  }
  std::vector<Shown> shown;
};

}  // namespace vorn::fake

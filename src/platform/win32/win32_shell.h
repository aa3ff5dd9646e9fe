#pragma once
#include "platform/shell.h"

namespace vorn::win32 {

class Win32Shell final : public Shell {
 public:
  void open(const std::string& address) override;
  void setWaitCursor(bool waiting) override;
};

}  // namespace vorn::win32

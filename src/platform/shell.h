#pragma once
#include <string>

namespace vorn {

// The shell's "open" of an address (web page, "mailto:") and the
// screen-wide cursor shown while it works.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual void open(const std::string& address) = 0;  // Windows-1250; result ignored
  virtual void setWaitCursor(bool waiting) = 0;
};

}  // namespace vorn

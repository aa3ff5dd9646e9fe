#pragma once
#include "platform/profile.h"

namespace vorn::win32 {

class Win32ProfileFiles final : public ProfileFiles {
 public:
  bool writeString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file) override;
};

}  // namespace vorn::win32

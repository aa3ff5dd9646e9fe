#pragma once
// Profile (.ini) files. A file name without a path ("system.ini") means the
// system's own file in the Windows folder, as the platform resolves it.
// Section, key, value and file names are Windows-1250 bytes.
#include <string>

namespace vorn {

class ProfileFiles {
 public:
  virtual ~ProfileFiles() = default;
  virtual bool writeString(const std::string& section, const std::string& key,
                           const std::string& value, const std::string& file) = 0;
};

}  // namespace vorn

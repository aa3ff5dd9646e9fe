#include "platform/win32/win32_profile.h"

#include <windows.h>

#include "platform/win32/wide.h"

namespace vorn::win32 {

bool Win32ProfileFiles::writeString(const std::string& section, const std::string& key,
                                    const std::string& value, const std::string& file) {
  return WritePrivateProfileStringW(wide(section).c_str(), wide(key).c_str(), wide(value).c_str(),
                                    wide(file).c_str()) != 0;
}

}  // namespace vorn::win32

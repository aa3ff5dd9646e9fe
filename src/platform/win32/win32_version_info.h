#pragma once
#include "platform/version_info.h"

namespace vorn::win32 {

class Win32VersionInfoReader final : public VersionInfoReader {
 public:
  uint32_t infoSize(const std::string& path, uint32_t& handle) override;
  bool readInfo(const std::string& path, uint32_t handle, std::vector<uint8_t>& buffer) override;
  std::optional<FixedFileInfo> queryFixed(const std::vector<uint8_t>& buffer) override;
};

}  // namespace vorn::win32

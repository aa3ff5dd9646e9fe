#pragma once
#include <map>
#include <optional>
#include <string>

#include "platform/version_info.h"

namespace vorn::fake {

// Version resources by path. A file listed in `blocks` has version
// information holding that fixed block; the faults make one step fail.
class FakeVersionInfoReader final : public VersionInfoReader {
 public:
  uint32_t infoSize(const std::string& path, uint32_t& handle) override {
    handle = 0;
    return blocks.count(path) ? 64 : 0;
  }
  bool readInfo(const std::string& path, uint32_t, std::vector<uint8_t>& buffer) override {
    ++reads;
    if (failRead || !blocks.count(path)) return false;
    buffer.assign(64, 0);
    buffer[0] = static_cast<uint8_t>(paths.size());
    paths.push_back(path);
    return true;
  }
  std::optional<FixedFileInfo> queryFixed(const std::vector<uint8_t>& buffer) override {
    if (failQuery || buffer.empty() || buffer[0] >= paths.size()) return std::nullopt;
    return blocks.at(paths[buffer[0]]);
  }

  std::map<std::string, FixedFileInfo> blocks;
  bool failRead = false, failQuery = false;
  int reads = 0;

 private:
  std::vector<std::string> paths;
};

}  // namespace vorn::fake

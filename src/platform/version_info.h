#pragma once
// A file's version resource, in the three steps the platform offers: the
// size of the version information (with its handle word), the information
// itself, and the fixed block found in it.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorn {

// The platform's fixed file information: 13 little-endian 32-bit words
// (signature, structure version, file version MS/LS, product version MS/LS,
// flags mask, flags, OS, type, subtype, date MS/LS), copied whole.
struct FixedFileInfo {
  static constexpr size_t kSize = 52;
  std::array<uint32_t, 13> words{};
  uint32_t signature() const { return words[0]; }
  uint32_t fileVersionMS() const { return words[2]; }
  uint32_t fileVersionLS() const { return words[3]; }
  uint32_t productVersionMS() const { return words[4]; }
  uint32_t productVersionLS() const { return words[5]; }
};
static_assert(sizeof(FixedFileInfo) == FixedFileInfo::kSize);

class VersionInfoReader {
 public:
  virtual ~VersionInfoReader() = default;
  // 0 when the file has no version information (or cannot be read).
  virtual uint32_t infoSize(const std::string& path, uint32_t& handle) = 0;
  virtual bool readInfo(const std::string& path, uint32_t handle, std::vector<uint8_t>& buffer) = 0;
  // The root block "\" of information read by readInfo.
  virtual std::optional<FixedFileInfo> queryFixed(const std::vector<uint8_t>& buffer) = 0;
};

}  // namespace vorn

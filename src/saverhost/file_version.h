#pragma once
// The version numbers in a file's version resource; the configuration box
// shows its own executable's "major.minor" from them.
#include <cstdint>
#include <string>

#include "platform/version_info.h"

namespace vorn::saverhost {

struct TFileVersion {
  bool Valid = false;
  uint32_t FileMS = 0;  // major << 16 | minor
  uint32_t FileLS = 0;  // release << 16 | build
  uint32_t ProductMS = 0;
  uint32_t ProductLS = 0;

  uint16_t major() const { return static_cast<uint16_t>(FileMS >> 16); }
  uint16_t minor() const { return static_cast<uint16_t>(FileMS & 0xFFFF); }
  uint16_t release() const { return static_cast<uint16_t>(FileLS >> 16); }
  uint16_t build() const { return static_cast<uint16_t>(FileLS & 0xFFFF); }
};

bool GetFixedFileInfo(VersionInfoReader& reader, const std::string& path, FixedFileInfo& block);

// Always fills the record; Valid tells whether the numbers are real.
void GetFileVersion(VersionInfoReader& reader, const std::string& path, TFileVersion& version);

}  // namespace vorn::saverhost

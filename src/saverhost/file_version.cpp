#include "saverhost/file_version.h"

#include <vector>

namespace vorn::saverhost {

bool GetFixedFileInfo(VersionInfoReader& reader, const std::string& path, FixedFileInfo& block) {
  uint32_t handle = 0;
  uint32_t size = reader.infoSize(path, handle);
  if (size == 0) return false;
  std::vector<uint8_t> buffer(size);
  if (!reader.readInfo(path, handle, buffer)) return false;
  std::optional<FixedFileInfo> fixed = reader.queryFixed(buffer);
  if (!fixed) return false;
  block = *fixed;
  return true;
}

void GetFileVersion(VersionInfoReader& reader, const std::string& path, TFileVersion& version) {
  version = TFileVersion{};
  FixedFileInfo block;
  if (!GetFixedFileInfo(reader, path, block)) return;
  version.FileMS = block.fileVersionMS();
  version.FileLS = block.fileVersionLS();
  version.ProductMS = block.productVersionMS();
  version.ProductLS = block.productVersionLS();
  version.Valid = true;
}

}  // namespace vorn::saverhost

#include "platform/win32/win32_version_info.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/wide.h"

namespace vorn::win32 {

uint32_t Win32VersionInfoReader::infoSize(const std::string& path, uint32_t& handle) {
  DWORD h = 0;
  DWORD size = GetFileVersionInfoSizeW(wide(path).c_str(), &h);
  handle = h;
  return size;
}

bool Win32VersionInfoReader::readInfo(const std::string& path, uint32_t handle,
                                      std::vector<uint8_t>& buffer) {
  return GetFileVersionInfoW(wide(path).c_str(), handle, static_cast<DWORD>(buffer.size()),
                             buffer.data()) != 0;
}

std::optional<FixedFileInfo> Win32VersionInfoReader::queryFixed(const std::vector<uint8_t>& buffer) {
  void* block = nullptr;
  UINT len = 0;
  if (!VerQueryValueW(buffer.data(), L"\\", &block, &len) || !block || len < FixedFileInfo::kSize)
    return std::nullopt;
  static_assert(sizeof(VS_FIXEDFILEINFO) == FixedFileInfo::kSize);
  FixedFileInfo info;
  std::memcpy(info.words.data(), block, FixedFileInfo::kSize);
  return info;
}

}  // namespace vorn::win32

#include "collection/crc32.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace vorn {
namespace {

constexpr std::array<uint32_t, 256> makeTable() {
  std::array<uint32_t, 256> t{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[i] = c;
  }
  return t;
}

constexpr std::array<uint32_t, 256> kTable = makeTable();

}  // namespace

uint32_t CRC32(uint32_t reg, const uint8_t* data, int64_t length) {
  if (!data || length <= 0) return reg;
  for (int64_t i = 0; i < length; ++i) reg = (reg >> 8) ^ kTable[(reg ^ data[i]) & 0xFF];
  return reg;
}

uint64_t mediaCrcOf(const uint8_t* data, size_t size) {
  uint8_t buffer[kCrcSpan] = {};  // the zero fill of short files
  if (size) std::memcpy(buffer, data, std::min(size, kCrcSpan));
  return CRC32(0, buffer, kCrcSpan);
}

std::optional<uint64_t> FileCRC(FileSystem& fs, const std::string& path) {
  auto bytes = fs.readFile(path, kCrcSpan);
  if (!bytes) return std::nullopt;
  return mediaCrcOf(bytes->data(), bytes->size());
}

}  // namespace vorn

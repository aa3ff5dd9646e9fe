#include "collection/crc32.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace vorn {
namespace {

// kTables[0] is the standard reflected table; kTables[k] advances a byte
// through k further zero bytes, so eight bytes are folded in one step
// ("slicing by 8"). The result is the same as the byte-at-a-time loop.
using Tables = std::array<std::array<uint32_t, 256>, 8>;

constexpr Tables makeTables() {
  Tables t{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[0][i] = c;
  }
  for (int k = 1; k < 8; ++k)
    for (uint32_t i = 0; i < 256; ++i) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
  return t;
}

constexpr Tables kTables = makeTables();

inline uint32_t le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace

uint32_t CRC32(uint32_t reg, const uint8_t* data, int64_t length) {
  if (!data || length <= 0) return reg;
  const auto& t = kTables;
  while (length >= 8) {
    const uint32_t lo = reg ^ le32(data), hi = le32(data + 4);
    reg = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
          t[3][hi & 0xFF] ^ t[2][(hi >> 8) & 0xFF] ^ t[1][(hi >> 16) & 0xFF] ^ t[0][hi >> 24];
    data += 8;
    length -= 8;
  }
  for (; length > 0; --length) reg = (reg >> 8) ^ t[0][(reg ^ *data++) & 0xFF];
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

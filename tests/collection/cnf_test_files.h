#pragma once
// Collection files built byte by byte for the tests.
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "collection/cnf_records.h"

namespace vorn::testing {

inline std::vector<uint8_t> headerBytes(int32_t itemCount, const char* magic = kCnfMagic) {
  std::vector<uint8_t> b(TCNFHeader::kSize, 0);
  std::memcpy(b.data(), magic, std::min<size_t>(16, std::strlen(magic)));
  b[220] = uint8_t(itemCount);  // ItemCount, little-endian
  b[221] = uint8_t(itemCount >> 8);
  b[222] = uint8_t(itemCount >> 16);
  b[223] = uint8_t(uint32_t(itemCount) >> 24);
  return b;
}

// A file whose every byte is random except the signature and ItemCount, so a
// round trip shows that nothing else is touched.
inline std::vector<uint8_t> randomCollection(uint32_t seed, int items) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> b(TCNFHeader::kSize + size_t(items) * TCNFItem::kSize);
  for (auto& x : b) x = uint8_t(rng());
  std::memcpy(b.data(), kCnfMagic, 16);
  auto head = headerBytes(items);
  std::memcpy(b.data() + 220, head.data() + 220, 4);
  return b;
}

inline TCNFItem itemFor(const std::string& mediaPath, uint64_t crc) {
  TCNFItem it;
  it.zeroFill();
  it.setMediaPath(mediaPath);
  it.setMediaCRC(int64_t(crc));
  return it;
}

}  // namespace vorn::testing

#pragma once
// Little-endian byte building for hand-made picture files.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace vorn::testing {

struct Bytes {
  std::vector<uint8_t> v;
  Bytes& u8(uint32_t x) {
    v.push_back(uint8_t(x));
    return *this;
  }
  Bytes& u16(uint32_t x) { return u8(x).u8(x >> 8); }
  Bytes& u32(uint32_t x) { return u16(x).u16(x >> 16); }
  Bytes& i32(int32_t x) { return u32(uint32_t(x)); }
  Bytes& raw(std::initializer_list<uint8_t> b) {
    v.insert(v.end(), b);
    return *this;
  }
  Bytes& raw(const std::vector<uint8_t>& b) {
    v.insert(v.end(), b.begin(), b.end());
    return *this;
  }
  Bytes& text(const std::string& s) {
    v.insert(v.end(), s.begin(), s.end());
    return *this;
  }
  Bytes& zeros(size_t n) {
    v.insert(v.end(), n, 0);
    return *this;
  }
  size_t size() const { return v.size(); }
  void put32(size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = uint8_t(x >> (8 * i));
  }
};

}  // namespace vorn::testing

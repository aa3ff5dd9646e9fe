#pragma once
// Building blocks of the collection file's byte images. Every type here is an
// array of bytes (alignment 1, no padding), so a record made of them has the
// file's layout on any compiler and host; values are read and written through
// an explicit little-endian codec, never by casting the bytes.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace vorn::cnf {

inline uint32_t loadLe32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline void storeLe32(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
  p[2] = uint8_t(v >> 16);
  p[3] = uint8_t(v >> 24);
}
inline uint64_t loadLe64(const uint8_t* p) { return loadLe32(p) | uint64_t(loadLe32(p + 4)) << 32; }
inline void storeLe64(uint8_t* p, uint64_t v) {
  storeLe32(p, uint32_t(v));
  storeLe32(p + 4, uint32_t(v >> 32));
}

struct LeInt32 {
  uint8_t b[4];
  int32_t get() const { return static_cast<int32_t>(loadLe32(b)); }
  void set(int32_t v) { storeLe32(b, static_cast<uint32_t>(v)); }
};

struct LeUInt32 {
  uint8_t b[4];
  uint32_t get() const { return loadLe32(b); }
  void set(uint32_t v) { storeLe32(b, v); }
};

struct LeUInt16 {
  uint8_t b[2];
  uint16_t get() const { return uint16_t(b[0] | b[1] << 8); }
  void set(uint16_t v) {
    b[0] = uint8_t(v);
    b[1] = uint8_t(v >> 8);
  }
};

struct LeInt64 {
  uint8_t b[8];
  int64_t get() const { return static_cast<int64_t>(loadLe64(b)); }
  void set(int64_t v) { storeLe64(b, static_cast<uint64_t>(v)); }
};

// OLE Automation date: days since 30 December 1899, time of day as fraction.
struct LeDouble {
  uint8_t b[8];
  double get() const { return std::bit_cast<double>(loadLe64(b)); }
  void set(double v) { storeLe64(b, std::bit_cast<uint64_t>(v)); }
};

// One byte; 0 is false, anything else true. Written as 0 or 1.
struct Bool8 {
  uint8_t b;
  bool get() const { return b != 0; }
  void set(bool v) { b = v ? 1 : 0; }
};

// Length byte followed by up to N bytes of Windows-1250 text. A length byte
// above N (a damaged or foreign file) is clamped when read so the text never
// runs past the field, but the stored byte itself stays as it was until the
// field is set. Setting a shorter text leaves the old tail bytes in place:
// they are not ours to clear.
template <size_t N>
struct ShortString {
  static_assert(N <= 255);
  uint8_t len;
  uint8_t text[N];
  static constexpr size_t capacity = N;
  size_t length() const { return std::min<size_t>(len, N); }
  std::string get() const { return std::string(reinterpret_cast<const char*>(text), length()); }
  // Texts longer than N are cut to their first N bytes.
  void set(std::string_view s) {
    const size_t n = std::min(s.size(), N);
    if (n) std::memcpy(text, s.data(), n);
    len = static_cast<uint8_t>(n);
  }
};

template <size_t N>
struct Reserved {
  uint8_t b[N];
};

}  // namespace vorn::cnf

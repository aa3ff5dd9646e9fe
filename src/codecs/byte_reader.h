#pragma once
// Little-endian reads from a picture file held in memory. Every read is
// checked against the end of the buffer; a failed read leaves the reader
// marked bad and returns zero, so a decoder can read a whole header and test
// ok() once. Offsets are compared as `len > size - pos`, never `pos + len`,
// so a huge length from the file cannot wrap.
#include <cstddef>
#include <cstdint>

namespace vorn::codecs {

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size, size_t pos = 0)
      : data_(data), size_(size), pos_(pos), ok_(pos <= size) {}

  bool ok() const { return ok_; }
  size_t pos() const { return pos_; }
  size_t size() const { return size_; }
  size_t left() const { return ok_ ? size_ - pos_ : 0; }
  const uint8_t* here() const { return data_ + pos_; }

  bool has(size_t len) const { return ok_ && len <= size_ - pos_; }
  bool seek(size_t pos) {
    if (pos > size_) ok_ = false;
    else pos_ = pos;
    return ok_;
  }
  bool skip(size_t len) {
    if (!has(len)) return ok_ = false;
    pos_ += len;
    return true;
  }
  uint8_t u8() {
    if (!has(1)) return fail();
    return data_[pos_++];
  }
  uint16_t u16() {
    if (!has(2)) return fail();
    uint16_t v = uint16_t(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
  }
  uint32_t u32() {
    if (!has(4)) return fail();
    uint32_t v = uint32_t(data_[pos_]) | (uint32_t(data_[pos_ + 1]) << 8) |
                 (uint32_t(data_[pos_ + 2]) << 16) | (uint32_t(data_[pos_ + 3]) << 24);
    pos_ += 4;
    return v;
  }
  int16_t i16() { return int16_t(u16()); }
  int32_t i32() { return int32_t(u32()); }

 private:
  uint8_t fail() {
    ok_ = false;
    return 0;
  }
  const uint8_t* data_;
  size_t size_;
  size_t pos_;
  bool ok_;
};

}  // namespace vorn::codecs

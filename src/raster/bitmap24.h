#pragma once
// A 24-bit picture in memory: rows of B, G, R bytes, top row first, each row
// padded to a multiple of four bytes so that the buffer is a valid top-down
// DIB (biHeight = -height) that the platform can show without a copy.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorn {

// A colour in the platform's convention: 0x00BBGGRR.
using Color = uint32_t;
constexpr Color rgb(uint8_t r, uint8_t g, uint8_t b) {
  return Color(r) | (Color(g) << 8) | (Color(b) << 16);
}
constexpr uint8_t redOf(Color c) { return uint8_t(c); }
constexpr uint8_t greenOf(Color c) { return uint8_t(c >> 8); }
constexpr uint8_t blueOf(Color c) { return uint8_t(c >> 16); }

class Bitmap24 {
 public:
  // Largest side and area any bitmap may have; callers that take sizes from
  // files check against these before asking for a bitmap.
  static constexpr int32_t kMaxSide = 32768;
  static constexpr int64_t kMaxPixels = int64_t(1) << 28;  // 256 MP

  Bitmap24() = default;
  // Black bitmap. Sizes outside the caps (or negative) throw std::length_error.
  Bitmap24(int32_t width, int32_t height);

  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  size_t stride() const { return stride_; }
  bool empty() const { return width_ == 0 || height_ == 0; }

  uint8_t* row(int32_t y) { return data_.data() + size_t(y) * stride_; }
  const uint8_t* row(int32_t y) const { return data_.data() + size_t(y) * stride_; }
  uint8_t* data() { return data_.data(); }
  const uint8_t* data() const { return data_.data(); }
  size_t sizeBytes() const { return data_.size(); }

  // New size, contents black.
  void resize(int32_t width, int32_t height);
  void fill(Color c);
  Color pixel(int32_t x, int32_t y) const;
  void setPixel(int32_t x, int32_t y, Color c);

  static size_t strideFor(int32_t width) { return (size_t(width) * 3 + 3) & ~size_t(3); }
  static bool sizeAllowed(int64_t width, int64_t height);

  friend bool operator==(const Bitmap24& a, const Bitmap24& b);

 private:
  int32_t width_ = 0, height_ = 0;
  size_t stride_ = 0;
  std::vector<uint8_t> data_;
};

}  // namespace vorn

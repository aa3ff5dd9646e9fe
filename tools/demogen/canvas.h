#pragma once
// A plain RGB picture the demo generator paints on, with large block text.
#include <cstdint>
#include <string_view>
#include <vector>

namespace demogen {

struct Rgb {
  uint8_t r, g, b;
};

struct Canvas {
  int w, h;
  std::vector<Rgb> px;  // top-down rows
  Canvas(int width, int height) : w(width), h(height), px(size_t(width) * height, Rgb{0, 0, 0}) {}
  Rgb& at(int x, int y) { return px[size_t(y) * w + x]; }
  const Rgb& at(int x, int y) const { return px[size_t(y) * w + x]; }
  void fillRect(int x0, int y0, int x1, int y1, Rgb c);
  // Upper-case letters, digits, space and "-" in a 5x7 block font, each
  // pixel `scale` pixels wide, with a one-pixel dark shadow.
  void text(std::string_view s, int x, int y, int scale, Rgb c);
  static int textWidth(std::string_view s, int scale) { return int(s.size()) * 6 * scale - scale; }
  void centredText(std::string_view s, int y, int scale, Rgb c) { text(s, (w - textWidth(s, scale)) / 2, y, scale, c); }
};

}  // namespace demogen

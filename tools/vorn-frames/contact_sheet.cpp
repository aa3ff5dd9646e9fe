#include "contact_sheet.h"

#include <string>

#include "raster/canvas.h"
#include "transition/style_catalogue.h"

namespace vorn::frames {

namespace {

// 3 x 5 digits, one row of three bits per line, top first.
constexpr uint8_t kDigits[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 3, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};
constexpr int kScale = 2, kLabel = 5 * kScale + 6, kGap = 6, kPerRow = 8;
constexpr int kProgresses[3] = {25, 50, 75};

void drawNumber(Canvas& c, int value, int32_t x, int32_t y, Color color) {
  const std::string s = std::to_string(value);
  for (char ch : s) {
    const uint8_t* glyph = kDigits[ch - '0'];
    for (int row = 0; row < 5; ++row)
      for (int col = 0; col < 3; ++col)
        if (glyph[row] & (4 >> col))
          c.fillRect(Rect{x + col * kScale, y + row * kScale, x + (col + 1) * kScale, y + (row + 1) * kScale}, color);
    x += 4 * kScale;
  }
}

}  // namespace

Bitmap24 contactSheet(int32_t tw, int32_t th, const std::function<Bitmap24(int, int)>& frame) {
  const int32_t groupW = 3 * tw + 2, cellW = groupW + kGap, cellH = kLabel + th + kGap;
  const int rows = (kStyleCount + kPerRow - 1) / kPerRow;
  Bitmap24 sheet(kGap + kPerRow * cellW, kGap + rows * cellH);
  sheet.fill(rgb(48, 48, 48));
  Canvas c(sheet);
  for (int style = 0; style < kStyleCount; ++style) {
    const int32_t x = kGap + (style % kPerRow) * cellW, y = kGap + (style / kPerRow) * cellH;
    drawNumber(c, style, x, y + 2, rgb(255, 255, 255));
    for (int i = 0; i < 3; ++i) c.draw(frame(style, kProgresses[i]), x + i * (tw + 1), y + kLabel);
  }
  return sheet;
}

}  // namespace vorn::frames

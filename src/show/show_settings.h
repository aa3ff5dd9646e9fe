#pragma once
// The fields of the collection header and of one item record that the show
// reads, copied out of the records so the show does not depend on their
// byte layout. Texts are Windows-1250 bytes; colours 0x00BBGGRR.
#include <cstdint>
#include <string>

#include "collection/collection_view.h"
#include "raster/bitmap24.h"

namespace vorn::show {

struct ShowHeader : CollectionSettings {
  int32_t ItemCount = 0;
};

struct ShowItem {
  std::string MediaPath;
  std::string SoundPath;
  bool SoundLoop = false;
  std::string PicText;
  uint8_t PicTextPos = 0;
  std::string PicTextFont;
  uint8_t PicTextSize = 0;
  Color PicTextColor = 0;
  int32_t ChgInt = 0;
  int32_t EffectNum = 0;
  int32_t ShowMode = 0;
  Color BckColor = 0;
};

// How a slide is shown: its background colour, its fit and its transition
// style. A collection with common options gives every slide the header's;
// otherwise each item brings its own.
struct SlideOptions {
  Color BckColor = 0;
  int32_t ShowMode = 0;
  int32_t EffectNum = 0;  // 1-based; 0 asks for a style drawn at random

  bool stretch() const { return ShowMode == 1; }
  // The player's style, or -1 when it is to be drawn at random.
  int fixedStyle() const { return EffectNum == 0 ? -1 : int(uint8_t(EffectNum - 1)); }
};

inline SlideOptions slideOptionsOf(const ShowHeader& h, const ShowItem& item) {
  if (h.UseCommonOptions) return {h.BckColor, h.ShowMode, h.EffectNum};
  return {item.BckColor, item.ShowMode, item.EffectNum};
}

}  // namespace vorn::show

#pragma once
// The collection's header as plain values, copied out of the record so its
// readers do not depend on the byte layout. Texts are Windows-1250; colours
// 0x00BBGGRR.
#include <cstdint>
#include <string>
#include <vector>

namespace vorn {

// The settings the show runs by and the panel's settings page shows.
struct CollectionSettings {
  bool UseCommonOptions = false;
  uint32_t BckColor = 0;
  int32_t ChgIntMode = 0;
  int32_t ChgInt = 0;
  int32_t ChgIntMin = 0;
  int32_t ChgIntMax = 0;
  int32_t ShowMode = 0;
  int32_t EffectNum = 0;
  bool NoMouseMoveExit = false;
  bool DisableAllSounds = false;
  std::string AllBckSound;
};

// What the configuration panel shows of a loaded collection: the header's
// texts and settings and one row for each item. The loader fills it; the
// panel maps it to its controls.
struct CollectionView : CollectionSettings {
  std::string CollName;
  std::string CopyText;
  std::string CollURL;
  std::string Comment;  // "||" already made CR LF

  struct Row {
    std::string caption;  // the media file's name without its extension
    bool movie = false;
  };
  std::vector<Row> items;
};

}  // namespace vorn

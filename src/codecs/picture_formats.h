#pragma once
// The registered picture formats, in registration order: the four the
// runtime brings, then GIF and JPEG. Lookup walks from the last entry back to
// the first, so a later registration of an extension would win.
#include <string>
#include <string_view>
#include <vector>

#include "codecs/decoders.h"

namespace vorn {

struct PictureFormat {
  std::string extension;    // lower case, without the dot
  std::string description;  // Windows-1250
  GraphicResult (*decode)(const uint8_t* data, size_t size);
};

const std::vector<PictureFormat>& registeredFormats();

// The text after the last "." of the file name (not of a folder), without
// the dot; empty when the name has no dot.
std::string pictureExtension(std::string_view path);

// The entry for an extension compared in lower case, or nullptr.
const PictureFormat* findPictureFormat(std::string_view extension);

}  // namespace vorn

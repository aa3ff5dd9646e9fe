#pragma once
// The picture size of a metafile, read from its header without the platform.
#include <cstddef>
#include <cstdint>

#include "platform/result.h"

namespace vorn::codecs {

struct MetafileSize {
  int64_t width = 0, height = 0;  // pixels; not yet checked against the picture caps
};

// An enhanced metafile's size is its frame (rclFrame, in 0.01 mm): playing
// maps the frame, not the painted bounds, onto the target rectangle, so
// empty margins inside the frame are part of the picture. The frame is
// turned into pixels through the reference device the file was made for
// (szlDevice pixels over szlMillimeters), or at 96 pixels an inch when the
// header names no such device.
Result<MetafileSize> emfSize(const uint8_t* data, size_t size);

}  // namespace vorn::codecs

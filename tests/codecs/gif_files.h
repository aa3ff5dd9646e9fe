#pragma once
// GIF files for the tests, fuzz seeds and benchmark: our own LZW encoder and
// a writer of the blocks.
#include <cstdint>
#include <vector>

#include "raster/bitmap24.h"

namespace vorn::testing {

// LZW-codes `pixels` as GIF image data (without the sub-block framing).
std::vector<uint8_t> lzwEncode(const std::vector<uint8_t>& pixels, int minCodeSize);
// Splits into sub-blocks of at most 255 bytes and adds the terminator.
std::vector<uint8_t> subBlocks(const std::vector<uint8_t>& data);

struct GifImageSpec {
  uint16_t left = 0, top = 0, width = 2, height = 2;
  std::vector<uint8_t> pixels;     // top row first
  std::vector<Color> localTable;   // empty: use the global one
  bool interlaced = false;
  int delay = -1;                  // >= 0 writes a graphic control extension
  int transparent = -1;
  int minCodeSize = -1;            // -1: from the table size
  std::vector<uint8_t> rawData;    // when set, written instead of coding `pixels`
};

struct GifSpec {
  uint16_t width = 2, height = 2;
  std::vector<Color> globalTable{rgb(0, 0, 0), rgb(255, 255, 255), rgb(255, 0, 0), rgb(0, 0, 255)};
  std::vector<GifImageSpec> images;
  bool comment = true;  // a comment and an application extension before the first image
  bool trailer = true;
  const char* version = "89a";
};

std::vector<uint8_t> makeGif(const GifSpec& s);

}  // namespace vorn::testing

#pragma once
// The file formats the demo collection uses, written from a Canvas.
#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"

namespace demogen {

std::vector<uint8_t> encodeBmp(const Canvas& c);                // 24-bit, bottom-up
std::vector<uint8_t> encodeGif(const Canvas& c);                // GIF89a, 6x6x6 colour cube, LZW
std::vector<uint8_t> encodeIco(const Canvas& c);                // one 32-bit image (w, h <= 256)
bool encodeJpeg(const Canvas& c, int quality, std::vector<uint8_t>& out);  // libjpeg
// 16-bit mono PCM: a tone of `hz` with a soft start and end.
std::vector<uint8_t> encodeWavTone(double hz, double seconds, int rate = 22050);

// An uncompressed AVI: 32-bit frames of one size, `fps` frames a second,
// no sound stream.
std::vector<uint8_t> encodeAvi(const std::vector<Canvas>& frames, int fps);

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace demogen

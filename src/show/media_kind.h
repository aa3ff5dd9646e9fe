#pragma once
// Which service plays a file, decided from its extension (from the last dot
// of the file-name part, dot included, ASCII letters upper-cased).
#include <string>
#include <string_view>

namespace vorn::show {

std::string upperExtension(std::string_view path);
// The file-name part: what follows the last "\", "/" or ":".
std::string_view fileNamePart(std::string_view path);
// A movie: the extension begins with ".MP" (MPG, MPEG, MPE, MP3) or ".AVI".
bool isMovieFile(std::string_view path);
// Exactly ".WAV": the wave-sound call; anything else goes through MCI.
bool isWaveFile(std::string_view path);

}  // namespace vorn::show

#pragma once
// What an item is, from the extension of its file name (from the last dot of
// the part after the last "\" or ":", dot included), upper-cased in the ASCII
// letters only.
#include <string>
#include <string_view>

namespace vorn {

std::string fileExtension(std::string_view path);  // ".Bmp", or "" without one
// The part after the last "\" or ":" (a "/" is part of the name, as on the platform).
std::string fileNamePart(std::string_view path);

// A movie: the extension begins with ".MP" or ".AVI" (so .MP3 plays as a
// movie too); anything else, no extension included, is a picture.
bool isMovie(std::string_view path);
// Sounds ending in ".WAV" go through the wave-sound call, others through the
// media player.
bool isWaveSound(std::string_view path);
// The list icon rule, narrower than isMovie: a non-empty extension found
// inside ".MPG;.MPE;.MPEG;.AVI" shows the movie icon (so .MP3 shows a picture).
bool hasMovieIcon(std::string_view path);
// The list's caption for an item: the file-name part without its extension.
std::string listCaptionOf(std::string_view mediaPath);

}  // namespace vorn

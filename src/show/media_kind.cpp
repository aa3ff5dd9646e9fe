#include "show/media_kind.h"

#include "text/cp1250.h"

namespace vorn::show {

std::string_view fileNamePart(std::string_view path) {
  size_t cut = path.find_last_of("\\/:");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

std::string upperExtension(std::string_view path) {
  std::string_view name = fileNamePart(path);
  size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return {};
  return text::asciiUpper(name.substr(dot));
}

bool isMovieFile(std::string_view path) {
  std::string ext = upperExtension(path);
  return ext.starts_with(".MP") || ext.starts_with(".AVI");
}

bool isWaveFile(std::string_view path) { return upperExtension(path) == ".WAV"; }

}  // namespace vorn::show

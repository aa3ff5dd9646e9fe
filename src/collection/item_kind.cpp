#include "collection/item_kind.h"

#include "text/cp1250.h"

namespace vorn {

std::string fileNamePart(std::string_view path) {
  const size_t p = path.find_last_of("\\:");
  return std::string(p == std::string_view::npos ? path : path.substr(p + 1));
}

std::string fileExtension(std::string_view path) {
  const size_t sep = path.find_last_of("\\:");
  const size_t dot = path.find_last_of('.');
  if (dot == std::string_view::npos || (sep != std::string_view::npos && dot < sep)) return {};
  return std::string(path.substr(dot));
}

bool isMovie(std::string_view path) {
  const std::string ext = text::asciiUpper(fileExtension(path));
  return ext.starts_with(".MP") || ext.starts_with(".AVI");
}

bool isWaveSound(std::string_view path) { return text::asciiUpper(fileExtension(path)) == ".WAV"; }

bool hasMovieIcon(std::string_view path) {
  const std::string ext = text::asciiUpper(fileExtension(path));
  return !ext.empty() && std::string_view(".MPG;.MPE;.MPEG;.AVI").find(ext) != std::string_view::npos;
}

std::string listCaptionOf(std::string_view mediaPath) {
  const std::string name = fileNamePart(mediaPath);
  return name.substr(0, name.size() - fileExtension(name).size());
}

}  // namespace vorn

#include "codecs/picture_formats.h"

#include "text/cp1250.h"

namespace vorn {
namespace {

std::string asciiLower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return out;
}

}  // namespace

const std::vector<PictureFormat>& registeredFormats() {
  static const std::vector<PictureFormat> formats = {
      {"wmf", text::W1250("Metafiles"), decodeWmf},
      {"emf", text::W1250("Enhanced Metafiles"), decodeEmf},
      {"ico", text::W1250("Icons"), decodeIco},
      {"bmp", text::W1250("Bitmaps"), decodeBmp},
      {"gif", text::W1250("CompuServe GIF Image"), decodeGif},
      {"jpeg", text::W1250("JPEG Image File"), decodeJpeg},
      {"jpg", text::W1250("JPEG Image File"), decodeJpeg},
  };
  return formats;
}

std::string pictureExtension(std::string_view path) {
  const size_t slash = path.find_last_of("\\/:");
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return {};
  return std::string(name.substr(dot + 1));
}

const PictureFormat* findPictureFormat(std::string_view extension) {
  const std::string ext = asciiLower(extension);
  const auto& formats = registeredFormats();
  for (auto it = formats.rbegin(); it != formats.rend(); ++it)
    if (it->extension == ext) return &*it;
  return nullptr;
}

}  // namespace vorn

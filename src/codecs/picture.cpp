#include "codecs/picture.h"

#include <exception>

#include "codecs/picture_formats.h"
#include "codecs/picture_limits.h"
#include "text/cp1250.h"

namespace vorn {

Status TPicture::LoadFromFile(FileSystem& fs, const std::string& path) {
  const std::string ext = pictureExtension(path);
  if (!findPictureFormat(ext))
    return makeError(text::W1250("Unknown picture file extension (.") + ext + ")");
  auto bytes = fs.readFile(path, size_t(codecs::kMaxPictureFileBytes + 1));
  if (!bytes) return bytes.takeError();
  if (bytes->size() > codecs::kMaxPictureFileBytes) return makeError("Picture file is too large");
  return LoadFromBytes(path, bytes->data(), bytes->size());
}

Status TPicture::LoadFromBytes(const std::string& path, const uint8_t* data, size_t size) {
  const std::string ext = pictureExtension(path);
  const PictureFormat* format = findPictureFormat(ext);
  if (!format) return makeError(text::W1250("Unknown picture file extension (.") + ext + ")");
  std::unique_ptr<TGraphic> fresh;
  try {
    auto decoded = format->decode(data, size);
    if (!decoded) return decoded.takeError();
    fresh = std::move(decoded.value());
  } catch (const std::exception&) {
    return makeError("Not enough memory to load the picture");
  }
  setGraphic(std::shared_ptr<TGraphic>(std::move(fresh)));
  return {};
}

void TPicture::clear() { setGraphic(nullptr); }

void TPicture::assign(const TPicture& other) {
  if (&other == this) return;
  setGraphic(other.graphic_);
}

void TPicture::setGraphic(std::shared_ptr<TGraphic> g) {
  graphic_ = std::move(g);
  // A graphic shared by two containers reports to the one that took it last.
  if (graphic_) {
    std::weak_ptr<TPicture*> self = self_;
    graphic_->OnChange = [self] {
      if (auto p = self.lock()) (*p)->changed();
    };
  }
  changed();
}

}  // namespace vorn

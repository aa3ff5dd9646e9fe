#include "codecs/picture.h"

#include <exception>
#include <utility>

#include "codecs/exif_orientation.h"
#include "codecs/picture_formats.h"
#include "codecs/picture_limits.h"
#include "codecs/pixel_graphic.h"
#include "text/cp1250.h"

namespace vorn {

namespace {

Status unknownExtension(const std::string& ext) {
  return makeError(text::W1250("Unknown picture file extension (.") + ext + ")");
}

}  // namespace

Result<std::vector<uint8_t>> TPicture::readFile(FileSystem& fs, const std::string& path) {
  const std::string ext = pictureExtension(path);
  if (!findPictureFormat(ext)) return unknownExtension(ext).takeError();
  auto bytes = fs.readFile(path, size_t(codecs::kMaxPictureFileBytes + 1));
  if (!bytes) return bytes.takeError();
  if (bytes->size() > codecs::kMaxPictureFileBytes) return makeError("Picture file is too large");
  return bytes;
}

Status TPicture::LoadFromFile(FileSystem& fs, const std::string& path) {
  auto bytes = readFile(fs, path);
  if (!bytes) return bytes.takeError();
  return LoadFromBytes(path, bytes->data(), bytes->size());
}

Status TPicture::LoadForShow(FileSystem& fs, const std::string& path, const PictureFit& fit,
                             PictureSize* upright) {
  auto bytes = readFile(fs, path);
  if (!bytes) return bytes.takeError();
  return LoadForShowFromBytes(path, bytes->data(), bytes->size(), fit, upright);
}

Status TPicture::LoadForShowFromBytes(const std::string& path, const uint8_t* data, size_t size,
                                      const PictureFit& fit, PictureSize* upright) {
  const std::string ext = pictureExtension(path);
  const PictureFormat* format = findPictureFormat(ext);
  if (!format) return unknownExtension(ext);
  const bool jpeg = format->decode == decodeJpeg;
  const int orientation = jpeg ? codecs::jpegOrientation(data, size) : 1;
  const bool swap = codecs::orientationSwapsAxes(orientation);
  std::unique_ptr<TGraphic> fresh;
  PictureSize own;  // the stored (not yet upright) picture's full size
  try {
    GraphicResult decoded = makeError("");
    if (jpeg && fit.fits()) {
      decoded = decodeJpegChoosingScale(data, size, [&](uint32_t w, uint32_t h) {
        own = {int32_t(w), int32_t(h)};
        const PictureSize shown = swap ? codecs::fittedSize(own.height, own.width, fit)
                                       : codecs::fittedSize(own.width, own.height, fit);
        return swap ? codecs::jpegScaleFor(w, h, shown.height, shown.width)
                    : codecs::jpegScaleFor(w, h, shown.width, shown.height);
      });
    } else {
      decoded = format->decode(data, size);
    }
    if (!decoded) return decoded.takeError();
    fresh = std::move(decoded.value());
    if (!(jpeg && fit.fits())) own = {fresh->width(), fresh->height()};
    if (swap) std::swap(own.width, own.height);
    if (upright) *upright = own;
    if (fit.fits() || orientation != 1) {
      // Drawn at the stored orientation's fitted size (the graphic's own
      // draw: a copy at the same size, the high-quality stretch otherwise),
      // then turned: the same pixels as turning first, at a fraction of the
      // memory.
      const PictureSize shown = codecs::fittedSize(own.width, own.height, fit);
      const int32_t w = swap ? shown.height : shown.width, h = swap ? shown.width : shown.height;
      Bitmap24 stored(w, h);
      fresh->draw(stored, Rect{0, 0, w, h});
      fresh.reset();
      Bitmap24 up = codecs::orientUpright(std::move(stored), orientation);
      if (jpeg)
        fresh.reset(new TJPEGImage(std::move(up)));
      else
        fresh.reset(new TBitmap(std::move(up)));
    }
  } catch (const std::exception&) {
    return makeError("Not enough memory to load the picture");
  }
  setGraphic(std::shared_ptr<TGraphic>(std::move(fresh)));
  return {};
}

Status TPicture::LoadFromBytes(const std::string& path, const uint8_t* data, size_t size) {
  const std::string ext = pictureExtension(path);
  const PictureFormat* format = findPictureFormat(ext);
  if (!format) return unknownExtension(ext);
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

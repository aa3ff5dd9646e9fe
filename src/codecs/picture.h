#pragma once
// The picture container: loads a file through the decoder its extension
// names and holds one graphic. A failed load, for whatever reason, leaves the
// previous graphic in place. OnChange fires after every successful load,
// clear or assign, and when the held graphic reports a change.
#include <functional>
#include <memory>
#include <string>

#include "codecs/decoders.h"
#include "codecs/graphic.h"
#include "codecs/picture_fit.h"
#include "platform/file_system.h"
#include "platform/result.h"

namespace vorn {

class TPicture {
 public:
  TPicture() = default;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  // Errors: "Unknown picture file extension (.%s)", the file system's error,
  // or the decoder's.
  Status LoadFromFile(FileSystem& fs, const std::string& path);
  // The same choice and decode from bytes already in memory; `path` only
  // supplies the extension.
  Status LoadFromBytes(const std::string& path, const uint8_t* data, size_t size);

  // Loads a picture as the show shows it (picture_fit.h): upright, and with
  // a box resampled to its fitted size there. Without a box and with nothing
  // to turn, the same graphic as LoadFromFile. `upright`, when given,
  // receives the upright picture's own size, before the fit.
  Status LoadForShow(FileSystem& fs, const std::string& path, const PictureFit& fit,
                     PictureSize* upright = nullptr);
  Status LoadForShowFromBytes(const std::string& path, const uint8_t* data, size_t size,
                              const PictureFit& fit, PictureSize* upright = nullptr);

  // Assigning an empty value: the graphic goes.
  void clear();
  // Shares the other container's graphic (or clears when it has none).
  void assign(const TPicture& other);

  bool hasGraphic() const { return graphic_ != nullptr; }
  TGraphic* graphic() const { return graphic_.get(); }
  int32_t width() const { return graphic_ ? graphic_->width() : 0; }
  int32_t height() const { return graphic_ ? graphic_->height() : 0; }

  std::function<void()> OnChange;

 private:
  static Result<std::vector<uint8_t>> readFile(FileSystem& fs, const std::string& path);
  void setGraphic(std::shared_ptr<TGraphic> g);
  void changed() {
    if (OnChange) OnChange();
  }
  std::shared_ptr<TGraphic> graphic_;
  // The graphic's change handler reaches this container through a weak
  // pointer, so a graphic that outlives its container (shared by assign)
  // never calls into a dead one.
  std::shared_ptr<TPicture*> self_ = std::make_shared<TPicture*>(this);
};

}  // namespace vorn

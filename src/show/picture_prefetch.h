#pragma once
// Decodes the next slide's picture on a worker thread while the current one
// stands, so that its step only takes the finished graphic. A hint, never a
// promise: take() hands the picture over only when its decode is done and
// the file is still the one decoded (same size, same leading bytes);
// otherwise the step loads the file itself, as without the worker. The same
// load runs on the same bytes either way, so the pixels are the same; the
// fit to the window, the costly part of a large photo, is made here too.
// Given the layout the step will start the picture in, the worker also makes
// the transition's start images (PrepareStart), which the player checks
// against its own state before it takes them.
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "codecs/picture.h"
#include "platform/file_system.h"
#include "transition/prepared_start.h"

namespace vorn::show {

class PicturePrefetcher {
 public:
  explicit PicturePrefetcher(FileSystem& fs);
  ~PicturePrefetcher();
  PicturePrefetcher(const PicturePrefetcher&) = delete;
  PicturePrefetcher& operator=(const PicturePrefetcher&) = delete;

  // Forgets any earlier result and loads `path` in the background as the
  // show shows it (TPicture::LoadForShow with `fit`). With a layout, the
  // start images are made as well.
  void request(const std::string& path, const PictureFit& fit = {},
               std::optional<StartLayout> layout = std::nullopt);
  // Gives the picture of `path` loaded for `fit` to `into` (sharing its
  // graphic) and, when `start` is given, the start images made with it (or
  // null); false when there is none ready, it was made for another fit or
  // the file has changed since.
  bool take(const std::string& path, const PictureFit& fit, TPicture& into,
            std::unique_ptr<PreparedStart>* start = nullptr);
  // Frees `memory` on the worker, so that letting go of a big picture costs
  // the user-interface thread nothing.
  void dropLater(std::shared_ptr<void> memory);
  // Test hook: waits until the worker is idle.
  void waitIdle();

  // How many bytes of the file's start must still match.
  static constexpr size_t kCheckBytes = 64 * 1024;

 private:
  struct Ready {
    std::string path;
    PictureFit fit;
    uint64_t size = 0;
    std::vector<uint8_t> head;
    std::unique_ptr<TPicture> picture;
    std::unique_ptr<PreparedStart> start;
  };
  void run();
  bool unchanged(const Ready& r);

  FileSystem& fs_;
  std::mutex m_;
  std::condition_variable cv_;
  std::string job_;
  PictureFit jobFit_;
  std::optional<StartLayout> jobLayout_;
  bool hasJob_ = false, busy_ = false, quit_ = false;
  bool dropping_ = false;  // freeing garbage; no decode in the way
  uint64_t generation_ = 0;
  std::unique_ptr<Ready> ready_;
  std::vector<std::shared_ptr<void>> garbage_;
  std::thread worker_;
};

}  // namespace vorn::show

#pragma once
// Decodes the next slide's picture on a worker thread while the current one
// stands, so that its step only takes the finished graphic. A hint, never a
// promise: take() hands the picture over only when its decode is done and
// the file is still the one decoded (same size, same leading bytes);
// otherwise the step loads the file itself, as without the worker. The same
// decoder runs on the same bytes either way, so the pixels are the same.
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "codecs/picture.h"
#include "platform/file_system.h"

namespace vorn::show {

class PicturePrefetcher {
 public:
  explicit PicturePrefetcher(FileSystem& fs);
  ~PicturePrefetcher();
  PicturePrefetcher(const PicturePrefetcher&) = delete;
  PicturePrefetcher& operator=(const PicturePrefetcher&) = delete;

  // Forgets any earlier result and decodes `path` in the background.
  void request(const std::string& path);
  // Gives the decoded picture of `path` to `into` (sharing its graphic);
  // false when there is none ready or the file has changed since.
  bool take(const std::string& path, TPicture& into);
  // Test hook: waits until the worker is idle.
  void waitIdle();

  // How many bytes of the file's start must still match.
  static constexpr size_t kCheckBytes = 64 * 1024;

 private:
  struct Ready {
    std::string path;
    uint64_t size = 0;
    std::vector<uint8_t> head;
    std::unique_ptr<TPicture> picture;
  };
  void run();
  bool unchanged(const Ready& r);

  FileSystem& fs_;
  std::mutex m_;
  std::condition_variable cv_;
  std::string job_;
  bool hasJob_ = false, busy_ = false, quit_ = false;
  uint64_t generation_ = 0;
  std::unique_ptr<Ready> ready_;
  std::thread worker_;
};

}  // namespace vorn::show

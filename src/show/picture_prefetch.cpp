#include "show/picture_prefetch.h"

#include <algorithm>
#include <cstring>

namespace vorn::show {

PicturePrefetcher::PicturePrefetcher(FileSystem& fs) : fs_(fs) {}

PicturePrefetcher::~PicturePrefetcher() {
  {
    std::lock_guard lk(m_);
    quit_ = true;
  }
  cv_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void PicturePrefetcher::request(const std::string& path) {
  {
    std::lock_guard lk(m_);
    ready_.reset();
    job_ = path;
    hasJob_ = true;
    ++generation_;
    // Started on first use, so a show without pictures never has the thread.
    if (!worker_.joinable()) worker_ = std::thread([this] { run(); });
  }
  cv_.notify_all();
}

void PicturePrefetcher::waitIdle() {
  std::unique_lock lk(m_);
  cv_.wait(lk, [&] { return !hasJob_ && !busy_; });
}

void PicturePrefetcher::run() {
  std::unique_lock lk(m_);
  for (;;) {
    cv_.wait(lk, [&] { return quit_ || hasJob_; });
    if (quit_) return;
    std::string path = job_;
    uint64_t gen = generation_;
    hasJob_ = false;
    busy_ = true;
    lk.unlock();

    auto r = std::make_unique<Ready>();
    r->path = path;
    bool ok = false;
    Result<std::vector<uint8_t>> bytes = fs_.readFile(path);
    if (bytes) {
      r->size = bytes->size();
      r->head.assign(bytes->begin(), bytes->begin() + std::min(bytes->size(), kCheckBytes));
      r->picture = std::make_unique<TPicture>();
      ok = r->picture->LoadFromBytes(path, bytes->data(), bytes->size()).ok();
      // The 24-bit picture is made on first use: make it here, off the
      // user-interface thread.
      if (ok) (void)r->picture->graphic()->bitmap();
    }

    lk.lock();
    busy_ = false;
    if (ok && gen == generation_ && !hasJob_) ready_ = std::move(r);
    cv_.notify_all();
    // A result that failed or came too late is freed outside the lock.
    lk.unlock();
    r.reset();
    lk.lock();
  }
}

bool PicturePrefetcher::unchanged(const Ready& r) {
  std::optional<DirEntry> e = fs_.findFirst(r.path);
  if (!e || e->size != r.size) return false;
  Result<std::vector<uint8_t>> head = fs_.readFile(r.path, kCheckBytes);
  return head && *head == r.head;
}

bool PicturePrefetcher::take(const std::string& path, TPicture& into) {
  std::unique_ptr<Ready> r;
  {
    std::lock_guard lk(m_);
    if (!ready_ || ready_->path != path || busy_ || hasJob_) return false;
    r = std::move(ready_);
  }
  if (!unchanged(*r)) return false;
  into.assign(*r->picture);
  return true;
}

}  // namespace vorn::show

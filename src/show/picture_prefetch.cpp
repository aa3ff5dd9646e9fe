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

void PicturePrefetcher::request(const std::string& path, const PictureFit& fit,
                                std::optional<StartLayout> layout) {
  std::unique_ptr<Ready> dropped;  // freed outside the lock
  {
    std::lock_guard lk(m_);
    dropped = std::move(ready_);
    // Started on first use, so a show without pictures never has the thread;
    // before the job is set, so that no job waits where no thread can be had.
    if (!worker_.joinable()) worker_ = std::thread([this] { run(); });
    job_ = path;
    jobFit_ = fit;
    jobLayout_ = layout;
    hasJob_ = true;
    ++generation_;
  }
  cv_.notify_all();
}

void PicturePrefetcher::dropLater(std::shared_ptr<void> memory) {
  if (!memory) return;
  {
    std::lock_guard lk(m_);
    if (!worker_.joinable()) worker_ = std::thread([this] { run(); });
    garbage_.push_back(std::move(memory));
  }
  cv_.notify_all();
}

void PicturePrefetcher::waitIdle() {
  std::unique_lock lk(m_);
  cv_.wait(lk, [&] { return !hasJob_ && !busy_ && !dropping_ && garbage_.empty(); });
}

void PicturePrefetcher::run() {
  std::unique_lock lk(m_);
  for (;;) {
    cv_.wait(lk, [&] { return quit_ || hasJob_ || !garbage_.empty(); });
    if (quit_) return;
    if (!garbage_.empty()) {
      std::vector<std::shared_ptr<void>> drop = std::move(garbage_);
      garbage_.clear();
      dropping_ = true;
      lk.unlock();
      drop.clear();
      lk.lock();
      dropping_ = false;
      cv_.notify_all();
      continue;
    }
    std::string path = std::move(job_);  // no allocation under the lock
    PictureFit fit = jobFit_;
    std::optional<StartLayout> layout = jobLayout_;
    uint64_t gen = generation_;
    hasJob_ = false;
    busy_ = true;
    lk.unlock();

    // Nothing may leave the thread: no memory anywhere here only means no
    // picture ahead, and the step loads the file itself.
    std::unique_ptr<Ready> r;
    bool ok = false;
    try {
      r = std::make_unique<Ready>();
      r->path = path;
      r->fit = fit;
      Result<std::vector<uint8_t>> bytes = fs_.readFile(path);
      if (bytes) {
        r->size = bytes->size();
        r->head.assign(bytes->begin(), bytes->begin() + std::min(bytes->size(), kCheckBytes));
        r->picture = std::make_unique<TPicture>();
        ok = r->picture->LoadForShowFromBytes(path, bytes->data(), bytes->size(), fit).ok();
        // The 24-bit picture is made on first use: make it here, off the
        // user-interface thread.
        if (ok) (void)r->picture->graphic()->bitmap();
        bool quitting = false;
        {
          std::lock_guard q(m_);
          quitting = quit_ || gen != generation_;
        }
        // A later request or the end of the show: the placing would be wasted.
        if (ok && layout && !quitting) {
          try {
            r->start = PrepareStart(*r->picture, *layout);
          } catch (...) {
            // No memory for the start images: the step makes them itself.
          }
        }
      }
    } catch (...) {
      ok = false;
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

bool PicturePrefetcher::take(const std::string& path, const PictureFit& fit, TPicture& into,
                             std::unique_ptr<PreparedStart>* start) {
  std::unique_ptr<Ready> r;
  {
    std::lock_guard lk(m_);
    if (!ready_ || ready_->path != path || !(ready_->fit == fit) || busy_ || hasJob_) return false;
    r = std::move(ready_);
  }
  if (!unchanged(*r)) return false;
  into.assign(*r->picture);
  if (start) *start = std::move(r->start);
  return true;
}

}  // namespace vorn::show

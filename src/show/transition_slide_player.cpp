#include "show/transition_slide_player.h"

namespace vorn::show {

void TransitionSlidePlayer::clearPictures() {
  p_.BgPicture().clear();
  p_.Picture().clear();
}

Status TransitionSlidePlayer::loadPicture(const std::string& path) {
  lastPrefetched_ = prefetch_ && prefetch_->take(path, p_.Picture());
  if (lastPrefetched_) return {};
  return p_.Picture().LoadFromFile(fs_, path);
}

Status TransitionSlidePlayer::startTransition() {
  try {
    return p_.StartTransition();
  } catch (const std::exception& e) {
    // No memory for a huge picture's frames, and the like: the item is skipped.
    return makeError(e.what());
  }
}

void TransitionSlidePlayer::prefetchPicture(const std::string& path) {
  if (prefetch_) prefetch_->request(path);
}

}  // namespace vorn::show

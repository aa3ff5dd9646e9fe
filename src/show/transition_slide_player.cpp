#include "show/transition_slide_player.h"

namespace vorn::show {

// The worker frees the pictures, which may be hundreds of megabytes. With
// no memory to hand one over it is freed here: letting go never fails.
void TransitionSlidePlayer::clearPictures() {
  if (prefetch_) {
    for (TPicture* pic : {&p_.BgPicture(), &p_.Picture()}) {
      if (!pic->hasGraphic()) continue;
      try {
        auto keep = std::make_shared<TPicture>();
        keep->assign(*pic);
        pic->clear();
        prefetch_->dropLater(std::move(keep));
      } catch (...) {
      }
    }
  }
  p_.BgPicture().clear();
  p_.Picture().clear();
}

void TransitionSlidePlayer::clearScreen() {
  std::shared_ptr<Bitmap24> keep;
  if (prefetch_) try {
      keep = std::make_shared<Bitmap24>();
    } catch (...) {
    }
  if (!keep) {
    p_.ClearScreen();
    return;
  }
  p_.ClearScreen(keep.get());
  if (keep->empty()) return;
  try {
    prefetch_->dropLater(std::move(keep));
  } catch (...) {
  }
}

PictureFit TransitionSlidePlayer::fitFor(bool stretch) const {
  if (!stretch) return {};
  return PictureFit{p_.ClientWidth(), p_.ClientHeight()};
}

Status TransitionSlidePlayer::loadPicture(const std::string& path) {
  start_.reset();
  // The player gets the picture already at its display size, so every
  // frame is composed and painted at the window's size, not the photo's.
  const PictureFit fit = fitFor(p_.Stretch() && p_.StretchFine());
  lastPrefetched_ = prefetch_ && prefetch_->take(path, fit, p_.Picture(), &start_);
  if (lastPrefetched_) return {};
  return p_.Picture().LoadForShow(fs_, path, fit);
}

Status TransitionSlidePlayer::startTransition() {
  try {
    p_.SetPreparedStart(std::move(start_));
    return p_.StartTransition();
  } catch (const std::exception& e) {
    // No memory for a huge picture's frames, and the like: the item is skipped.
    return makeError(e.what());
  }
}

void TransitionSlidePlayer::prefetchPicture(const std::string& path, Color color, bool stretch, int style) {
  if (!prefetch_) return;
  StartLayout layout;
  layout.clientWidth = p_.ClientWidth();
  layout.clientHeight = p_.ClientHeight();
  layout.center = p_.Center();
  layout.stretch = layout.stretchFine = stretch;  // the step sets both alike
  layout.color = color;
  layout.showsAtOnce = style == 0;
  prefetch_->request(path, fitFor(stretch), layout);
}

}  // namespace vorn::show

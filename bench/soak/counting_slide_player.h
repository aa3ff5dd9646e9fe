#pragma once
// The real slide player with counters around it: pictures loaded from the
// decode ahead or from the file, loads that failed, transitions started.
#include "show/transition_slide_player.h"

namespace vorn::soak {

class CountingSlidePlayer final : public show::SlidePlayer {
 public:
  explicit CountingSlidePlayer(show::TransitionSlidePlayer& inner) : in_(inner) {}

  void clearPictures() override { in_.clearPictures(); }
  void clearScreen() override { in_.clearScreen(); }
  void stopTransition() override { in_.stopTransition(); }
  Status loadPicture(const std::string& path) override {
    Status s = in_.loadPicture(path);
    if (!s)
      ++loadFailures;
    else if (in_.lastLoadWasPrefetched())
      ++prefetchedLoads;
    else
      ++fileLoads;
    return s;
  }
  Status startTransition() override {
    ++starts;
    return in_.startTransition();
  }
  void setStyle(uint8_t style) override { in_.setStyle(style); }
  void setColor(Color c) override { in_.setColor(c); }
  void setStretch(bool on) override { in_.setStretch(on); }
  void setStretchFine(bool on) override { in_.setStretchFine(on); }
  void prefetchPicture(const std::string& path, Color color, bool stretch, int style) override {
    in_.prefetchPicture(path, color, stretch, style);
  }

  uint64_t loadFailures = 0, prefetchedLoads = 0, fileLoads = 0, starts = 0;

 private:
  show::TransitionSlidePlayer& in_;
};

}  // namespace vorn::soak

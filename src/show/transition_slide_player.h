#pragma once
// TransitionPlayer1 as the slide step drives it, with the picture of the
// next step decoded ahead by a PicturePrefetcher.
#include <functional>

#include "platform/file_system.h"
#include "show/picture_prefetch.h"
#include "show/show_ports.h"
#include "transition/transition_player.h"

namespace vorn::show {

class TransitionSlidePlayer final : public SlidePlayer {
 public:
  TransitionSlidePlayer(TTransitionPlayer& player, FileSystem& fs, PicturePrefetcher* prefetch)
      : p_(player), fs_(fs), prefetch_(prefetch) {}

  void clearPictures() override;
  void clearScreen() override;
  void stopTransition() override { p_.StopTransition(); }
  Status loadPicture(const std::string& path) override;
  Status startTransition() override;
  void setStyle(uint8_t style) override { p_.SetStyle(style); }
  void setColor(Color c) override { p_.SetColor(c); }
  void setStretch(bool on) override { p_.SetStretch(on); }
  void setStretchFine(bool on) override { p_.SetStretchFine(on); }
  void prefetchPicture(const std::string& path, Color color, bool stretch, int style) override;

  // How the last load went: from the worker's decode or from the file.
  bool lastLoadWasPrefetched() const { return lastPrefetched_; }
  // Whether the last start took the images the worker made.
  bool lastStartWasPrepared() const { return p_.LastStartWasPrepared(); }

 private:
  // The slide step's "stretched to the window" is the fit to the client.
  PictureFit fitFor(bool stretch) const;

  TTransitionPlayer& p_;
  FileSystem& fs_;
  PicturePrefetcher* prefetch_;
  bool lastPrefetched_ = false;
  std::unique_ptr<PreparedStart> start_;  // from the last load, for its start
};

}  // namespace vorn::show

#pragma once
// A media player over the MCI command interface: the device is chosen by
// MCI from the file, a movie is bound to the display window, play notifies
// the player's window when it ends.
#include <windows.h>

#include <string>

#include "show/show_ports.h"

namespace vorn::show::win32 {

class MciMediaPlayer final : public MediaPlayer {
 public:
  // `display` receives the video (none for sound only); `notify` is the
  // callback window of every command.
  MciMediaPlayer(HWND display, HWND notify) : display_(display), notify_(notify) {}
  ~MciMediaPlayer() override;

  void setFileName(const std::string& path) override { fileName_ = path; }
  Status open() override;
  Status close() override;
  Status play() override;
  Status stop() override;
  DisplayRect displayRect() override;
  void setDisplayRect(const DisplayRect& r) override;

  bool isOpen() const { return device_ != 0; }
  bool hasVideo() const { return hasVideo_; }

 private:
  Status fail(MCIERROR e) const;
  std::string fileName_;
  HWND display_;
  HWND notify_;
  MCIDEVICEID device_ = 0;
  bool hasVideo_ = false;
};

}  // namespace vorn::show::win32

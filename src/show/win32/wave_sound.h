#pragma once
// The process-wide wave sound over PlaySound.
#include "show/show_ports.h"

namespace vorn::show::win32 {

class Win32WaveSound final : public WaveSound {
 public:
  void playOnce(const std::string& path) override;
  void playLooped(const std::string& path) override;
  void stop() override;
};

}  // namespace vorn::show::win32

#pragma once
// System-wide parameters (the platform's SystemParametersInfo) and the
// platform family. Only the calls without a data structure are offered:
// an action, its first parameter, optionally a 32-bit Boolean that receives
// the previous state, and the profile-update flags.
#include <cstdint>

namespace vorn {

constexpr uint32_t kSpiSetScreenSaveActive = 0x11;
constexpr uint32_t kSpiScreenSaverRunning = 0x61;
constexpr uint32_t kSpifUpdateIniFile = 1;
constexpr uint32_t kSpifSendWinIniChange = 2;

constexpr uint32_t kPlatformWin32Windows = 1;
constexpr uint32_t kPlatformWin32NT = 2;

class SystemParameters {
 public:
  virtual ~SystemParameters() = default;
  virtual bool set(uint32_t action, uint32_t param, uint32_t* previous, uint32_t winIni) = 0;
  // The platform id the runtime reports (kPlatformWin32NT on the NT family).
  virtual uint32_t platformId() = 0;
};

}  // namespace vorn

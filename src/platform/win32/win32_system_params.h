#pragma once
#include "platform/system_params.h"

namespace vorn::win32 {

class Win32SystemParameters final : public SystemParameters {
 public:
  bool set(uint32_t action, uint32_t param, uint32_t* previous, uint32_t winIni) override;
  uint32_t platformId() override;
};

}  // namespace vorn::win32

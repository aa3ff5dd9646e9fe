#pragma once
#include <cstdint>
#include <vector>

#include "platform/system_params.h"

namespace vorn::fake {

// Records every parameter call; the platform family is chosen by the test.
class FakeSystemParameters final : public SystemParameters {
 public:
  struct Call {
    uint32_t action, param;
    bool withPrevious;
    uint32_t winIni;
  };
  bool set(uint32_t action, uint32_t param, uint32_t* previous, uint32_t winIni) override {
    calls.push_back({action, param, previous != nullptr, winIni});
    if (previous) *previous = previousState;
    return result;
  }
  uint32_t platformId() override { return platform; }

  std::vector<Call> calls;
  uint32_t platform = kPlatformWin32NT;
  uint32_t previousState = 0;
  bool result = true;
};

}  // namespace vorn::fake

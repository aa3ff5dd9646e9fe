#pragma once
// The running program as the collection loader sees it on Windows.
#include <functional>
#include <string>

#include "collection/collection_host.h"

namespace vorn {

class Win32CollectionHost final : public CollectionHost {
 public:
  // `hideApplicationWindow` is the program's own way of hiding its
  // application window, handed in by the program; none hides nothing.
  explicit Win32CollectionHost(std::function<void()> hideApplicationWindow = {})
      : hide_(std::move(hideApplicationWindow)) {}
  // GetModuleFileNameW: the path the system started us under, 8.3 or long;
  // its 8.3 alias where Windows-1250 cannot spell the long one.
  std::string executablePath() override;
  void hideApplicationWindow() override {
    if (hide_) hide_();
  }

 private:
  std::function<void()> hide_;
};

}  // namespace vorn

#pragma once
// The running program as the collection loader sees it on Windows.
#include <string>

#include "collection/collection_host.h"

namespace vorn {

class Win32CollectionHost final : public CollectionHost {
 public:
  // `applicationWindow` is the program's hidden application window (an HWND;
  // may be null), `title` the application's title in Windows-1250.
  Win32CollectionHost(void* applicationWindow, std::string title)
      : appWindow_(applicationWindow), title_(std::move(title)) {}
  // GetModuleFileNameW: the path the system started us under, 8.3 or long;
  // its 8.3 alias where Windows-1250 cannot spell the long one.
  std::string executablePath() override;
  void hideApplicationWindow() override;

 private:
  void* appWindow_;
  std::string title_;
};

}  // namespace vorn

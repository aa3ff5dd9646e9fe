#pragma once
#include <string>

#include "collection/collection_host.h"

namespace vorn::fake {

// The running program as the loader sees it: a fixed executable path, and a
// count of the times the application window was hidden.
class FakeCollectionHost final : public CollectionHost {
 public:
  explicit FakeCollectionHost(std::string path) : path(std::move(path)) {}
  std::string executablePath() override { return path; }
  void hideApplicationWindow() override { ++hideCalls; }
  std::string path;
  int hideCalls = 0;
};

}  // namespace vorn::fake

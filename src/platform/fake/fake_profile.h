#pragma once
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/profile.h"

namespace vorn::fake {

// Profile files in memory: (file, section, key) -> value, with a switch that
// makes every write fail.
class FakeProfileFiles final : public ProfileFiles {
 public:
  bool writeString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file) override {
    writes.push_back({file, section, key});
    if (failWrites) return false;
    entries[{file, section, key}] = value;
    return true;
  }
  std::map<std::tuple<std::string, std::string, std::string>, std::string> entries;
  std::vector<std::tuple<std::string, std::string, std::string>> writes;  // every attempt
  bool failWrites = false;
};

}  // namespace vorn::fake

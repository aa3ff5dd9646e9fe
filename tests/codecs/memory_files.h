#pragma once
// A tiny in-memory file system for the picture tests: reads only.
#include <map>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace vorn::testing {

class MemoryFiles : public FileSystem {
 public:
  std::map<std::string, std::vector<uint8_t>> files;
  int reads = 0;

  bool exists(const std::string& path) override { return files.count(path) != 0; }
  std::optional<DirEntry> findFirst(const std::string& path) override {
    auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return DirEntry{path, "", it->second.size()};
  }
  Result<std::vector<uint8_t>> readFile(const std::string& path, size_t maxBytes) override {
    ++reads;
    auto it = files.find(path);
    if (it == files.end()) return makeError("Cannot open file \"" + path + "\"");
    auto& f = it->second;
    return std::vector<uint8_t>(f.begin(), f.begin() + std::min(maxBytes, f.size()));
  }
  std::unique_ptr<WritableFile> openWrite(const std::string&) override { return nullptr; }
  bool rename(const std::string&, const std::string&) override { return false; }
  bool remove(const std::string&) override { return false; }
};

}  // namespace vorn::testing

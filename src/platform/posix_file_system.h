#pragma once
// The real file system of the native build (Linux). Paths arrive as the
// system's Windows-1250 strings and are turned into UTF-8 with "/" for the
// kernel; a leading "Z:" drive is dropped, because that is where Wine shows the
// Linux root, so a collection made for a Wine run also works natively.
// A file without any write permission bit counts as read-only: it is neither
// opened for writing nor replaced by a rename, as on Windows.
#include "platform/file_system.h"

namespace vorn {

class PosixFileSystem final : public FileSystem {
 public:
  // The native form of a system path (exposed for the tools and tests).
  static std::string nativePath(const std::string& path);

  bool exists(const std::string& path) override;  // regular files only
  std::optional<DirEntry> findFirst(const std::string& path) override;
  Result<std::vector<uint8_t>> readFile(const std::string& path, size_t maxBytes = SIZE_MAX) override;
  std::unique_ptr<WritableFile> openWrite(const std::string& path) override;
  bool rename(const std::string& from, const std::string& to) override;
  bool remove(const std::string& path) override;
};

}  // namespace vorn

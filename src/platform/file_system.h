#pragma once
// The file layer the portable code sees. Paths are the system's own strings
// (Windows-1250 bytes, "\" or "/" separators); each implementation converts
// them for its platform (UTF-16 on Windows, UTF-8 on Linux).
// Writes are split into primitives (open, write, flush, close, rename) so a
// safe save can be built once on top of them and every step can fail in tests.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/result.h"

namespace vorn {

struct DirEntry {
  std::string longName;   // the name as stored on disk
  std::string shortName;  // the 8.3 alias, empty when the file has none
  uint64_t size = 0;
};

class WritableFile {
 public:
  virtual ~WritableFile() = default;
  virtual bool write(const void* data, size_t size) = 0;
  virtual bool flush() = 0;  // down to the disk, not only the runtime's buffer
  virtual bool close() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool exists(const std::string& path) = 0;
  virtual std::optional<DirEntry> findFirst(const std::string& path) = 0;
  // At most maxBytes from the start of the file.
  virtual Result<std::vector<uint8_t>> readFile(const std::string& path,
                                                size_t maxBytes = SIZE_MAX) = 0;
  // Creates or truncates.
  virtual std::unique_ptr<WritableFile> openWrite(const std::string& path) = 0;
  // Replaces `to` by `from` in one step (the old `to` stays whole on failure).
  virtual bool rename(const std::string& from, const std::string& to) = 0;
  virtual bool remove(const std::string& path) = 0;
};

}  // namespace vorn

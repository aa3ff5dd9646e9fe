#pragma once
// An in-memory file system with Windows' naming rules (case-insensitive ASCII,
// "\" and "/" alike), 8.3 aliases, read-only files, a capacity for a full
// disk, and faults on demand: the Nth call of a write primitive fails.
// Safe to share between threads, as a real disk is: the show's worker reads
// pictures while the show (or a test playing the user) changes the folder.
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace vorn::fake {

class FakeFileSystem final : public FileSystem {
 public:
  struct File {
    std::string name;  // the long name as created
    std::vector<uint8_t> data;
    bool readOnly = false;
    std::string shortName;
  };

  // Fault injection: 1 makes the next call of that primitive fail, 2 the one
  // after it, and so on; 0 turns the fault off. Counting starts when set.
  void failOpenWriteAt(int n) { openWriteFault_ = n; }
  void failWriteAt(int n) { writeFault_ = n; }
  void failFlushAt(int n) { flushFault_ = n; }
  void failCloseAt(int n) { closeFault_ = n; }
  void failRenameAt(int n) { renameFault_ = n; }
  // Total bytes all files may hold; a write beyond it fails (full disk).
  void setCapacity(std::optional<uint64_t> bytes) { capacity_ = bytes; }

  void addFile(const std::string& path, std::vector<uint8_t> data);
  void addFile(const std::string& path, const std::string& data);
  void setReadOnly(const std::string& path, bool readOnly);
  // `shortPath` names the same file or folder as `longPath` (an 8.3 alias);
  // lookups through it reach the long one, findFirst reports both names.
  void addShortName(const std::string& longPath, const std::string& shortPath);
  // Contents, or nullopt when there is no such file.
  std::optional<std::vector<uint8_t>> contents(const std::string& path) const;
  std::vector<std::string> paths() const;  // every file, as normalised keys
  uint64_t usedBytes() const;

  bool exists(const std::string& path) override;
  std::optional<DirEntry> findFirst(const std::string& path) override;
  Result<std::vector<uint8_t>> readFile(const std::string& path, size_t maxBytes = SIZE_MAX) override;
  std::unique_ptr<WritableFile> openWrite(const std::string& path) override;
  bool rename(const std::string& from, const std::string& to) override;
  bool remove(const std::string& path) override;

  std::atomic<int> readCalls{0};  // how many readFile calls were made

 private:
  class Writer;
  std::string key(const std::string& path) const;  // normalised, aliases resolved
  static bool trip(int& counter);
  File* find(const std::string& path);

  std::map<std::string, File> files_;
  std::vector<std::pair<std::string, std::string>> aliases_;  // short key -> long key
  int openWriteFault_ = 0, writeFault_ = 0, flushFault_ = 0, closeFault_ = 0, renameFault_ = 0;
  std::optional<uint64_t> capacity_;
  // Recursive: a writer's full-disk check asks usedBytes() under the lock.
  mutable std::recursive_mutex m_;
};

}  // namespace vorn::fake

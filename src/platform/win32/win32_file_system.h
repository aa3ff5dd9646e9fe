#pragma once
// The real file system on Windows. Paths are the system's Windows-1250
// strings, converted to UTF-16 for the wide-character calls, so names with
// accented letters work whatever the user's code page is.
#include <string>

#include "platform/file_system.h"

namespace vorn {

class Win32FileSystem final : public FileSystem {
 public:
  bool exists(const std::string& path) override;  // files, not folders
  // The directory entry: long name and 8.3 alias (FindFirstFileW).
  std::optional<DirEntry> findFirst(const std::string& path) override;
  Result<std::vector<uint8_t>> readFile(const std::string& path, size_t maxBytes = SIZE_MAX) override;
  std::unique_ptr<WritableFile> openWrite(const std::string& path) override;
  // MoveFileExW with replace and write-through: one step, durable when it returns.
  bool rename(const std::string& from, const std::string& to) override;
  bool remove(const std::string& path) override;

  // The same two looks for a path that is already wide: the executable's
  // own path may name folders that Windows-1250 cannot spell.
  static bool existsWide(const std::wstring& path);
  static std::optional<DirEntry> findFirstWide(const std::wstring& path);
};

}  // namespace vorn

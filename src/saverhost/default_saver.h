#pragma once
// Making this executable the current user's screen saver: the registry's
// "Control Panel\Desktop" values, "system.ini" on the older platform family,
// and a notification to running programs. Stateless free functions; failure
// is reported only through the result.
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/system_params.h"

namespace vorn::saverhost {

// The executable's own file, as the registration looks at it. The path
// stays inside the port in the system's own form, so a folder named outside
// Windows-1250 (a Cyrillic user name) still reaches the file.
class SaverFile {
 public:
  virtual ~SaverFile() = default;
  virtual bool exists() = 0;
  virtual std::optional<DirEntry> findFirst() = 0;
};

// The file at a path of a FileSystem.
class SaverFileAt final : public SaverFile {
 public:
  SaverFileAt(FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}
  bool exists() override { return files_.exists(path_); }
  std::optional<DirEntry> findFirst() override { return files_.findFirst(path_); }

 private:
  FileSystem& files_;
  std::string path_;
};

struct SaverRegistrationServices {
  Registry& registry;
  ProfileFiles& profiles;
  SystemParameters& system;
};

// Creates (or opens) the key and writes a REG_SZ value; the key is closed
// whatever the write gave. True when the value was written.
bool RegWriteString(Registry& registry, RegistryRoot root, const std::string& keyPath,
                    const std::string& valueName, const std::string& data);

// The file-name part as the file system stores it: the 8.3 alias when the
// system made one for a long name (base of a full eight characters), else
// the long name with its stored letter case. Empty when nothing matches.
std::string GetDiskFileName(SaverFile& file);
std::string GetDiskFileName(FileSystem& files, const std::string& path);

bool IsWinNT(SystemParameters& system);

// True when the registry (and, off the NT family, "system.ini") now names
// the file. Steps that succeeded are not undone when a later one fails.
bool MakeDefaultSaver(SaverRegistrationServices& services, SaverFile& executable);

}  // namespace vorn::saverhost

#pragma once
// Making this executable the current user's screen saver: the registry's
// "Control Panel\Desktop" values, "system.ini" on the older platform family,
// and a notification to running programs. Stateless free functions; failure
// is reported only through the result.
#include <string>

#include "platform/file_system.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/system_params.h"

namespace vorn::saverhost {

struct SaverRegistrationServices {
  FileSystem& files;
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
std::string GetDiskFileName(FileSystem& files, const std::string& path);

bool IsWinNT(SystemParameters& system);

// True when the registry (and, off the NT family, "system.ini") now names
// the file. Steps that succeeded are not undone when a later one fails.
bool MakeDefaultSaver(SaverRegistrationServices& services, const std::string& path);

}  // namespace vorn::saverhost

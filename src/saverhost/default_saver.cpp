#include "saverhost/default_saver.h"

namespace vorn::saverhost {
namespace {

constexpr const char* kDesktopKey = "Control Panel\\Desktop";
constexpr const char* kSaverValue = "SCRNSAVE.EXE";

// The platform's fixed name buffers: 14 characters for the alias, 260 for
// the long name.
constexpr size_t kAltNameMax = 14;
constexpr size_t kLongNameMax = 260;

std::string upToZero(const std::string& s, size_t max) {
  std::string r = s.substr(0, std::min(s.size(), max));
  size_t z = r.find('\0');
  return z == std::string::npos ? r : r.substr(0, z);
}

}  // namespace

bool RegWriteString(Registry& registry, RegistryRoot root, const std::string& keyPath,
                    const std::string& valueName, const std::string& data) {
  std::optional<Registry::Key> key = registry.createKey(root, keyPath, kRegWriteAccess);
  if (!key) return false;
  bool written = registry.setString(*key, valueName, data);
  registry.closeKey(*key);
  return written;
}

std::string GetDiskFileName(FileSystem& files, const std::string& path) {
  SaverFileAt file(files, path);
  return GetDiskFileName(file);
}

std::string GetDiskFileName(SaverFile& file) {
  std::optional<DirEntry> entry = file.findFirst();
  if (!entry) return {};
  std::string name = upToZero(entry->shortName, kAltNameMax);
  // The alias stays only when its base fills eight characters, the way the
  // system shortens long names (six characters, a tilde, a digit). A shorter
  // base means an alias made for a name with odd characters: the long name
  // then serves better. The dot's 1-based position 8 or less is that case.
  size_t dot = name.find('.');
  if (dot == std::string::npos || dot + 1 <= 8) name = upToZero(entry->longName, kLongNameMax);
  return name;
}

bool IsWinNT(SystemParameters& system) { return system.platformId() == kPlatformWin32NT; }

bool MakeDefaultSaver(SaverRegistrationServices& s, SaverFile& executable) {
  if (!executable.exists()) return false;
  const std::string name = GetDiskFileName(executable);
  if (name.empty()) return false;
  if (!RegWriteString(s.registry, RegistryRoot::CurrentUser, kDesktopKey, kSaverValue, name))
    return false;
  if (!RegWriteString(s.registry, RegistryRoot::CurrentUser, kDesktopKey, "ScreenSaveActive", "1"))
    return false;
  bool result = true;
  if (!IsWinNT(s.system)) result = s.profiles.writeString("boot", kSaverValue, name, "system.ini");
  // Tell running programs, whatever the profile write gave.
  s.system.set(kSpiSetScreenSaveActive, 1, nullptr, kSpifSendWinIniChange);
  return result;
}

}  // namespace vorn::saverhost

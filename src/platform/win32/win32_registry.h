#pragma once
#include "platform/registry.h"

namespace vorn::win32 {

// The registry through the wide-character calls: Windows-1250 names and
// string data are converted to UTF-16 and back.
class Win32Registry final : public Registry {
 public:
  std::optional<Key> createKey(RegistryRoot root, const std::string& path, uint32_t access) override;
  std::optional<Key> openKey(RegistryRoot root, const std::string& path, uint32_t access) override;
  bool setString(Key key, const std::string& name, const std::string& data) override;
  // String values come back as Windows-1250 bytes with their terminating
  // zero, as the single-byte call gives them; other types as stored.
  std::optional<RegistryValue> readValue(Key key, const std::string& name) override;
  void closeKey(Key key) override;
};

}  // namespace vorn::win32

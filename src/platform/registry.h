#pragma once
// The registry as the screen saver uses it: open or create a key, write a
// string value, read a value back, close. Key paths, value names and string
// data are Windows-1250 bytes.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorn {

enum class RegistryRoot { CurrentUser, LocalMachine };

// Registry value types the program meets (the platform's numbers).
enum : uint32_t { kRegSz = 1, kRegDword = 4 };

// KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY |
// KEY_ENUMERATE_SUB_KEYS | READ_CONTROL: what the registration asks for.
constexpr uint32_t kRegWriteAccess = 0x2000F;
// KEY_ALL_ACCESS.
constexpr uint32_t kRegAllAccess = 0xF003F;

struct RegistryValue {
  uint32_t type = 0;
  std::vector<uint8_t> data;
};

class Registry {
 public:
  using Key = uintptr_t;  // opaque, valid until closeKey

  virtual ~Registry() = default;
  // Creates the key (and missing parents) or opens it when it exists.
  virtual std::optional<Key> createKey(RegistryRoot root, const std::string& path,
                                       uint32_t access) = 0;
  // Opens an existing key only.
  virtual std::optional<Key> openKey(RegistryRoot root, const std::string& path,
                                     uint32_t access) = 0;
  // Writes a REG_SZ value: the characters and the terminating zero.
  virtual bool setString(Key key, const std::string& name, const std::string& data) = 0;
  virtual std::optional<RegistryValue> readValue(Key key, const std::string& name) = 0;
  virtual void closeKey(Key key) = 0;
};

}  // namespace vorn

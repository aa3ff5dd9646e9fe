#include "platform/win32/win32_registry.h"

#include <windows.h>

#include "platform/win32/wide.h"

namespace vorn::win32 {
namespace {

HKEY rootKey(RegistryRoot root) {
  return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}
HKEY asHkey(Registry::Key k) { return reinterpret_cast<HKEY>(k); }

}  // namespace

std::optional<Registry::Key> Win32Registry::createKey(RegistryRoot root, const std::string& path,
                                                      uint32_t access) {
  HKEY key = nullptr;
  LONG rc = RegCreateKeyExW(rootKey(root), wide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            access, nullptr, &key, nullptr);
  if (rc != ERROR_SUCCESS) return std::nullopt;
  return reinterpret_cast<Key>(key);
}

std::optional<Registry::Key> Win32Registry::openKey(RegistryRoot root, const std::string& path,
                                                    uint32_t access) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(rootKey(root), wide(path).c_str(), 0, access, &key) != ERROR_SUCCESS)
    return std::nullopt;
  return reinterpret_cast<Key>(key);
}

bool Win32Registry::setString(Key key, const std::string& name, const std::string& data) {
  std::wstring w = wide(data);
  DWORD bytes = static_cast<DWORD>((w.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(asHkey(key), wide(name).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(w.c_str()), bytes) == ERROR_SUCCESS;
}

std::optional<RegistryValue> Win32Registry::readValue(Key key, const std::string& name) {
  std::wstring wname = wide(name);
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(asHkey(key), wname.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return std::nullopt;
  std::vector<uint8_t> data(size);
  if (RegQueryValueExW(asHkey(key), wname.c_str(), nullptr, &type, data.data(), &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  data.resize(size);
  RegistryValue v{type, {}};
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    std::wstring w(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
    while (!w.empty() && w.back() == L'\0') w.pop_back();
    std::string bytes = narrow(w);
    v.data.assign(bytes.begin(), bytes.end());
    v.data.push_back(0);
  } else {
    v.data = std::move(data);
  }
  return v;
}

void Win32Registry::closeKey(Key key) { RegCloseKey(asHkey(key)); }

}  // namespace vorn::win32

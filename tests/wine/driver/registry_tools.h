#pragma once
// Registry set-up and checks for tests: roots are written HKCU or HKLM.
#include <windows.h>

#include <optional>
#include <string>

namespace driver {

std::optional<HKEY> parseRoot(const std::string& name);

// A string value as text, a DWORD as its decimal number; nullopt when absent.
std::optional<std::wstring> readValueText(HKEY root, const std::wstring& key,
                                          const std::wstring& name, DWORD* type = nullptr);
bool writeString(HKEY root, const std::wstring& key, const std::wstring& name,
                 const std::wstring& value);
bool writeDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD value);
// True also when the value was not there.
bool deleteValue(HKEY root, const std::wstring& key, const std::wstring& name);

// Replaces the key's access list: with `deny`, everyone is refused setting
// values and creating sub-keys (reading stays allowed); without, everyone
// gets full access again.
bool setWriteDenied(HKEY root, const std::wstring& key, bool deny, std::string& error);

}  // namespace driver

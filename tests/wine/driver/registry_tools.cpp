#include "registry_tools.h"

#include <aclapi.h>

#include <cstdio>
#include <vector>

namespace driver {

std::optional<HKEY> parseRoot(const std::string& name) {
  if (name == "HKCU" || name == "HKEY_CURRENT_USER") return HKEY_CURRENT_USER;
  if (name == "HKLM" || name == "HKEY_LOCAL_MACHINE") return HKEY_LOCAL_MACHINE;
  return std::nullopt;
}

std::optional<std::wstring> readValueText(HKEY root, const std::wstring& key,
                                          const std::wstring& name, DWORD* typeOut) {
  HKEY k = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS) return std::nullopt;
  DWORD type = 0, size = 0;
  std::optional<std::wstring> result;
  if (RegQueryValueExW(k, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    std::vector<BYTE> data(size + sizeof(wchar_t));
    if (RegQueryValueExW(k, name.c_str(), nullptr, &type, data.data(), &size) == ERROR_SUCCESS) {
      if (typeOut) *typeOut = type;
      if (type == REG_SZ || type == REG_EXPAND_SZ) {
        std::wstring s(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
        while (!s.empty() && s.back() == L'\0') s.pop_back();
        result = s;
      } else if (type == REG_DWORD && size == 4) {
        DWORD v = *reinterpret_cast<const DWORD*>(data.data());
        result = std::to_wstring(v);
      } else {
        result = L"<type " + std::to_wstring(type) + L">";
      }
    }
  }
  RegCloseKey(k);
  return result;
}

static bool withKey(HKEY root, const std::wstring& key, REGSAM access, auto&& f) {
  HKEY k = nullptr;
  if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, access, nullptr, &k, nullptr) !=
      ERROR_SUCCESS)
    return false;
  bool ok = f(k);
  RegCloseKey(k);
  return ok;
}

bool writeString(HKEY root, const std::wstring& key, const std::wstring& name,
                 const std::wstring& value) {
  return withKey(root, key, KEY_SET_VALUE, [&](HKEY k) {
    return RegSetValueExW(k, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  });
}

bool writeDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD value) {
  return withKey(root, key, KEY_SET_VALUE, [&](HKEY k) {
    return RegSetValueExW(k, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof value) == ERROR_SUCCESS;
  });
}

bool deleteValue(HKEY root, const std::wstring& key, const std::wstring& name) {
  HKEY k = nullptr;
  LONG rc = RegOpenKeyExW(root, key.c_str(), 0, KEY_SET_VALUE, &k);
  if (rc == ERROR_FILE_NOT_FOUND) return true;
  if (rc != ERROR_SUCCESS) return false;
  rc = RegDeleteValueW(k, name.c_str());
  RegCloseKey(k);
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

bool setWriteDenied(HKEY root, const std::wstring& key, bool deny, std::string& error) {
  HKEY k = nullptr;
  LONG rc = RegOpenKeyExW(root, key.c_str(), 0, READ_CONTROL | WRITE_DAC, &k);
  if (rc != ERROR_SUCCESS) {
    error = "cannot open the key for its access list (" + std::to_string(rc) + ")";
    return false;
  }
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
  EXPLICIT_ACCESSW ea[2]{};
  int n = 0;
  if (deny) {
    ea[n].grfAccessPermissions = KEY_SET_VALUE | KEY_CREATE_SUB_KEY;
    ea[n].grfAccessMode = DENY_ACCESS;
    ea[n].grfInheritance = NO_INHERITANCE;
    ea[n].Trustee.TrusteeForm = TRUSTEE_IS_SID;
    ea[n].Trustee.ptstrName = static_cast<LPWSTR>(everyone);
    ++n;
  }
  ea[n].grfAccessPermissions = KEY_ALL_ACCESS;
  ea[n].grfAccessMode = GRANT_ACCESS;
  ea[n].grfInheritance = NO_INHERITANCE;
  ea[n].Trustee.TrusteeForm = TRUSTEE_IS_SID;
  ea[n].Trustee.ptstrName = static_cast<LPWSTR>(everyone);
  ++n;
  PACL acl = nullptr;
  DWORD r = SetEntriesInAclW(static_cast<ULONG>(n), ea, nullptr, &acl);
  if (r == ERROR_SUCCESS)
    r = SetSecurityInfo(k, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                        nullptr, nullptr, acl, nullptr);
  if (r != ERROR_SUCCESS) error = "cannot set the access list (" + std::to_string(r) + ")";
  if (acl) LocalFree(acl);
  FreeSid(everyone);
  RegCloseKey(k);
  return r == ERROR_SUCCESS;
}

}  // namespace driver

#include "registry_state.h"

#include <stdexcept>
#include <vector>

#include "platform/win32/handle.h"

namespace nimbul::e2e {
namespace {

using platform::win32::RegKey;

RegKey OpenUserKey(const std::string& key, REGSAM access) {
  HKEY raw = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, access, &raw) != ERROR_SUCCESS) return RegKey();
  return RegKey(raw);
}

RegKey CreateUserKey(const std::string& key) {
  HKEY raw = nullptr;
  const LONG result =
      RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw, nullptr);
  if (result != ERROR_SUCCESS) {
    throw std::runtime_error("cannot create HKCU\\" + key + " (error " + std::to_string(result) + ")");
  }
  return RegKey(raw);
}

void SetValue(const std::string& key, const std::string& name, DWORD type, const BYTE* data, DWORD size) {
  RegKey k = CreateUserKey(key);
  const LONG result = RegSetValueExA(k.get(), name.c_str(), 0, type, data, size);
  if (result != ERROR_SUCCESS) {
    throw std::runtime_error("cannot write " + name + " (error " + std::to_string(result) + ")");
  }
}

}  // namespace

LONG DeleteKeyTree(HKEY parent, const std::string& subKey) {
  HKEY raw = nullptr;
  LONG result = RegOpenKeyExA(parent, subKey.c_str(), 0, KEY_ALL_ACCESS, &raw);
  if (result == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
  if (result != ERROR_SUCCESS) return result;
  {
    RegKey key(raw);
    // Always the first subkey: each deletion renumbers the rest.
    for (;;) {
      char name[256];
      DWORD length = sizeof name;
      result = RegEnumKeyExA(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr);
      if (result == ERROR_NO_MORE_ITEMS) break;
      if (result != ERROR_SUCCESS) return result;
      result = DeleteKeyTree(key.get(), std::string(name, length));
      if (result != ERROR_SUCCESS) return result;
    }
  }
  return RegDeleteKeyA(parent, subKey.c_str());
}

void ResetNimbulonRegistry() {
  const LONG result = DeleteKeyTree(HKEY_CURRENT_USER, kVendorKey);
  if (result != ERROR_SUCCESS) {
    throw std::runtime_error("cannot delete HKCU\\" + std::string(kVendorKey) + " (error " + std::to_string(result) +
                             ")");
  }
  if (RegKey run = OpenUserKey(kRunKey, KEY_SET_VALUE)) {
    const LONG deleted = RegDeleteValueA(run.get(), kRunValue);
    if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND) {
      throw std::runtime_error("cannot delete the Run value (error " + std::to_string(deleted) + ")");
    }
  }
}

void PresetDword(const std::string& key, const std::string& name, DWORD value) {
  SetValue(key, name, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

void PresetString(const std::string& key, const std::string& name, const std::string& value) {
  SetValue(key, name, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), static_cast<DWORD>(value.size() + 1));
}

std::optional<DWORD> ReadDword(const std::string& key, const std::string& name) {
  RegKey k = OpenUserKey(key, KEY_QUERY_VALUE);
  if (!k) return std::nullopt;
  DWORD type = 0, value = 0, size = sizeof value;
  if (RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::string> ReadString(const std::string& key, const std::string& name) {
  RegKey k = OpenUserKey(key, KEY_QUERY_VALUE);
  if (!k) return std::nullopt;
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::nullopt;
  }
  std::vector<char> data(size + 1, '\0');
  if (RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(data.data());
}

bool KeyExists(const std::string& key) { return static_cast<bool>(OpenUserKey(key, KEY_READ)); }

}  // namespace nimbul::e2e

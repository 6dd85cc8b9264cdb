// The program's part of the current user's registry, as a test sets it up
// and reads it back. Every test starts from a profile without Nimbulon.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace nimbul::e2e {

inline constexpr const char* kVendorKey = "Software\\Quendel-Soft";
inline constexpr const char* kSettingsKey = "Software\\Quendel-Soft\\Nimbul";
inline constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunValue = "Nimbulon";

// Deletes HKCU\Software\Quendel-Soft with everything below it and the value
// "Nimbulon" under the Run key. Throws std::runtime_error when something
// that exists cannot be deleted.
void ResetNimbulonRegistry();

// Deletes `subKey` of `parent` with all its subkeys; a missing key is no
// error. Returns the system's result.
LONG DeleteKeyTree(HKEY parent, const std::string& subKey);

// Values under HKEY_CURRENT_USER\<key>; the key is created when missing.
// Both throw std::runtime_error on failure.
void PresetDword(const std::string& key, const std::string& name, DWORD value);
void PresetString(const std::string& key, const std::string& name, const std::string& value);

std::optional<DWORD> ReadDword(const std::string& key, const std::string& name);
// REG_SZ or REG_EXPAND_SZ, cut at the first NUL.
std::optional<std::string> ReadString(const std::string& key, const std::string& name);
bool KeyExists(const std::string& key);

}  // namespace nimbul::e2e

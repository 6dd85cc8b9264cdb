#include "platform/win32/win32_registry.h"

#include <windows.h>

#include "platform/win32/handle_ids.h"

namespace nimbul::platform::win32 {

namespace {

HKEY K(Hkey k) { return FromId<HKEY>(k); }

KeyOwner Own(HKEY key) {
  return KeyOwner(ToId<Hkey>(key), [](Hkey k) { ::RegCloseKey(K(k)); });
}

// A value that grows between the size query and the read is asked for again.
constexpr int kQueryAttempts = 4;

}  // namespace

std::uint32_t Win32Registry::RegCreateKeyExA(Hkey root, const std::string& path, std::uint32_t access,
                                             KeyOwner* result) {
  HKEY key = nullptr;
  LONG status =
      ::RegCreateKeyExA(K(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key, nullptr);
  if (status == ERROR_SUCCESS) *result = Own(key);
  return static_cast<std::uint32_t>(status);
}

std::uint32_t Win32Registry::RegCreateVolatileKeyA(Hkey root, const std::string& path, std::uint32_t access,
                                                   KeyOwner* result) {
  HKEY key = nullptr;
  LONG status =
      ::RegCreateKeyExA(K(root), path.c_str(), 0, nullptr, REG_OPTION_VOLATILE, access, nullptr, &key, nullptr);
  if (status == ERROR_SUCCESS) *result = Own(key);
  return static_cast<std::uint32_t>(status);
}

std::uint32_t Win32Registry::RegOpenKeyExA(Hkey root, const std::string& path, std::uint32_t access, KeyOwner* result) {
  HKEY key = nullptr;
  LONG status = ::RegOpenKeyExA(K(root), path.c_str(), 0, access, &key);
  if (status == ERROR_SUCCESS) *result = Own(key);
  return static_cast<std::uint32_t>(status);
}

std::uint32_t Win32Registry::RegQueryValueExA(Hkey key, const std::string& name, std::uint32_t* type,
                                              std::vector<std::uint8_t>* data) {
  DWORD valueType = REG_NONE;
  DWORD size = 0;
  LONG status = ::RegQueryValueExA(K(key), name.c_str(), nullptr, &valueType, nullptr, &size);
  if (status != ERROR_SUCCESS) return static_cast<std::uint32_t>(status);
  if (data) {
    std::vector<std::uint8_t> buffer;
    for (int attempt = 0;; ++attempt) {
      buffer.resize(size);
      if (size == 0) break;
      status = ::RegQueryValueExA(K(key), name.c_str(), nullptr, &valueType, buffer.data(), &size);
      if (status == ERROR_SUCCESS) {
        // The ANSI read of a text may be shorter than the size first reported.
        buffer.resize(size);
        break;
      }
      if (status != ERROR_MORE_DATA || attempt + 1 == kQueryAttempts) return static_cast<std::uint32_t>(status);
    }
    *data = std::move(buffer);
  }
  if (type) *type = valueType;
  return ERROR_SUCCESS;
}

std::uint32_t Win32Registry::RegSetValueExA(Hkey key, const std::string& name, std::uint32_t type,
                                            const std::vector<std::uint8_t>& data) {
  return static_cast<std::uint32_t>(
      ::RegSetValueExA(K(key), name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size())));
}

std::uint32_t Win32Registry::RegDeleteValueA(Hkey key, const std::string& name) {
  return static_cast<std::uint32_t>(::RegDeleteValueA(K(key), name.c_str()));
}

}  // namespace nimbul::platform::win32

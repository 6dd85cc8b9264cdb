// The registry on advapi32. Key handles are the system's HKEY values, so the
// roots kHkeyCurrentUser and kHkeyLocalMachine are the real predefined keys.
#pragma once
#include "platform/registry.h"

namespace nimbul::platform::win32 {

class Win32Registry : public Registry {
 public:
  std::uint32_t RegCreateKeyExA(Hkey root, const std::string& path, std::uint32_t access, KeyOwner* result) override;
  std::uint32_t RegOpenKeyExA(Hkey root, const std::string& path, std::uint32_t access, KeyOwner* result) override;
  std::uint32_t RegCreateVolatileKeyA(Hkey root, const std::string& path, std::uint32_t access,
                                      KeyOwner* result) override;
  std::uint32_t RegQueryValueExA(Hkey key, const std::string& name, std::uint32_t* type,
                                 std::vector<std::uint8_t>* data) override;
  std::uint32_t RegSetValueExA(Hkey key, const std::string& name, std::uint32_t type,
                               const std::vector<std::uint8_t>& data) override;
  std::uint32_t RegDeleteValueA(Hkey key, const std::string& name) override;
};

}  // namespace nimbul::platform::win32

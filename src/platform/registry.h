// The registry: the two roots the program uses and typed values.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/owner.h"
#include "platform/types.h"

namespace nimbul::platform {

constexpr Hkey kHkeyCurrentUser = Hkey{0x80000001u};
constexpr Hkey kHkeyLocalMachine = Hkey{0x80000002u};
constexpr std::uint32_t kKeyAllAccess = 0xF003F;

constexpr std::uint32_t kRegNone = 0;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;

class Registry {
 public:
  virtual ~Registry() = default;
  // Each returns the system's error code, kErrorSuccess on success.
  // The key opened is handed out with its owner, which closes it.
  virtual std::uint32_t RegCreateKeyExA(Hkey root, const std::string& path, std::uint32_t access, KeyOwner* result) = 0;
  virtual std::uint32_t RegOpenKeyExA(Hkey root, const std::string& path, std::uint32_t access, KeyOwner* result) = 0;
  // Like RegCreateKeyExA, but a key it creates is volatile: the system drops
  // it when the user logs off.
  virtual std::uint32_t RegCreateVolatileKeyA(Hkey root, const std::string& path, std::uint32_t access,
                                              KeyOwner* result) = 0;
  // With `data` null only the type and size are asked for.
  virtual std::uint32_t RegQueryValueExA(Hkey key, const std::string& name, std::uint32_t* type,
                                         std::vector<std::uint8_t>* data) = 0;
  virtual std::uint32_t RegSetValueExA(Hkey key, const std::string& name, std::uint32_t type,
                                       const std::vector<std::uint8_t>& data) = 0;
  virtual std::uint32_t RegDeleteValueA(Hkey key, const std::string& name) = 0;
};

}  // namespace nimbul::platform

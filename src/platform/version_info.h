// Version resources of executables.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace nimbul::platform {

class VersionInfo {
 public:
  virtual ~VersionInfo() = default;
  // The file version of the fixed file information as four 16-bit parts:
  // high and low word of the most significant 32 bits, then of the least.
  virtual std::optional<std::array<std::uint16_t, 4>> FileVersion(const std::string& path) = 0;
};

}  // namespace nimbul::platform

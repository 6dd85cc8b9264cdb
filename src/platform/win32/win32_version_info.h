// Version resources through the version library, loaded from the system
// folder when first needed.
#pragma once
#include "platform/version_info.h"

namespace nimbul::platform::win32 {

class Win32VersionInfo : public VersionInfo {
 public:
  // Empty when the file is missing or has no valid fixed file information.
  std::optional<std::array<std::uint16_t, 4>> FileVersion(const std::string& path) override;
};

}  // namespace nimbul::platform::win32

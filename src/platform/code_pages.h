// Conversions between the system's code pages.
#pragma once
#include <string>

namespace nimbul::platform {

class CodePages {
 public:
  virtual ~CodePages() = default;
  // Converts text of the ANSI code page to the OEM code page, the one batch
  // files are read in. False when some character has no exact counterpart.
  virtual bool ToOemCodePage(const std::string& ansi, std::string* oem) = 0;
};

}  // namespace nimbul::platform

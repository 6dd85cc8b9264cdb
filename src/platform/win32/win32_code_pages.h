// Code page conversions through UTF-16, refusing every approximation.
#pragma once
#include "platform/code_pages.h"

namespace nimbul::platform::win32 {

// Converts text of the ANSI code page to `codePage`; false when some
// character has no exact counterpart there.
bool AnsiToCodePage(const std::string& ansi, unsigned codePage, std::string* out);

class Win32CodePages : public CodePages {
 public:
  bool ToOemCodePage(const std::string& ansi, std::string* oem) override;
  bool IsLeadByte(char byte) override;
  std::string ToLower(const std::string& ansi) override;
};

}  // namespace nimbul::platform::win32

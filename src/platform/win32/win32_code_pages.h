// Code page conversions through UTF-16, refusing every approximation.
#pragma once
#include "platform/code_pages.h"

namespace nimbul::platform::win32 {

class Win32CodePages : public CodePages {
 public:
  bool ToOemCodePage(const std::string& ansi, std::string* oem) override;
};

}  // namespace nimbul::platform::win32

// The user's regional settings from the system's locale information.
#pragma once
#include "platform/locale.h"

namespace nimbul::platform::win32 {

class Win32Locale : public Locale {
 public:
  std::string DateSeparator() override;
  std::string TimeSeparator() override;
};

}  // namespace nimbul::platform::win32

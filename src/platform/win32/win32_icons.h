// Icons on the real system.
#pragma once
#include "platform/icons.h"

namespace nimbul::platform::win32 {

class Win32Icons : public Icons {
 public:
  IconOwner FromIconImage(const std::string& image, int width, int height) override;
  IconOwner FromResource(const std::string& name) override;
  IconOwner FileSmallIcon(const std::string& path) override;
  IconOwner Copy(Hicon icon) override;
  bool Pixels(Hicon icon, IconPixels* out) override;
};

}  // namespace nimbul::platform::win32

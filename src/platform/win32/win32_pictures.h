// Pictures as device-independent bitmaps, decoded from the executable's
// raw-data resources.
#pragma once
#include <windows.h>

#include "platform/pictures.h"

namespace nimbul::platform::win32 {

class Win32Pictures : public Pictures {
 public:
  Picture LoadJpegResource(const std::string& resourceName) override;
  // The bitmap behind a handle that this service handed out.
  static HBITMAP Bitmap(Hbitmap h);
};

}  // namespace nimbul::platform::win32

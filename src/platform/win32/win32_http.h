// HTTP on WinINet, with owned session, connection and request handles.
#pragma once
#include "platform/http.h"

namespace nimbul::platform::win32 {

class Win32Http : public Http {
 public:
  std::unique_ptr<HttpTransfer> Open(const HttpRequest& request) override;
};

}  // namespace nimbul::platform::win32

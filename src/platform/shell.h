// The shell: ShellExecute, the notification area and file icons.
#pragma once
#include <string>

#include "platform/types.h"

namespace nimbul::platform {

class Shell {
 public:
  virtual ~Shell() = default;
  virtual void ShellExecuteA(Hwnd owner, const std::string& file, const std::string& parameters,
                             const std::string& directory, int showCmd) = 0;
};

}  // namespace nimbul::platform

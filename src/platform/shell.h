// The shell: ShellExecute, the notification area and file icons.
#pragma once
#include <string>

#include "platform/types.h"

namespace nimbul::platform {

class Shell {
 public:
  virtual ~Shell() = default;
  // Hands the file to the shell's default action for its type. True when
  // the shell reports that it was started.
  virtual bool ShellExecuteA(Hwnd owner, const std::string& file, const std::string& parameters,
                             const std::string& directory, int showCmd) = 0;
};

}  // namespace nimbul::platform

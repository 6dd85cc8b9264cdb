// The shell's default action for documents, links and batch files.
#pragma once
#include "platform/shell.h"

namespace nimbul::platform::win32 {

class Win32Shell : public Shell {
 public:
  bool ShellExecuteA(Hwnd owner, const std::string& file, const std::string& parameters, const std::string& directory,
                     int showCmd) override;
};

}  // namespace nimbul::platform::win32

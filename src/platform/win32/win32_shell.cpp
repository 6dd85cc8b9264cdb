#include "platform/win32/win32_shell.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/handle_ids.h"
#include "platform/win32/late_bound.h"

namespace nimbul::platform::win32 {

namespace {
// An empty parameter or folder text means none, as a null pointer does.
const char* OrNull(const std::string& s) { return s.empty() ? nullptr : s.c_str(); }
}  // namespace

bool Win32Shell::ShellExecuteA(Hwnd owner, const std::string& file, const std::string& parameters,
                               const std::string& directory, int showCmd) {
  // No verb: the file type's default action.
  static auto* const shellExecute = LateBound<decltype(::ShellExecuteA)>("shell32.dll", "ShellExecuteA");
  if (!shellExecute) return false;
  HINSTANCE result =
      shellExecute(FromId<HWND>(owner), nullptr, file.c_str(), OrNull(parameters), OrNull(directory), showCmd);
  // Values above 32 mean success.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace nimbul::platform::win32

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

void Win32Shell::ShellExecuteA(Hwnd owner, const std::string& file, const std::string& parameters,
                               const std::string& directory, int showCmd) {
  // No verb: the file type's default action. Callers do not look at the outcome.
  static auto* const shellExecute = LateBound<decltype(::ShellExecuteA)>("shell32.dll", "ShellExecuteA");
  if (!shellExecute) return;
  shellExecute(FromId<HWND>(owner), nullptr, file.c_str(), OrNull(parameters), OrNull(directory), showCmd);
}

}  // namespace nimbul::platform::win32

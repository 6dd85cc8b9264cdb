#include "platform/win32/win32_file_dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "platform/win32/handle_ids.h"
#include "platform/win32/late_bound.h"

namespace nimbul::platform::win32 {

namespace {

// "a|b|c|d" becomes "a\0b\0c\0d\0\0".
std::string FilterText(const std::string& filter) {
  std::string out = filter;
  for (char& c : out)
    if (c == '|') c = '\0';
  out.push_back('\0');
  out.push_back('\0');
  return out;
}

bool Run(Hwnd owner, const FileDialogOptions& options, std::string* path, bool save) {
  std::vector<char> file(MAX_PATH * 4, '\0');
  std::string filter = FilterText(options.filter);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = FromId<HWND>(owner);
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = options.initialDir.empty() ? nullptr : options.initialDir.c_str();
  ofn.lpstrDefExt = options.defaultExt.empty() ? nullptr : options.defaultExt.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (options.overwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
  if (options.hideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
  if (options.resizable) ofn.Flags |= OFN_ENABLESIZING;
  if (!save) ofn.Flags |= OFN_FILEMUSTEXIST;
  static auto* const openDialog = LateBound<decltype(::GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
  static auto* const saveDialog = LateBound<decltype(::GetSaveFileNameA)>("comdlg32.dll", "GetSaveFileNameA");
  auto* const dialog = save ? saveDialog : openDialog;
  if (!dialog || !dialog(&ofn)) return false;
  *path = file.data();
  return true;
}

}  // namespace

bool Win32FileDialogs::GetOpenFileNameA(Hwnd owner, const FileDialogOptions& options, std::string* path) {
  return Run(owner, options, path, false);
}

bool Win32FileDialogs::GetSaveFileNameA(Hwnd owner, const FileDialogOptions& options, std::string* path) {
  return Run(owner, options, path, true);
}

}  // namespace nimbul::platform::win32

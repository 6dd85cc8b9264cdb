// The system's open and save dialogs.
#pragma once
#include <string>

#include "platform/types.h"

namespace nimbul::platform {

struct FileDialogOptions {
  // Pairs of description and pattern, separated by "|": "Text (*.txt)|*.txt".
  std::string filter;
  std::string defaultExt;  // without the dot
  std::string initialDir;
  bool overwritePrompt = false;
  bool hideReadOnly = false;
  bool resizable = false;
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // True with the chosen path, false when the user cancels.
  virtual bool GetOpenFileNameA(Hwnd owner, const FileDialogOptions& options, std::string* path) = 0;
  virtual bool GetSaveFileNameA(Hwnd owner, const FileDialogOptions& options, std::string* path) = 0;
};

}  // namespace nimbul::platform

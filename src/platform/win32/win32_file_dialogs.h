// The common open and save dialogs.
#pragma once
#include "platform/file_dialogs.h"

namespace nimbul::platform::win32 {

class Win32FileDialogs : public FileDialogs {
 public:
  bool GetOpenFileNameA(Hwnd owner, const FileDialogOptions& options, std::string* path) override;
  bool GetSaveFileNameA(Hwnd owner, const FileDialogOptions& options, std::string* path) override;
};

}  // namespace nimbul::platform::win32

// The window manager on user32.
#pragma once
#include "platform/window_manager.h"

namespace nimbul::platform::win32 {

class Win32WindowManager : public WindowManager {
 public:
  Hwnd GetWindow(Hwnd w, unsigned cmd) override;
  std::string GetWindowTextA(Hwnd w) override;
  bool IsWindowVisible(Hwnd w) override;
  bool IsWindow(Hwnd w) override;
  bool IsWindowEnabled(Hwnd w) override;
  std::uint32_t GetWindowProcessId(Hwnd w) override;
  std::string GetClassNameA(Hwnd w) override;
  Hwnd FindWindowA(const std::string& className) override;
  Hwnd FindWindowExA(Hwnd parent, Hwnd after, const std::string& className) override;
  bool IsCloaked(Hwnd w) override;
  bool ShowWindow(Hwnd w, int cmd) override;
  bool ShowWindowAsync(Hwnd w, int cmd) override;
  bool IsHungAppWindow(Hwnd w) override;
  bool AnswersWithin(Hwnd w, unsigned ms) override;
  Hwnd GetForegroundWindow() override;
  bool SetForegroundWindow(Hwnd w) override;
  void RaiseWindow(Hwnd w) override;
  Hwnd GetLastActivePopup(Hwnd w) override;
  std::uint32_t GetClassLongA(Hwnd w, int index) override;
  std::uint32_t GetWindowLongA(Hwnd w, int index) override;
  IconOwner CopyIcon(Hicon icon) override;
  int GetSystemMetrics(int index) override;
  bool SystemParametersInfoA(unsigned action, unsigned param, std::uint32_t* previous, unsigned winIni) override;
  int MessageBoxA(Hwnd owner, const std::string& text, const std::string& caption, unsigned flags) override;
  unsigned MapVirtualKeyA(unsigned code, unsigned mapType) override;
  std::string GetKeyNameTextA(long lParam) override;
  bool SameTextIgnoringCase(const std::string& a, const std::string& b) override;
};

}  // namespace nimbul::platform::win32

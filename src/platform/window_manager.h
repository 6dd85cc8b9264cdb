// The window manager: top-level windows of the desktop, foreground, message
// boxes and system parameters.
#pragma once
#include <string>

#include "platform/owner.h"
#include "platform/types.h"

namespace nimbul::platform {

class WindowManager {
 public:
  virtual ~WindowManager() = default;

  // The next window below `w` in the Z-order (cmd kGwHwndNext); 0 after the last.
  virtual Hwnd GetWindow(Hwnd w, unsigned cmd) = 0;
  // The title as read into a 256-byte buffer: at most 255 bytes; empty when
  // the window has no title or no longer exists.
  virtual std::string GetWindowTextA(Hwnd w) = 0;
  virtual bool IsWindowVisible(Hwnd w) = 0;
  virtual bool IsWindow(Hwnd w) = 0;
  virtual bool IsWindowEnabled(Hwnd w) = 0;
  // The id of the process that owns the window; 0 when there is no such window.
  virtual std::uint32_t GetWindowProcessId(Hwnd w) = 0;
  // The window's class name; empty when there is no such window.
  virtual std::string GetClassNameA(Hwnd w) = 0;
  // The top-level window of the class, or 0. Class names compare case-insensitively.
  virtual Hwnd FindWindowA(const std::string& className) = 0;
  // The next window of the class after `after` (0: the first) among the
  // children of `parent`, or among the top-level windows when `parent` is 0.
  virtual Hwnd FindWindowExA(Hwnd parent, Hwnd after, const std::string& className) = 0;
  // True when the desktop window manager keeps the window off the screen
  // although it counts as visible (a suspended app, another virtual desktop).
  virtual bool IsCloaked(Hwnd w) = 0;
  virtual bool ShowWindow(Hwnd w, int cmd) = 0;
  // Like ShowWindow but never waits for the window's thread.
  virtual bool ShowWindowAsync(Hwnd w, int cmd) = 0;
  // True when the system counts the window's thread as hung (it stopped
  // handling messages some seconds ago).
  virtual bool IsHungAppWindow(Hwnd w) = 0;
  // True when the window's thread handles a message within `ms`: false for
  // a thread that has just stopped, before the system counts it as hung.
  virtual bool AnswersWithin(Hwnd w, unsigned ms) = 0;
  virtual Hwnd GetForegroundWindow() = 0;
  virtual bool SetForegroundWindow(Hwnd w) = 0;
  // Puts the window at the top of the Z-order (of its group), without activating it.
  virtual void RaiseWindow(Hwnd w) = 0;
  virtual Hwnd GetLastActivePopup(Hwnd w) = 0;
  virtual std::uint32_t GetClassLongA(Hwnd w, int index) = 0;
  virtual std::uint32_t GetWindowLongA(Hwnd w, int index) = 0;
  // A copy of the icon that its owner destroys; empty when the icon is not valid.
  virtual IconOwner CopyIcon(Hicon icon) = 0;
  virtual int GetSystemMetrics(int index) = 0;
  // Returns the call's result; `previous` receives the previous state.
  virtual bool SystemParametersInfoA(unsigned action, unsigned param, std::uint32_t* previous, unsigned winIni) = 0;
  // Modal message box on the calling thread; returns the button pressed.
  virtual int MessageBoxA(Hwnd owner, const std::string& text, const std::string& caption, unsigned flags) = 0;
  // The scan code for a virtual key (mapping type 0), and the layout's key name.
  virtual unsigned MapVirtualKeyA(unsigned code, unsigned mapType) = 0;
  virtual std::string GetKeyNameTextA(long lParam) = 0;
  // Equal but for letter case, as the system compares under the user's locale.
  virtual bool SameTextIgnoringCase(const std::string& a, const std::string& b) = 0;
};

}  // namespace nimbul::platform

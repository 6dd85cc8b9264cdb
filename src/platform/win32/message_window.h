// A hidden message-only window of a private class: the receiver of posted
// messages (WM_HOTKEY, WM_TIMER) for services that have no form of their own.
#pragma once
#include <windows.h>

#include <functional>

#include "platform/win32/handle.h"

namespace nimbul::platform::win32 {

// Registers the window class `wc` describes unless this module has it
// already; true when the class is there afterwards.
bool EnsureWindowClass(const WNDCLASSEXA& wc);

class MessageWindow {
 public:
  // Returns true when it handled the message.
  using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam)>;

  // `className` names the private window class (registered on first use).
  MessageWindow(const char* className, Handler handler);
  ~MessageWindow();
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;

  // Null when the window could not be created.
  HWND hwnd() const { return window_.get(); }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  Handler handler_;
  WindowHandle window_;
};

}  // namespace nimbul::platform::win32

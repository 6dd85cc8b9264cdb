// Global atoms (kernel32) and system-wide hotkeys (user32). Each hotkey window
// is a message-only window of the private class "TKeyHot".
#pragma once
#include <windows.h>

#include <map>
#include <memory>

#include "platform/hotkeys.h"
#include "platform/win32/message_window.h"

namespace nimbul::platform::win32 {

class Win32Hotkeys : public Hotkeys {
 public:
  AtomOwner GlobalAddAtomA(const std::string& name) override;
  bool RegisterHotKey(Hwnd w, int id, unsigned modifiers, unsigned vk) override;
  bool UnregisterHotKey(Hwnd w, int id) override;
  // Empty when the window could not be created.
  WindowOwner CreateHotkeyWindow(std::function<void(unsigned id)> onHotkey) override;

 private:
  std::map<Hwnd, std::unique_ptr<MessageWindow>> windows_;
};

}  // namespace nimbul::platform::win32

// Global atoms and system-wide hotkeys.
#pragma once
#include <functional>
#include <string>

#include "platform/owner.h"
#include "platform/types.h"

namespace nimbul::platform {

constexpr unsigned kModAlt = 1;
constexpr unsigned kModControl = 2;
constexpr unsigned kModShift = 4;
constexpr unsigned kWmHotkey = 0x0312;

class Hotkeys {
 public:
  virtual ~Hotkeys() = default;
  // A new reference to the global atom, given back by its owner; empty on failure.
  virtual AtomOwner GlobalAddAtomA(const std::string& name) = 0;
  virtual bool RegisterHotKey(Hwnd w, int id, unsigned modifiers, unsigned vk) = 0;
  virtual bool UnregisterHotKey(Hwnd w, int id) = 0;
  // A window of its own that receives WM_HOTKEY; `onHotkey` gets the message's
  // identifier, on the user-interface thread.
  virtual WindowOwner CreateHotkeyWindow(std::function<void(unsigned id)> onHotkey) = 0;
};

}  // namespace nimbul::platform

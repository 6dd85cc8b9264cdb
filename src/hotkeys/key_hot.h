// A system-wide hotkey bound to an event: while registered, pressing the
// combination anywhere on the desktop raises HotKeyEvent.
#pragma once
#include <functional>

#include "hotkeys/shortcut.h"
#include "platform/hotkeys.h"

namespace nimbul::hotkeys {

class TKeyHot {
 public:
  // The stored value is written while the owning form is built, which
  // registers it at once.
  TKeyHot(platform::Hotkeys& hotkeys, TShortCut stored);
  ~TKeyHot();
  TKeyHot(const TKeyHot&) = delete;
  TKeyHot& operator=(const TKeyHot&) = delete;

  TShortCut ShortCut() const { return shortCut_; }
  // Stores the value and registers it anew.
  void SetShortCut(TShortCut value);
  void RegisterShortCut();
  void UnregisterShortCut();
  platform::Atom HotKeyId() const { return hotKeyId_.get(); }
  platform::Hwnd Handle() const { return window_.get(); }
  // The system granted the combination (another program may hold it).
  bool Registered() const { return registered_; }

  std::function<void(TKeyHot& sender)> HotKeyEvent;

 private:
  void OnHotkey(unsigned id);
  platform::Hotkeys& hotkeys_;
  TShortCut shortCut_ = 0;
  platform::AtomOwner hotKeyId_;
  platform::WindowOwner window_;
  bool registered_ = false;
};

// The platform's modifier flags for a shortcut value.
unsigned ModifierFlags(TShortCut value);

}  // namespace nimbul::hotkeys

// The driver's side of the target-window helper: starts it with the windows
// a test needs, hands out their handles and sends it commands.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "started_process.h"
#include "target_commands.h"

namespace nimbul::e2e {

struct TargetSpec {
  std::string title;
  std::string className = targets::kDefaultTargetClass;
  bool shown = true;
  // A child window of this class inside the target, when not empty.
  std::string childClass = {};
  // Refuses to be hidden, as a program running as administrator does for an unelevated one.
  bool refusesHide = false;
  // A file the helper holds open, shared with nobody, while it runs.
  std::string holdsFile = {};
};

class Targets {
 public:
  // Starts targets.exe (next to the driver) and waits until all windows
  // exist. Throws std::runtime_error when the helper fails to come up.
  static Targets Open(const std::vector<TargetSpec>& windows);

  Targets() = default;
  Targets(Targets&&) = default;
  Targets& operator=(Targets&&) = default;
  // Asks the helper to quit, and ends it if it does not.
  ~Targets();

  const std::vector<HWND>& windows() const { return windows_; }
  HWND operator[](size_t index) const { return windows_.at(index); }
  const Process& process() const { return process_; }

  // The title is set from outside, as any program can (WM_SETTEXT).
  void SetTitle(size_t index, const std::string& title) const;
  void Show(size_t index, int showCommand) const;
  void Close(size_t index) const;
  // The helper takes the key as a system-wide hotkey of its own.
  bool HoldHotkey(WORD virtualKey) const;
  // The helper's process makes `window` the foreground window.
  bool Foreground(HWND window) const;
  // A new window of the helper takes the foreground and closes after
  // `duration`; then the target at `then`, if any, takes the foreground.
  void Interlude(Millis duration, std::optional<size_t> then = std::nullopt) const;
  // The helper stops pumping messages for `duration`.
  void Hang(Millis duration) const;
  // The last key a target window received, and the modifiers held with it
  // (targets::kKeyShift, ...); nullopt before any key.
  struct Key {
    WORD virtualKey;
    unsigned modifiers;
  };
  std::optional<Key> LastKey() const;
  // Ends the helper; returns its exit code, if it ended in time.
  std::optional<DWORD> Quit();

 private:
  void Post(UINT command, WPARAM wParam = 0, LPARAM lParam = 0) const;

  Process process_;
  HWND control_ = nullptr;
  std::vector<HWND> windows_;
};

}  // namespace nimbul::e2e

// The messages by which the driver commands the target-window helper
// (tests/e2e/targets). They go to the helper's message-only control window,
// which has this class and no title; window indices count from 0 in the
// order of the helper's command line.
#pragma once
#include <windows.h>

namespace nimbul::e2e::targets {

inline constexpr const char* kControlClass = "NimbulTargetsControl";
inline constexpr const char* kDefaultTargetClass = "NimbulTarget";

enum Command : UINT {
  kGetWindowCount = WM_APP + 1,  // result: number of target windows opened
  kGetWindow,                    // wParam: index; result: its handle, or 0
  kShowTarget,                   // wParam: index, lParam: SW_ command for ShowWindow
  kCloseTarget,                  // wParam: index; the window is destroyed
  kHang,                         // wParam: milliseconds without pumping messages
  kQuit,                         // the helper ends with exit code 0
  kGetLastKey,                   // result: the last key pressed in a target (see below)
  kHoldHotkey,                   // wParam: a virtual key the helper registers as its own hotkey; result: granted
  kForeground,                   // lParam: any window; the helper makes it the foreground window
  kInterlude,                    // wParam: milliseconds a new window holds the foreground before it closes;
                                 // lParam: index + 1 of a target that takes the foreground then, or 0
};

// kGetLastKey's result: the virtual-key code in the low word, the modifier
// bits held at the time in the high word; 0 before any key.
inline constexpr UINT kKeyShift = 1;
inline constexpr UINT kKeyCtrl = 2;
inline constexpr UINT kKeyAlt = 4;

}  // namespace nimbul::e2e::targets

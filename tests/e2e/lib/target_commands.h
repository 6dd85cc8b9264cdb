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
};

}  // namespace nimbul::e2e::targets

// The shell's own top-level windows, as the program finds them and as the
// window lists leave them out.
#pragma once
#include <vector>

#include "platform/types.h"
#include "platform/window_manager.h"

namespace nimbul::platform {

// Window classes of the desktop (with its icons) and of the taskbar.
inline constexpr const char* kDesktopClass = "Progman";
inline constexpr const char* kTaskbarClass = "Shell_TrayWnd";
// The taskbar of each further monitor.
inline constexpr const char* kSecondaryTaskbarClass = "Shell_SecondaryTrayWnd";
// The view that shows the desktop icons, and the shell's worker windows, one
// of which holds that view once the wallpaper has changed or the desktop was
// shown.
inline constexpr const char* kIconViewClass = "SHELLDLL_DefView";
inline constexpr const char* kWorkerClass = "WorkerW";
// Every taskbar, the main monitor's first.
inline constexpr const char* kTaskbarClasses[] = {kTaskbarClass, kSecondaryTaskbarClass};
// Titles the window lists never show: the desktop's, and a lone blank.
inline constexpr const char* kDesktopTitle = "Program Manager";
inline constexpr const char* kBlankTitle = " ";

// The top-level window that holds the desktop icons: the desktop window when
// the icon view sits in it (or nowhere), else the worker window that holds
// it. 0 when there is no desktop window at all.
Hwnd DesktopIconWindow(WindowManager& wm);

// Every taskbar window there is, the main monitor's first.
std::vector<Hwnd> Taskbars(WindowManager& wm);

// True for a window of the shell that the window operations must never offer
// or hide: the desktop window, a worker window that holds the icon view, and
// every taskbar.
bool IsShellWindow(WindowManager& wm, Hwnd w);

}  // namespace nimbul::platform

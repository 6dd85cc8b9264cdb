// The shell's own top-level windows, as the program finds them and as the
// window lists leave them out.
#pragma once

namespace nimbul::platform {

// Window classes of the desktop (with its icons) and of the taskbar.
inline constexpr const char* kDesktopClass = "Progman";
inline constexpr const char* kTaskbarClass = "Shell_TrayWnd";
// Titles the window lists never show: the desktop's, and a lone blank.
inline constexpr const char* kDesktopTitle = "Program Manager";
inline constexpr const char* kBlankTitle = " ";

}  // namespace nimbul::platform

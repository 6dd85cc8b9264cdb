// What the desktop window manager says about frames and windows. Its library
// is bound late: systems without it (and Wine, which composes nothing) answer
// as an uncomposed desktop does.
#pragma once
#include <windows.h>

namespace nimbul::platform::win32 {

// True while the desktop window manager composes the windows' frames
// (always, since Windows 8): what a program paints into its frame is then
// overdrawn by the system's own.
bool FramesComposed();

// True when the desktop window manager keeps `w` off the screen although the
// window counts as visible; false where it cannot say.
bool WindowCloaked(HWND w);

}  // namespace nimbul::platform::win32

// The title bar's colour gradient, painted over the system's caption.
#pragma once
#include <windows.h>

namespace nimbul::ui::win32 {

// Paints the caption bar of `hwnd` between the system icon and the caption
// buttons as `steps` bands from `start` to black, with the window's title on
// top. The buttons and the frame stay the system's. Where the desktop window
// manager composes frames nothing is painted: the caption is the system's.
void PaintGradientCaption(HWND hwnd, COLORREF start, int steps, bool active);

// The colour of band `band` of `steps` from `start` to black.
COLORREF GradientBand(COLORREF start, int band, int steps);

}  // namespace nimbul::ui::win32

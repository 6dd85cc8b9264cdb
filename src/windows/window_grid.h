// How both window lists look in their grids: a header row "Name" / "Handle"
// above the entries, or one blank row and no header when the list is empty.
// This is the one place where a window handle becomes the decimal text on screen.
#pragma once
#include "ui/string_grid.h"
#include "windows/window_list.h"

namespace nimbul::windows {

constexpr int kNameCol = 0;
constexpr int kHandleCol = 1;

// Draws the list into the grid with its chosen entry selected. When the grid
// already shows the same entries, only the titles that changed are redrawn.
void Render(const WindowList& list, ui::StringGrid& grid);

}  // namespace nimbul::windows

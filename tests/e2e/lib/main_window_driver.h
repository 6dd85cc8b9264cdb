// Driving the main window as a user does: its tool bar buttons, its lists
// and the keyboard, and reading what the lists show.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "nimbul_app.h"
#include "remote_controls.h"

namespace nimbul::e2e {

// Tool bar button positions, counting separators and the hidden button.
enum ToolButtonIndex : int {
  kShowSelected = 0,
  kShowAll = 1,
  kHideAll = 2,
  kHideSelected = 3,
  kRefresh = 5,
};

// The main window's tool bar ("ToolbarWindow32"), or null.
HWND ToolBarOf(HWND mainWindow);
// Screen rectangle of a tool bar button by index (TB_GETITEMRECT across processes).
RECT ToolButtonRect(HWND toolBar, int index);
void ClickToolButton(HWND toolBar, int index);
// Brings a window to the top and the foreground and waits until it is there.
bool Activate(HWND window);
// The Name column of a list's rows that carry a handle (the blank row of an
// empty list is left out).
std::vector<std::string> ListedNames(const RemoteListView& list);
// The Handle column likewise.
std::vector<std::string> ListedHandles(const RemoteListView& list);
std::string HandleText(HWND window);
// Whether a row of the list carries `window`'s handle.
bool Listed(const RemoteListView& list, HWND window);
// Double-clicks the row of a list whose Handle column is `handle`.
bool DoubleClickRowOf(const RemoteListView& list, HWND window);

}  // namespace nimbul::e2e

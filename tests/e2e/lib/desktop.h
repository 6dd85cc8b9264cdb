// Looking at the desktop from outside: top-level windows, their titles,
// classes, owners' processes and children, read without sending messages
// where possible so a hung program cannot stall the driver.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "polling.h"

namespace nimbul::e2e {

std::string TitleOf(HWND window);
std::string ClassOf(HWND window);
DWORD ProcessOf(HWND window);

// What a top-level window must match; empty fields match anything.
struct WindowQuery {
  std::optional<std::string> className;
  std::optional<std::string> title;
  DWORD processId = 0;
  bool visibleOnly = true;
};

// Top-level windows in Z-order, topmost first.
std::vector<HWND> TopLevelWindows();
std::vector<HWND> FindTopLevel(const WindowQuery& query);
HWND WaitForTopLevel(const WindowQuery& query, Millis timeout = kPatience);

// Direct and indirect children, optionally only of one class.
std::vector<HWND> ChildrenOf(HWND parent, const std::string& className = "");
HWND ChildWithText(HWND parent, const std::string& text);

// How many icons the virtual desktop's taskbar has taken: it draws them
// itself and gives each one a tool of its tooltip window (a tool that stays
// when the icon goes, so only an increase says anything). -1 without a taskbar.
int TrayIconCount();
// The tooltip windows of the virtual desktop's taskbar (none without one).
std::vector<HWND> TaskbarTooltips();

// The window's rectangle and its centre, in screen coordinates.
RECT ScreenRect(HWND window);
POINT CentreOf(const RECT& r);

}  // namespace nimbul::e2e

// Message boxes of a program under test, found by caption and read by the
// text of their static control.
#pragma once
#include <windows.h>

#include <string>

#include "polling.h"

namespace nimbul::e2e {

inline constexpr const char* kDialogClass = "#32770";

// A visible dialog-class window with this caption; of that process only
// when `processId` is not 0.
HWND FindMessageBox(const std::string& caption, DWORD processId = 0);
HWND WaitForMessageBox(const std::string& caption, DWORD processId = 0, Millis timeout = kPatience);

// The message: the text of the box's static controls that carry text
// (the icon's static has none), joined by CR LF.
std::string MessageBoxTextOf(HWND box);

// Presses the box's button with this command identifier (IDOK, IDYES, ...)
// the way a click does: the dialog receives BN_CLICKED from that button.
// Returns false when the box has no such button.
bool PressMessageBoxButton(HWND box, int buttonId = IDOK);

}  // namespace nimbul::e2e

// The program's own window messages, with their fixed values.
#pragma once
#include <windows.h>

namespace nimbul::ui::win32 {

// Private messages of the native peers. (The tray icon's callback message is
// the shell's, shell::kTrayCallbackMessage.)
// Rebuilds the menu bars whose models changed (posted, so a burst of model
// changes costs one rebuild).
constexpr UINT kWmRebuildMenus = WM_APP + 1;
// Puts the model's selection back on a list view the user clicked empty.
constexpr UINT kWmReselect = WM_APP + 2;
// Hands the activation of the application window on to its last active form.
constexpr UINT kWmActivateLastPopup = WM_APP + 3;
// Reports a form's geometry to its model once the form's creation is over.
constexpr UINT kWmReportGeometry = WM_APP + 4;
// WM_APP + 16 wakes the dispatcher's own window (platform/win32).

}  // namespace nimbul::ui::win32

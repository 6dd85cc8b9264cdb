// The four global hotkeys of the main window: which settings value each one
// keeps its combination in, and loading them into the components and menu.
#pragma once
#include <array>

#include "settings/settings_layout.h"
#include "hotkeys/key_hot.h"
#include "hotkeys/shortcut.h"
#include "platform/platform.h"
#include "ui/menu.h"

namespace nimbul::hotkeys {

struct HotkeyAssignment {
  const settings::SettingValue& value;  // also the name of the component and of the dialog's field
  TShortCut defaultValue;
  const char* menuItemName;  // the main-menu item that shows the combination
  const char* dialogLabel;   // the dialog's label above the field
};

// In the order the main window loads them.
inline const std::array<HotkeyAssignment, 4> kHotkeyAssignments{{
    {settings::HKAkt, 120, "AktivesFensterverstecken1", "Hide active Window on"},
    {settings::KHAFV, 119, "AlleFensterVerstecken1", "Hide all Windows on"},
    {settings::AFSM, 118, "AlleFenstersichtbarmachen1", "Make all Windows visible on"},
    {settings::KHTASK, 115, "NimbulonzurTaskleiste1", "Minimize to Systemtray on"},
}};

// One of the main window's hotkeys: its settings value, component and menu item.
struct HotkeySlot {
  const settings::SettingValue& value;
  TKeyHot& component;
  ui::MenuItem& menuItem;
};

// The main window's hotkeys, in the order of kHotkeyAssignments.
using HotkeySlots = std::array<HotkeySlot, 4>;

// Loads the four combinations from the settings (writing the defaults that
// are missing), registers them and shows them beside the menu items.
void RefreshHKeys(platform::Platform& platform, HotkeySlots& slots);

// True when the four combinations may not be saved: two of them read the same
// (two without a key included), or one is a bare key the main menu uses itself.
bool HotkeysConflict(const std::array<TShortCut, 4>& values, platform::WindowManager& wm);

}  // namespace nimbul::hotkeys

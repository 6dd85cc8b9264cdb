// The four global hotkeys of the main window: which settings value each one
// keeps its combination in, and loading them into the components and menu.
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/decimal.h"
#include "settings/settings_layout.h"
#include "hotkeys/key_hot.h"
#include "hotkeys/shortcut.h"
#include "platform/platform.h"
#include "ui/menu.h"

namespace nimbul::hotkeys {

// The combination of a function key written "F<n>", as the settings layout
// writes the four defaults, so that each default is written there only.
// Anything but digits after the "F" fails to compile in the table below.
constexpr TShortCut FunctionKeyOf(const char* text) {
  return static_cast<TShortCut>(0x6F + *base::ParseDecimal(std::string_view(text).substr(1)));
}

// One of the four hotkeys. Its settings value also names the main window's
// component and the dialog's field.
struct HotkeyAssignment {
  const settings::SettingValue& value;
  TShortCut defaultValue;
  const char* dialogLabel;  // the dialog's label above the field
};

// The one table of the four hotkeys, in the order the main window loads them;
// the main window, the dialog and its saving all go through it.
inline constexpr std::array<HotkeyAssignment, 4> kHotkeyAssignments{{
    {settings::HKAkt, FunctionKeyOf(settings::HKAkt.defaultText), "Hide active Window on"},
    {settings::KHAFV, FunctionKeyOf(settings::KHAFV.defaultText), "Hide all Windows on"},
    {settings::AFSM, FunctionKeyOf(settings::AFSM.defaultText), "Make all Windows visible on"},
    {settings::KHTASK, FunctionKeyOf(settings::KHTASK.defaultText), "Minimize to Systemtray on"},
}};
static_assert(kHotkeyAssignments[0].defaultValue == 0x78, "F9");

// One of the main window's hotkeys: its settings value, component and menu item.
struct HotkeySlot {
  const settings::SettingValue& value;
  TKeyHot& component;
  ui::MenuItem& menuItem;
};

// The main window's hotkeys, in the order of kHotkeyAssignments.
using HotkeySlots = std::array<HotkeySlot, 4>;

// Loads the four combinations from the settings (writing the defaults that
// are missing), registers them and shows them beside the menu items. Returns
// the combinations the system refused (another program holds them).
std::vector<TShortCut> RefreshHKeys(platform::Platform& platform, HotkeySlots& slots);

// Of these combinations, the ones the system would refuse now.
std::vector<TShortCut> RefusedHotkeys(platform::Hotkeys& hotkeys, const std::array<TShortCut, 4>& values);

// What the user is told about combinations another program holds.
std::string HotkeysInUseText(const std::vector<TShortCut>& refused, platform::WindowManager& wm);

// True when the four combinations may not be saved: two of them read the same
// (two without a key included), or one is a bare key the main menu uses itself.
bool HotkeysConflict(const std::array<TShortCut, 4>& values, platform::WindowManager& wm);

}  // namespace nimbul::hotkeys

#include "hotkeys/hotkey_assignment.h"

#include <string>

namespace nimbul::hotkeys {

namespace {
// The main menu's own shortcuts for Hide, Show and Refresh.
constexpr std::array<const char*, 3> kReservedTexts{"F1", "F2", "F5"};
}  // namespace

void RefreshHKeys(platform::Platform& platform, HotkeySlots& slots) {
  for (HotkeySlot& slot : slots) slot.component.UnregisterShortCut();
  settings::SettingsAccessor settings(platform.registry);
  settings.OpenKey(settings::kSettingsKey, true);
  for (HotkeySlot& slot : slots) {
    TShortCut value = ParseShortCut(settings::EnsureText(settings, slot.value), platform.wm);
    slot.component.SetShortCut(value);
    slot.menuItem.SetShortCut(value, FormatShortCut(value, platform.wm));
  }
  for (HotkeySlot& slot : slots) slot.component.RegisterShortCut();
  settings.CloseKey();
}

bool HotkeysConflict(const std::array<TShortCut, 4>& values, platform::WindowManager& wm) {
  std::array<std::string, 4> texts;
  for (std::size_t i = 0; i < values.size(); ++i) texts[i] = FormatShortCut(values[i], wm);
  for (std::size_t i = 0; i < texts.size(); ++i)
    for (std::size_t j = i + 1; j < texts.size(); ++j)
      if (texts[i] == texts[j]) return true;
  for (const std::string& text : texts)
    for (const char* reserved : kReservedTexts)
      if (text == reserved) return true;
  return false;
}

}  // namespace nimbul::hotkeys

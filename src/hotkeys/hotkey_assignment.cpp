#include "hotkeys/hotkey_assignment.h"

#include <string>

namespace nimbul::hotkeys {

namespace {
// The main menu's own shortcuts for Hide, Show and Refresh.
constexpr std::array<const char*, 3> kReservedTexts{"F1", "F2", "F5"};
}  // namespace

std::vector<TShortCut> RefreshHKeys(platform::Platform& platform, HotkeySlots& slots) {
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
  std::vector<TShortCut> refused;
  for (HotkeySlot& slot : slots)
    if (slot.component.ShortCut() != 0 && !slot.component.Registered()) refused.push_back(slot.component.ShortCut());
  return refused;
}

std::vector<TShortCut> RefusedHotkeys(platform::Hotkeys& hotkeys, const std::array<TShortCut, 4>& values) {
  // A window of its own tries each combination and gives it back at once.
  platform::WindowOwner probe = hotkeys.CreateHotkeyWindow(nullptr);
  std::vector<TShortCut> refused;
  if (!probe) return refused;
  constexpr int kProbeId = 1;
  for (TShortCut value : values) {
    if (value == 0) continue;
    const unsigned vk = static_cast<unsigned>(value & ~kScModifiers);
    if (!hotkeys.RegisterHotKey(probe.get(), kProbeId, ModifierFlags(value), vk)) refused.push_back(value);
    hotkeys.UnregisterHotKey(probe.get(), kProbeId);
  }
  return refused;
}

std::string HotkeysInUseText(const std::vector<TShortCut>& refused, platform::WindowManager& wm) {
  std::string keys;
  for (TShortCut value : refused) keys += (keys.empty() ? "" : ", ") + FormatShortCut(value, wm);
  return refused.size() == 1 ? "The Hotkey " + keys + " is used by another program!"
                             : "The Hotkeys " + keys + " are used by another program!";
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

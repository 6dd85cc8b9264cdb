// Every value the program keeps in its settings key: name, kind and default,
// written once here and read everywhere through the Ensure... readers.
#pragma once
#include <cstdint>
#include <string>

#include "settings/settings.h"

namespace nimbul::settings {

enum class ValueKind { Flag, Number, Text, Color, ShortCut };

struct SettingValue {
  const char* name;
  ValueKind kind;
  const char* defaultText;     // Text, Color (a colour name) and ShortCut kinds
  std::int32_t defaultNumber;  // Flag (0/1) and Number kinds
};

inline constexpr SettingValue SchonXgestartet{"SchonXgestartet", ValueKind::Flag, nullptr, 1};
inline constexpr SettingValue SystrayMin{"Systray_Min", ValueKind::Flag, nullptr, 1};
inline constexpr SettingValue StrgAltEntf{"Strg_alt_entf", ValueKind::Flag, nullptr, 0};
inline constexpr SettingValue Toolbar{"Toolbar", ValueKind::Flag, nullptr, 1};
inline constexpr SettingValue Status{"Status", ValueKind::Flag, nullptr, 1};
inline constexpr SettingValue Gridcolor{"Gridcolor", ValueKind::Color, "clWindow", 0};
inline constexpr SettingValue GridFontcolor{"GridFontcolor", ValueKind::Color, "clWindowText", 0};
inline constexpr SettingValue EMailanzeigen{"EMailanzeigen", ValueKind::Flag, nullptr, 1};
inline constexpr SettingValue SysTrayIcon{"SysTrayIcon", ValueKind::Number, nullptr, 0};
inline constexpr SettingValue SystrayToolTip{"SystrayToolTip", ValueKind::Text, "Nimbulon by Quendel-Soft!", 0};
inline constexpr SettingValue HKAkt{"HKAkt", ValueKind::ShortCut, "F9", 0};
inline constexpr SettingValue KHAFV{"KHAFV", ValueKind::ShortCut, "F8", 0};
inline constexpr SettingValue AFSM{"AFSM", ValueKind::ShortCut, "F7", 0};
inline constexpr SettingValue KHTASK{"KHTASK", ValueKind::ShortCut, "F4", 0};

// Writes the value's default (of its kind) when the value is missing.
void EnsureDefault(SettingsAccessor& s, const SettingValue& v);
// Each writes the value's default when the value is missing, then reads it.
bool EnsureFlag(SettingsAccessor& s, const SettingValue& v);
std::int32_t EnsureNumber(SettingsAccessor& s, const SettingValue& v);
// Text and shortcut-text values.
std::string EnsureText(SettingsAccessor& s, const SettingValue& v);
std::uint32_t EnsureColor(SettingsAccessor& s, const SettingValue& v);
// Writes a colour in its stored form (its name where it has one).
void WriteColor(SettingsAccessor& s, const SettingValue& v, std::uint32_t color);

}  // namespace nimbul::settings

#include "settings/settings_layout.h"

#include "settings/color_text.h"

namespace nimbul::settings {

namespace {

std::string DefaultText(const SettingValue& v) { return v.defaultText ? v.defaultText : ""; }

}  // namespace

void EnsureDefault(SettingsAccessor& s, const SettingValue& v) {
  if (s.HasValue(v.name)) return;
  switch (v.kind) {
    case ValueKind::Flag: s.SetFlag(v.name, v.defaultNumber != 0); break;
    case ValueKind::Number: s.SetNumber(v.name, v.defaultNumber); break;
    case ValueKind::Text:
    case ValueKind::Color:
    case ValueKind::ShortCut: s.SetTextValue(v.name, DefaultText(v)); break;
  }
}

bool EnsureFlag(SettingsAccessor& s, const SettingValue& v) {
  EnsureDefault(s, v);
  return s.GetFlag(v.name);
}

std::int32_t EnsureNumber(SettingsAccessor& s, const SettingValue& v) {
  EnsureDefault(s, v);
  return s.GetNumber(v.name);
}

std::string EnsureText(SettingsAccessor& s, const SettingValue& v) {
  EnsureDefault(s, v);
  return s.GetTextValue(v.name);
}

std::uint32_t EnsureColor(SettingsAccessor& s, const SettingValue& v) {
  EnsureDefault(s, v);
  return TextToColor(s.GetTextValue(v.name));
}

void WriteColor(SettingsAccessor& s, const SettingValue& v, std::uint32_t color) {
  s.SetTextValue(v.name, ColorToText(color));
}

}  // namespace nimbul::settings

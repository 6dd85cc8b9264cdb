#include "fuzz_targets.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "hotkeys/shortcut.h"
#include "platform/fake/fake_desktop.h"
#include "platform/jpeg.h"
#include "settings/color_text.h"
#include "settings/settings_layout.h"
#include "shell/ico_file.h"
#include "base/error.h"
#include "update/version_description.h"
#include "windows/hidden_journal.h"

namespace nimbul::fuzz {

namespace {

std::string Text(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace

bool IcoFile(const std::uint8_t* data, std::size_t size) {
  const std::string file = Text(data, size);
  shell::IcoImage image;
  if (!shell::ReadIcoFile(file, &image)) return true;
  return !image.bytes.empty() && file.find(image.bytes) != std::string::npos && image.width > 0 &&
         image.height > 0 && image.bits > 0;
}

bool Jpeg(const std::uint8_t* data, std::size_t size) {
  auto image = platform::DecodeJpeg(data, size);
  if (!image) return true;
  return image->width > 0 && image->height > 0 && image->width <= 8192 && image->height <= 8192 &&
         image->rgb.size() == static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height) * 3;
}

bool VersionDescription(const std::uint8_t* data, std::size_t size) {
  const std::string text = Text(data, size);
  const update::VersionDescription d = update::ParseDescription(text);
  if (d.lines.size() > text.size()) return false;
  for (const std::string& line : update::SplitLines(text))
    if (auto v = update::ParseVersion(line)) {
      // A version reads back from its own text, and is never newer than itself.
      char written[64];
      std::snprintf(written, sizeof written, "%u.%u.%u.%u", (*v)[0], (*v)[1], (*v)[2], (*v)[3]);
      if (update::ParseVersion(written) != v || update::IsNewer(*v, *v)) return false;
    }
  return true;
}

// The first byte picks a value of the layout, the second the stored type;
// the rest is the stored data. Reading may fail only with the texts the
// program shows, and a value read and written back reads the same.
bool SettingsValue(const std::uint8_t* data, std::size_t size) {
  static const settings::SettingValue* const kValues[] = {
      &settings::SchonXgestartet, &settings::SystrayMin, &settings::StrgAltEntf,  &settings::Toolbar,
      &settings::Status,          &settings::Gridcolor,  &settings::GridFontcolor, &settings::EMailanzeigen,
      &settings::SysTrayIcon,     &settings::SystrayToolTip, &settings::HKAkt,   &settings::KHTASK};
  if (size < 2) return true;
  const settings::SettingValue& v = *kValues[data[0] % (sizeof kValues / sizeof *kValues)];
  platform::fake::FakeRegistry registry;
  registry.Put(platform::kHkeyCurrentUser, settings::kSettingsKey, v.name, data[1] % 12,
               std::vector<std::uint8_t>(data + 2, data + size));
  settings::SettingsAccessor s(registry);
  s.OpenKey(settings::kSettingsKey, true);
  try {
    switch (v.kind) {
      case settings::ValueKind::Flag: {
        const bool b = settings::EnsureFlag(s, v);
        s.SetFlag(v.name, b);
        return s.GetFlag(v.name) == b;
      }
      case settings::ValueKind::Number: {
        const std::int32_t n = settings::EnsureNumber(s, v);
        s.SetNumber(v.name, n);
        return s.GetNumber(v.name) == n;
      }
      case settings::ValueKind::Color: {
        const std::uint32_t c = settings::EnsureColor(s, v);
        settings::WriteColor(s, v, c);
        return settings::EnsureColor(s, v) == c;
      }
      case settings::ValueKind::Text:
      case settings::ValueKind::ShortCut: {
        const std::string t = settings::EnsureText(s, v);
        s.SetTextValue(v.name, t);
        return s.GetTextValue(v.name) == t && t.find('\0') == std::string::npos;
      }
    }
  } catch (const Error& e) {
    const std::string text = e.what(), name = v.name;
    return text == "Invalid data type for '" + name + "'" || text.find("is not a valid integer value") != std::string::npos;
  }
  return true;
}

bool ColorText(const std::uint8_t* data, std::size_t size) {
  // A stored text ends at its first NUL before it is ever parsed.
  std::string text = Text(data, size);
  text.resize(std::min(text.size(), text.find('\0')));
  std::uint32_t color = 0;
  try {
    color = settings::TextToColor(text);
  } catch (const Error& e) {
    return std::string(e.what()) == "'" + text + "' is not a valid integer value";
  }
  return settings::TextToColor(settings::ColorToText(color)) == color;
}

// Whatever reads as a shortcut writes as a text that reads the same (the
// keypad digits read back as the main-row digits they are written as).
bool ShortcutText(const std::uint8_t* data, std::size_t size) {
  static platform::fake::FakeWindowManager* const wm = [] {
    auto* w = new platform::fake::FakeWindowManager;
    // A few names of a layout, some of them beginning like a modifier.
    w->keyNames[0x91 + 0x100] = "Scroll Lock";
    w->keyNames[0xDC + 0x100] = "^";
    w->keyNames[0xE2 + 0x100] = "Shift+Lock";
    w->keyNames[0x03 + 0x100] = "Break";
    return w;
  }();
  const hotkeys::TShortCut v = hotkeys::ParseShortCut(Text(data, size), *wm);
  if (v == 0) return true;
  if ((v & 0x1F00) != 0 || (v & 0xFF) == 0) return false;
  const std::string written = hotkeys::FormatShortCut(v, *wm);
  const unsigned key = v & 0xFF;
  const unsigned expected = key >= 0x60 && key <= 0x69 ? v - 0x30 : v;
  return hotkeys::ParseShortCut(written, *wm) == expected;
}

bool CommandLine(const std::uint8_t* data, std::size_t size) {
  const std::string line = Text(data, size);
  const std::string tail = app::CommandTail(line);
  const std::string first = app::FirstParameter(tail);
  app::ParseStartSwitch(first);
  return tail.size() <= line.size() && first.size() <= tail.size() && first.find('"') == std::string::npos;
}

bool JournalRecord(const std::uint8_t* data, std::size_t size) {
  const std::string text = Text(data, size);
  windows::JournalRecord r;
  if (!windows::ParseJournalRecord(text, &r)) return true;
  return platform::Raw(r.window) != 0 && !r.className.empty() && r.className.find('\t') == std::string::npos &&
         text.size() >= r.className.size() + r.title.size() + 3;
}

}  // namespace nimbul::fuzz

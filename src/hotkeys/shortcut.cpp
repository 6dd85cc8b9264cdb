#include "hotkeys/shortcut.h"

#include <array>
#include <optional>

namespace nimbul::hotkeys {

namespace {

constexpr unsigned kKeyMask = 0x00FF;
// The last code ParseShortCut tries. It lies above 255 on purpose: the codes
// above 255 repeat the low bytes 0 to 0x55, which is how a key whose code is
// below 8 can still be found by its layout name.
constexpr unsigned kLastParsedCode = 0x255;
constexpr unsigned kFirstParsedCode = 0x08;
constexpr std::size_t kKeyNameBuffer = 256;

// The fixed part of the key-name table; empty where the layout names the key.
std::string FixedKeyName(unsigned key) {
  switch (key) {
    case 0x08: return "BkSp";
    case 0x09: return "Tab";
    case 0x0D: return "Enter";
    case 0x1B: return "Esc";
    case 0x20: return "Space";
    case 0x21: return "PgUp";
    case 0x22: return "PgDn";
    case 0x23: return "End";
    case 0x24: return "Home";
    case 0x25: return "Left";
    case 0x26: return "Up";
    case 0x27: return "Right";
    case 0x28: return "Down";
    case 0x2D: return "Ins";
    case 0x2E: return "Del";
    default: break;
  }
  if (key >= 0x30 && key <= 0x39) return std::string(1, static_cast<char>(key));
  if (key >= 0x41 && key <= 0x5A) return std::string(1, static_cast<char>(key));
  // The keypad digits read like the main-row digits.
  if (key >= 0x60 && key <= 0x69) return std::string(1, static_cast<char>('0' + key - 0x60));
  if (key >= 0x70 && key <= 0x87) return "F" + std::to_string(key - 0x6F);
  return "";
}

std::string LayoutKeyName(unsigned key, platform::WindowManager& wm) {
  unsigned scan = wm.MapVirtualKeyA(key, 0);
  if (scan == 0) return "";
  std::string name = wm.GetKeyNameTextA(static_cast<long>(scan) << 16);
  // The system fills a buffer of this size, terminator included.
  if (name.size() >= kKeyNameBuffer) name.resize(kKeyNameBuffer - 1);
  return name;
}

std::string KeyName(unsigned key, platform::WindowManager& wm) {
  std::string name = FixedKeyName(key);
  return name.empty() ? LayoutKeyName(key, wm) : name;
}

// Letter case is compared as the system does under the user's locale: a
// layout's own key name may hold letters beyond ASCII.
bool StartsWithText(const std::string& text, std::size_t pos, const std::string& prefix, platform::WindowManager& wm) {
  return text.size() - pos >= prefix.size() && wm.SameTextIgnoringCase(text.substr(pos, prefix.size()), prefix);
}

struct Prefix {
  const char* text;
  TShortCut bit;
};

constexpr std::array<Prefix, 4> kParsedPrefixes{{
    {"Shift+", kScShift},
    {"^", kScCtrl},
    {"Ctrl+", kScCtrl},
    {"Alt+", kScAlt},
}};

}  // namespace

std::string FormatShortCut(TShortCut value, platform::WindowManager& wm) {
  std::string name = KeyName(value & kKeyMask, wm);
  if (name.empty()) return "";
  std::string text;
  if (value & kScShift) text += "Shift+";
  if (value & kScCtrl) text += "Ctrl+";
  if (value & kScAlt) text += "Alt+";
  return text + name;
}

TShortCut ParseShortCut(const std::string& text, platform::WindowManager& wm) {
  // A code's text depends on its low byte only, so each byte's name is asked
  // of the layout at most once per call.
  std::array<std::optional<std::string>, kKeyMask + 1> names;
  auto keyOf = [&](const std::string& key) -> std::optional<unsigned> {
    if (key.empty()) return std::nullopt;
    for (unsigned code = kFirstParsedCode; code <= kLastParsedCode; ++code) {
      std::optional<std::string>& name = names[code & kKeyMask];
      if (!name) name = KeyName(code & kKeyMask, wm);
      // A match above 255 stands for its low byte: bits 8 to 12 never carry a
      // key, and a value with them set would name no key the system knows.
      if (!name->empty() && wm.SameTextIgnoringCase(*name, key)) return code & kKeyMask;
    }
    return std::nullopt;
  };
  // The rest of the text is a key name before it is a modifier: a layout
  // names some keys "^" or "Shift+...", and "Ctrl+^" must read back.
  TShortCut modifiers = 0;
  std::size_t pos = 0;
  for (;;) {
    if (std::optional<unsigned> key = keyOf(text.substr(pos))) return static_cast<TShortCut>(*key | modifiers);
    const Prefix* matched = nullptr;
    for (const Prefix& p : kParsedPrefixes)
      if (StartsWithText(text, pos, p.text, wm)) {
        matched = &p;
        break;
      }
    if (!matched) return 0;
    modifiers |= matched->bit;
    pos += std::string(matched->text).size();
  }
}

}  // namespace nimbul::hotkeys

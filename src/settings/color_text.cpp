#include "settings/color_text.h"

#include <cstdio>
#include <limits>

#include "base/decimal.h"
#include "base/error.h"

namespace nimbul::settings {

namespace {

struct NamedColor {
  const char* name;
  std::uint32_t value;
};

constexpr std::uint32_t kSystemColor = 0x80000000u;

constexpr NamedColor kColors[] = {
    {"clBlack", 0x00000000},
    {"clMaroon", 0x00000080},
    {"clGreen", 0x00008000},
    {"clOlive", 0x00008080},
    {"clNavy", 0x00800000},
    {"clPurple", 0x00800080},
    {"clTeal", 0x00808000},
    {"clGray", 0x00808080},
    {"clSilver", 0x00C0C0C0},
    {"clRed", 0x000000FF},
    {"clLime", 0x0000FF00},
    {"clYellow", 0x0000FFFF},
    {"clBlue", 0x00FF0000},
    {"clFuchsia", 0x00FF00FF},
    {"clAqua", 0x00FFFF00},
    {"clWhite", 0x00FFFFFF},
    {"clScrollBar", kSystemColor + 0},
    {"clBackground", kSystemColor + 1},
    {"clActiveCaption", kSystemColor + 2},
    {"clInactiveCaption", kSystemColor + 3},
    {"clMenu", kSystemColor + 4},
    {"clWindow", kSystemColor + 5},
    {"clWindowFrame", kSystemColor + 6},
    {"clMenuText", kSystemColor + 7},
    {"clWindowText", kSystemColor + 8},
    {"clCaptionText", kSystemColor + 9},
    {"clActiveBorder", kSystemColor + 10},
    {"clInactiveBorder", kSystemColor + 11},
    {"clAppWorkSpace", kSystemColor + 12},
    {"clHighlight", kSystemColor + 13},
    {"clHighlightText", kSystemColor + 14},
    {"clBtnFace", kSystemColor + 15},
    {"clBtnShadow", kSystemColor + 16},
    {"clGrayText", kSystemColor + 17},
    {"clBtnText", kSystemColor + 18},
    {"clInactiveCaptionText", kSystemColor + 19},
    {"clBtnHighlight", kSystemColor + 20},
    {"cl3DDkShadow", kSystemColor + 21},
    {"cl3DLight", kSystemColor + 22},
    {"clInfoText", kSystemColor + 23},
    {"clInfoBk", kSystemColor + 24},
    {"clNone", 0x1FFFFFFF},
};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(const std::string& text, const char* name) {
  std::size_t i = 0;
  for (; name[i] != '\0'; ++i)
    if (i >= text.size() || Lower(text[i]) != Lower(name[i])) return false;
  return i == text.size();
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "$" and one to eight hexadecimal digits.
bool ParseHex(const std::string& text, std::uint32_t* value) {
  constexpr std::size_t kMaxDigits = 8;
  if (text.size() < 2 || text.size() > 1 + kMaxDigits || text[0] != '$') return false;
  std::uint32_t v = 0;
  for (std::size_t i = 1; i < text.size(); ++i) {
    const int d = HexDigit(text[i]);
    if (d < 0) return false;
    v = v << 4 | static_cast<std::uint32_t>(d);
  }
  *value = v;
  return true;
}

// Optional sign and decimal digits, within a signed 32-bit integer; a
// negative one stands for the colour of the same bits.
bool ParseDecimal(const std::string& text, std::uint32_t* value) {
  const auto v = base::ParseDecimal(text, base::Sign::Allowed);
  if (!v || *v < std::numeric_limits<std::int32_t>::min() || *v > std::numeric_limits<std::int32_t>::max())
    return false;
  *value = static_cast<std::uint32_t>(static_cast<std::int32_t>(*v));
  return true;
}

}  // namespace

std::string ColorToText(std::uint32_t color) {
  for (const NamedColor& c : kColors)
    if (c.value == color) return c.name;
  char text[16];
  std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(color));
  return text;
}

std::uint32_t TextToColor(const std::string& text) {
  for (const NamedColor& c : kColors)
    if (SameName(text, c.name)) return c.value;
  std::uint32_t value = 0;
  if (ParseHex(text, &value) || ParseDecimal(text, &value)) return value;
  throw Error(FormatText("'%s' is not a valid integer value", text));
}

}  // namespace nimbul::settings

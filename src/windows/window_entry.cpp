#include "windows/window_entry.h"

namespace nimbul::windows {

std::string HandleText(platform::Hwnd h) { return std::to_string(platform::Raw(h)); }

std::string SignedHandleText(platform::Hwnd h) { return std::to_string(static_cast<std::int32_t>(platform::Raw(h))); }

bool ParseHandle(const std::string& text, platform::Hwnd* out) {
  // Handles at or above 2^31 are written unsigned by the rebuild; reading
  // them back only as signed numbers would make those windows unreachable,
  // so both forms are accepted.
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == text.size()) return false;
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<unsigned>(c - '0');
    if (value > 0xFFFFFFFFull) return false;
  }
  if (negative) {
    if (value > 0x80000000ull) return false;
    *out = platform::Hwnd{0u - static_cast<std::uint32_t>(value)};
  } else {
    *out = platform::Hwnd{static_cast<std::uint32_t>(value)};
  }
  return true;
}

}  // namespace nimbul::windows

// Decimal numbers in text the program reads: journal records, the length an
// HTTP server announces, colour values, version numbers, window handles. One
// reader for all of them; each caller holds the value to its own range.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace nimbul::base {

// Whether one '+' or '-' may come before the digits.
enum class Sign { Refused, Allowed };

// More than any caller takes: a number past it is refused before it can overflow.
inline constexpr std::int64_t kMaxDecimalMagnitude = 0xFFFFFFFF;

// The whole of `text` as a decimal number: at least one digit, after one sign
// where `sign` allows it, and nothing else (no blank, no second sign). Null
// for any other text, and for a magnitude beyond kMaxDecimalMagnitude.
constexpr std::optional<std::int64_t> ParseDecimal(std::string_view text, Sign sign = Sign::Refused) {
  std::size_t i = 0;
  bool negative = false;
  if (sign == Sign::Allowed && !text.empty() && (text[0] == '+' || text[0] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > kMaxDecimalMagnitude) return std::nullopt;
  }
  return negative ? -value : value;
}

}  // namespace nimbul::base

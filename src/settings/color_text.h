// The stored form of colours: a name from the colour table, or "$" and eight
// upper-case hexadecimal digits for a colour without a name.
#pragma once
#include <cstdint>
#include <string>

namespace nimbul::settings {

// The colour's name, or "$XXXXXXXX".
std::string ColorToText(std::uint32_t color);
// A name in any letter case, a decimal integer or "$"-hexadecimal. Anything
// else throws nimbul::Error("'<text>' is not a valid integer value").
// Integers are taken as written by hand: an optional sign and decimal digits
// within a signed 32-bit integer, or "$" and one to eight hexadecimal digits.
// Blanks and a "0x" prefix are refused.
std::uint32_t TextToColor(const std::string& text);

}  // namespace nimbul::settings

// A picture of the whole screen (under Wine: the virtual desktop), taken by
// a failing test so its log comes with what the user would have seen.
#pragma once
#include <string>

namespace nimbul::e2e {

// Writes the screen as a 24-bit BMP file; returns false when capturing or
// writing failed.
bool SaveScreenshot(const std::string& path);

}  // namespace nimbul::e2e

// One row of either window list, and the handle's text form.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

namespace nimbul::windows {

struct WindowEntry {
  std::string name;    // the title, at most 255 bytes
  std::string handle;  // the handle in decimal
};

inline bool operator==(const WindowEntry& a, const WindowEntry& b) {
  return a.name == b.name && a.handle == b.handle;
}

// The handle as an unsigned 32-bit decimal number (the rebuild and the hotkey).
std::string HandleText(platform::Hwnd h);
// The handle as a signed 32-bit decimal number (the tray actions).
std::string SignedHandleText(platform::Hwnd h);
// Parses a handle text written in either form. False for anything else
// (empty, the header text, stray characters, out of 32-bit range).
bool ParseHandle(const std::string& text, platform::Hwnd* out);

}  // namespace nimbul::windows

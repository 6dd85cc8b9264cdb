// The 16-bit shortcut value (virtual-key code plus Shift, Ctrl and Alt bits)
// and its text form, as stored in the settings and shown beside menu entries.
#pragma once
#include <cstdint>
#include <string>

#include "platform/window_manager.h"

namespace nimbul::hotkeys {

using TShortCut = std::uint16_t;

constexpr TShortCut kScShift = 0x2000;
constexpr TShortCut kScCtrl = 0x4000;
constexpr TShortCut kScAlt = 0x8000;
constexpr TShortCut kScModifiers = kScShift | kScCtrl | kScAlt;

// Key names outside the fixed table come from the keyboard layout, through `wm`.
// The key is the low byte alone: bits 8 to 12 never show in the text.
std::string FormatShortCut(TShortCut value, platform::WindowManager& wm);
// Text that names no key gives 0. A result never has any of bits 8 to 12 set.
TShortCut ParseShortCut(const std::string& text, platform::WindowManager& wm);

}  // namespace nimbul::hotkeys

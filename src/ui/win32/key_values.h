// The control kit's 16-bit shortcut value (low byte virtual key, 0x2000 Shift,
// 0x4000 Ctrl, 0x8000 Alt) against the system's key encodings.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

namespace nimbul::ui::win32 {

constexpr std::uint16_t kShiftBit = 0x2000;
constexpr std::uint16_t kCtrlBit = 0x4000;
constexpr std::uint16_t kAltBit = 0x8000;

// The hotkey control's value: virtual key in the low byte, HOTKEYF_* flags in the high byte.
constexpr std::uint16_t ShortCutFromHotKeyControl(WORD value) {
  unsigned flags = HIBYTE(value);
  unsigned result = LOBYTE(value);
  if (flags & HOTKEYF_SHIFT) result |= kShiftBit;
  if (flags & HOTKEYF_CONTROL) result |= kCtrlBit;
  if (flags & HOTKEYF_ALT) result |= kAltBit;
  return static_cast<std::uint16_t>(result);
}

constexpr WORD HotKeyControlFromShortCut(std::uint16_t shortCut) {
  unsigned flags = 0;
  if (shortCut & kShiftBit) flags |= HOTKEYF_SHIFT;
  if (shortCut & kCtrlBit) flags |= HOTKEYF_CONTROL;
  if (shortCut & kAltBit) flags |= HOTKEYF_ALT;
  return static_cast<WORD>((flags << 8) | (shortCut & 0xFFu));
}

// An accelerator entry that fires `command` for the shortcut.
constexpr ACCEL AcceleratorFor(std::uint16_t shortCut, WORD command) {
  BYTE flags = FVIRTKEY;
  if (shortCut & kShiftBit) flags |= FSHIFT;
  if (shortCut & kCtrlBit) flags |= FCONTROL;
  if (shortCut & kAltBit) flags |= FALT;
  return ACCEL{flags, static_cast<WORD>(shortCut & 0xFFu), command};
}

}  // namespace nimbul::ui::win32

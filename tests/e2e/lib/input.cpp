#include "input.h"

#include <iterator>
#include <vector>

namespace nimbul::e2e {
namespace {

INPUT MouseInput(DWORD flags, POINT screen) {
  // Absolute coordinates run from 0 to 65535 across the primary screen.
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = MulDiv(screen.x, 65535, width > 1 ? width - 1 : 1);
  in.mi.dy = MulDiv(screen.y, 65535, height > 1 ? height - 1 : 1);
  in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  return in;
}

INPUT KeyInput(WORD virtualKey, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = virtualKey;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, 0));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return in;
}

void Send(std::vector<INPUT> inputs) { SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)); }

}  // namespace

void MoveMouseTo(POINT screen) { Send({MouseInput(0, screen)}); }

void ClickAt(POINT screen) {
  Send({MouseInput(0, screen), MouseInput(MOUSEEVENTF_LEFTDOWN, screen), MouseInput(MOUSEEVENTF_LEFTUP, screen)});
}

void DoubleClickAt(POINT screen) {
  Send({MouseInput(0, screen), MouseInput(MOUSEEVENTF_LEFTDOWN, screen), MouseInput(MOUSEEVENTF_LEFTUP, screen),
        MouseInput(MOUSEEVENTF_LEFTDOWN, screen), MouseInput(MOUSEEVENTF_LEFTUP, screen)});
}

void LeftButtonAt(POINT screen, bool down) {
  Send({MouseInput(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP, screen)});
}

void RightClickAt(POINT screen) {
  Send({MouseInput(0, screen), MouseInput(MOUSEEVENTF_RIGHTDOWN, screen), MouseInput(MOUSEEVENTF_RIGHTUP, screen)});
}

void PressKey(WORD virtualKey, unsigned modifiers) {
  static constexpr struct {
    Modifier bit;
    WORD key;
  } kModifierKeys[] = {{kCtrl, VK_CONTROL}, {kAlt, VK_MENU}, {kShift, VK_SHIFT}};
  std::vector<INPUT> inputs;
  for (const auto& m : kModifierKeys) {
    if (modifiers & m.bit) inputs.push_back(KeyInput(m.key, false));
  }
  inputs.push_back(KeyInput(virtualKey, false));
  inputs.push_back(KeyInput(virtualKey, true));
  for (auto it = std::rbegin(kModifierKeys); it != std::rend(kModifierKeys); ++it) {
    if (modifiers & it->bit) inputs.push_back(KeyInput(it->key, true));
  }
  Send(inputs);
}

}  // namespace nimbul::e2e

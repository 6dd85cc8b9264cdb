// Real input, as a user gives it: synthesized through SendInput, so it goes
// through the system's input queue to whichever window is under the mouse
// or has the keyboard focus.
#pragma once
#include <windows.h>

namespace nimbul::e2e {

enum Modifier : unsigned {
  kNoModifier = 0,
  kShift = 1,
  kCtrl = 2,
  kAlt = 4,
};

void MoveMouseTo(POINT screen);
void ClickAt(POINT screen);
void DoubleClickAt(POINT screen);
// The left button alone, pressed or released at a point.
void LeftButtonAt(POINT screen, bool down);
void RightClickAt(POINT screen);
// Presses and releases `virtualKey` with the modifiers held down around it.
void PressKey(WORD virtualKey, unsigned modifiers = kNoModifier);

}  // namespace nimbul::e2e

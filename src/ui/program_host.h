// What the subsystems need from the program's main window, which implements
// it: the two program-wide flags, bringing the program to the front, sending
// it to the tray and whether its window can take the focus; and what every
// dialog needs of the window that opens it.
#pragma once

namespace nimbul::ui {

class Form;

struct ProgramFlags {
  // The program is minimized or in the tray.
  bool MinimizedFlag = false;
  // The taskbar is hidden.
  bool TaskbarHiddenFlag = false;
};

class ProgramHost {
 public:
  virtual ~ProgramHost() = default;
  virtual ProgramFlags& Flags() = 0;
  // The program's last active window comes to the front, on top of the Z-order.
  virtual void BringToFront() = 0;
  virtual void SendToTray() = 0;
  // The main window is shown, enabled and not in the tray.
  virtual bool MainCanFocus() = 0;
};

// The window that opens the program's dialogs. It is disabled while one is
// open and enabled again when that one closes; closing it ends the program.
class DialogHost {
 public:
  virtual ~DialogHost() = default;
  virtual Form& HostForm() = 0;
};

}  // namespace nimbul::ui

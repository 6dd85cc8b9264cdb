// What shows the models: the native peers, or the in-memory desktop in tests.
#pragma once
#include <memory>
#include <string>

#include "platform/types.h"
#include "ui/peer.h"

namespace nimbul::ui {

class Control;
class Form;
class Menu;
class PopupMenu;

class Backend {
 public:
  virtual ~Backend() = default;
  // Creates the peer of a control; forms get theirs before their children.
  virtual std::unique_ptr<Peer> CreatePeer(Control& c) = 0;
  virtual std::unique_ptr<MenuPeer> CreateMenuPeer(Menu& m) = 0;

  // The application window: zero size, carries the taskbar button and owns the forms.
  virtual platform::Hwnd CreateApplicationWindow(const std::string& title) = 0;
  virtual void SetApplicationTitle(const std::string& title) = 0;
  // Hiding it removes the taskbar button.
  virtual void ShowApplicationWindow(bool show) = 0;
  // Minimizes the application: forms hidden, application window minimized.
  virtual void MinimizeApplication() = 0;
  virtual void RestoreApplication() = 0;

  // The control that has the keyboard focus, or null.
  virtual Control* FocusedControl() = 0;
  // True when one of the program's windows is the active window.
  virtual bool ApplicationActive() = 0;
  virtual void PopupMenuAt(PopupMenu& m, int x, int y) = 0;
  virtual void CursorPos(int* x, int* y) = 0;

  // Lets pending messages of the user-interface thread run.
  virtual void ProcessMessages() = 0;
  // Runs the message loop until Terminate.
  virtual void RunMessageLoop() = 0;
  virtual void Terminate() = 0;
};

}  // namespace nimbul::ui

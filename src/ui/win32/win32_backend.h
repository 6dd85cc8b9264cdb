// The native peers: every control model drawn by a real Win32 control, the
// application window, the menus and the message loop.
#pragma once
#include <windows.h>

#include <exception>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "ui/backend.h"
#include "ui/win32/deferred_forms.h"
#include "ui/win32/fonts.h"

namespace nimbul::ui {
class Application;
}

namespace nimbul::ui::win32 {

class AppWindow;
class FormPeer;
class NativeMenu;

class Win32Backend : public Backend {
 public:
  explicit Win32Backend(platform::Platform& platform);
  ~Win32Backend() override;
  Win32Backend(const Win32Backend&) = delete;
  Win32Backend& operator=(const Win32Backend&) = delete;

  void SetApplication(Application* app) { app_ = app; }
  Application* App() const { return app_; }

  std::unique_ptr<Peer> CreatePeer(Control& c) override;
  std::unique_ptr<MenuPeer> CreateMenuPeer(Menu& m) override;
  platform::Hwnd CreateApplicationWindow(const std::string& title) override;
  void SetApplicationTitle(const std::string& title) override;
  void ShowApplicationWindow(bool show) override;
  void MinimizeApplication() override;
  void RestoreApplication() override;
  Control* FocusedControl() override;
  bool ApplicationActive() override;
  void PopupMenuAt(PopupMenu& m, int x, int y) override;
  void CursorPos(int* x, int* y) override;
  void ProcessMessages() override;
  void RunMessageLoop() override;
  void Terminate() override;

  // For the peers.
  HWND AppWindowHandle() const;
  const Fonts& GetFonts() const { return fonts_; }
  // A fresh identifier for a child control.
  int NextControlId() { return nextControlId_++; }
  // An error that reached a window procedure: shown like any handler's error.
  void ReportError(const std::exception& e);

  // The hint follows the mouse: the control it rests on, "" when it leaves.
  void MouseOver(const Control& c, HWND hwnd);
  void MouseLeft(const Control& c);
  // A part of a control (a tool button) became the one under the mouse; null: none.
  void HintFrom(const Control* c);
  void HintChanged(const Control& c);
  // The highlighted menu entry's hint: the menu owns the hint until the mouse
  // rests on a control again.
  void MenuHint(const std::string& hint);
  void ControlGone(const Control& c);

  void AddForm(FormPeer* f);
  void RemoveForm(FormPeer* f);
  FormPeer* FindForm(HWND hwnd) const;
  FormPeer* FormOf(const Form& f) const;

  // Menus: each one gets a slot, which fixes the range of its command identifiers.
  int AddMenu(NativeMenu* m);
  void RemoveMenu(NativeMenu* m);
  NativeMenu* MenuOwning(HMENU h) const;
  NativeMenu* MenuOfCommand(UINT id) const;
  bool InMenuLoop() const { return menuLoopDepth_ > 0; }
  void EnterMenuLoop() { ++menuLoopDepth_; }
  void ExitMenuLoop();

  // Application window events.
  bool ChangingAppWindow() const { return changingAppWindow_; }
  // A window shown while Enter, Esc or Space is held (the key that chose the
  // menu entry that opened it) must not act on that key: its repeats and
  // characters are dropped until it is released.
  void NoteKeysHeldAtShow();

 private:
  bool PreTranslate(MSG& msg);
  bool DropHeldKey(const MSG& msg);
  std::set<WPARAM> heldAtShow_;
  void Handle(MSG& msg);

  platform::Platform& platform_;
  DeferredForms deferred_{*this};
  Application* app_ = nullptr;
  Fonts fonts_;
  std::unique_ptr<AppWindow> appWindow_;
  std::vector<FormPeer*> forms_;
  std::vector<NativeMenu*> menus_;  // by slot; null marks a free slot
  std::vector<FormPeer*> hiddenByMinimize_;
  const Control* hintOwner_ = nullptr;
  int nextControlId_ = 100;
  int menuLoopDepth_ = 0;
  bool changingAppWindow_ = false;
};

}  // namespace nimbul::ui::win32

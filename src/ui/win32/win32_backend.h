// The native toolkit: makes the peers that draw every control model with a
// real Win32 control (through the peer factory), the application window and
// the menus, and runs the message loop. The peers see it only as their
// PeerContext.
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
#include "ui/win32/form_registry.h"
#include "ui/win32/hints.h"
#include "ui/win32/menu_registry.h"
#include "ui/win32/peer_context.h"

namespace nimbul::ui {
class Application;
}

namespace nimbul::ui::win32 {

class AppWindow;

class Win32Backend : public Backend, private PeerContext {
 public:
  explicit Win32Backend(platform::Platform& platform);
  ~Win32Backend() override;
  Win32Backend(const Win32Backend&) = delete;
  Win32Backend& operator=(const Win32Backend&) = delete;

  void SetApplication(Application* app) { app_ = app; }

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

  // The context the peers are made in.
  PeerContext& Context() { return *this; }

 private:
  // PeerContext.
  Application* App() const override { return app_; }
  HWND AppWindowHandle() const override;
  const Fonts& GetFonts() const override { return fonts_; }
  int NextControlId() override { return nextControlId_++; }
  void ReportError(const std::exception& e) override;
  Hints& GetHints() override { return hints_; }
  FormRegistry& Forms() override { return forms_; }
  MenuRegistry& Menus() override { return menus_; }
  void NoteKeysHeldAtShow() override;

  bool PreTranslate(MSG& msg);
  bool DropHeldKey(const MSG& msg);
  void Handle(MSG& msg);

  platform::Platform& platform_;
  DeferredForms deferred_{*this, *this};
  Application* app_ = nullptr;
  Fonts fonts_;
  Hints hints_;
  FormRegistry forms_;
  MenuRegistry menus_;
  std::unique_ptr<AppWindow> appWindow_;
  std::set<WPARAM> heldAtShow_;
  int nextControlId_ = 100;
};

}  // namespace nimbul::ui::win32

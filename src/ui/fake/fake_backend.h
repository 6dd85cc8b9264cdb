// The in-memory counterpart of the native peers: forms become windows of the
// fake desktop, focus and activation are tracked here, and tests drive the
// user's side (resize, activate, minimize, menu popups).
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "platform/fake/fake_desktop.h"
#include "ui/backend.h"

namespace nimbul::ui {
class Application;
}

namespace nimbul::ui::fake {

class FakeBackend : public Backend {
 public:
  explicit FakeBackend(platform::fake::FakeDesktop& desktop) : desktop_(desktop) {}
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
  void CursorPos(int* x, int* y) override {
    *x = cursorX;
    *y = cursorY;
  }
  void ProcessMessages() override {
    ++processMessagesCalls;
    if (onProcessMessages) onProcessMessages();
  }
  void RunMessageLoop() override { ++loopRuns; }
  void Terminate() override { terminated = true; }

  // The user's side.
  // Resizes a form to an outer size; the client area is what the frame leaves.
  void Resize(Form& f, int outerW, int outerH);
  // Another program's window comes to the foreground; the program deactivates.
  void ActivateOther(platform::Hwnd w);
  // One of the program's forms comes to the foreground.
  void ActivateForm(Form& f);
  // Another program raises one of the program's forms; no activation is reported.
  void RaiseForm(Form& f);
  void SetFocusTo(Control* c) { focused_ = c; }

  // Frame around the client area of a sizeable form with a menu.
  static constexpr int kFrameW = 8;
  static constexpr int kFrameH = 46;

  std::function<void()> onProcessMessages;
  int processMessagesCalls = 0;
  int loopRuns = 0;
  bool terminated = false;
  PopupMenu* lastPopup = nullptr;
  int cursorX = 0, cursorY = 0;
  bool appWindowShown = true;

  platform::fake::FakeDesktop& Desktop() { return desktop_; }
  void FormShown(Form& f);
  void FormHidden(Form& f);
  void ControlGone(Control& c);

 private:
  platform::fake::FakeDesktop& desktop_;
  Application* app_ = nullptr;
  platform::Hwnd appWindow_{};
  Control* focused_ = nullptr;
  std::vector<Form*> hiddenByMinimize_;
  bool appActive_ = false;
};

}  // namespace nimbul::ui::fake

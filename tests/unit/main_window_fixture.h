// A main window on the fake desktop, created the way the program creates it.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "settings/settings.h"
#include "platform/fake/fake_desktop.h"
#include "ui/fake/fake_backend.h"
#include "windows/window_grid.h"

namespace nimbul::testing {

class MainWindowTest : public ::testing::Test {
 protected:
  platform::fake::FakeDesktop desktop;
  ui::fake::FakeBackend backend{desktop};
  ui::Application app{desktop.platform, backend};
  app::TfrmNimbulMain* main = nullptr;

  // Not a first start unless a test says so.
  virtual void Prepare() {
    desktop.registry.PutDword(platform::kHkeyCurrentUser, settings::kSettingsKey, "SchonXgestartet", 1);
  }

  void SetUp() override {
    Prepare();
    backend.SetApplication(&app);
    app.Initialize();
    app.SetTitle("Nimbul");
    main = &app.CreateForm<app::TfrmNimbulMain>();
  }

  // A visible window of another program, below everything there is.
  platform::Hwnd Target(const std::string& title, bool visible = true) {
    platform::Hwnd h = desktop.wm.AddWindow(title, "TargetWindow", visible);
    desktop.wm.SendToBottom(h);
    return h;
  }

  // The main window on screen and active, as after a normal start.
  void ShowMain() {
    main->Show();
    backend.ActivateForm(*main);
  }
  // Visible windows of other programs below the main window, listed.
  std::vector<platform::Hwnd> Targets(int n) {
    std::vector<platform::Hwnd> out;
    for (int i = 1; i <= n; ++i) out.push_back(Target("Window " + std::to_string(i)));
    main->RefreshWindowList();
    return out;
  }

  std::vector<std::string> Names(const ui::StringGrid& g) {
    std::vector<std::string> out;
    for (auto& e : windows::Entries(g)) out.push_back(e.name);
    return out;
  }
  std::vector<windows::WindowEntry> Visible() { return windows::Entries(main->StringGrid1); }
  std::vector<windows::WindowEntry> Hidden() { return windows::Entries(main->StringGrid2); }
  static std::string H(platform::Hwnd h) { return std::to_string(platform::Raw(h)); }
  bool IsVisible(platform::Hwnd h) { return desktop.wm.IsWindowVisible(h); }

  // Selects the entry at `position` (from 1) of a list, as a click would.
  static void Select(ui::StringGrid& g, int position) { g.UserSelected(position); }

  // The message boxes shown so far, as "caption: text".
  std::vector<std::string> Boxes() {
    std::vector<std::string> out;
    for (auto& b : desktop.wm.boxes) out.push_back(b.caption + ": " + b.text);
    return out;
  }
};

}  // namespace nimbul::testing

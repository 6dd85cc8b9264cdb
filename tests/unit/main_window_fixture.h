// A main window on the fake desktop, created the way the program creates it.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "settings/settings.h"
#include "platform/fake/fake_desktop.h"
#include "ui/fake/fake_backend.h"

namespace nimbul::testing {

// A row of a window list as the user sees it.
struct Row {
  std::string name, handle;
};
inline bool operator==(const Row& a, const Row& b) { return a.name == b.name && a.handle == b.handle; }
inline std::ostream& operator<<(std::ostream& o, const Row& r) { return o << '{' << r.name << ", " << r.handle << '}'; }

// The entries a grid shows below its header; none when it shows its blank row.
inline std::vector<Row> Rows(const ui::StringGrid& g) {
  std::vector<Row> out;
  if (g.FixedRows() == 0) return out;
  for (int r = 1; r < g.RowCount(); ++r) out.push_back({g.Cell(0, r), g.Cell(1, r)});
  return out;
}
inline int EntryCount(const ui::StringGrid& g) { return static_cast<int>(Rows(g).size()); }

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
    for (auto& e : Rows(g)) out.push_back(e.name);
    return out;
  }
  std::vector<Row> Visible() { return Rows(main->StringGrid1); }
  std::vector<Row> Hidden() { return Rows(main->StringGrid2); }
  // Hides a window through its item in the tray menu, as a user would.
  void HideFromTray(platform::Hwnd h) {
    ui::MenuItem item("", "");
    item.SetPayload(h);
    main->TrayHideWindowClick(item);
  }
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

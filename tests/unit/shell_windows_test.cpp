// The shell's own windows and the windows the desktop window manager keeps
// off the screen: never listed, offered or hidden by the window operations.
#include "main_window_fixture.h"

namespace nimbul::testing {
namespace {

class ShellWindowsTest : public MainWindowTest {
 protected:
  platform::Hwnd editor{};
  std::vector<platform::Hwnd> offLimits;

  void SetUp() override {
    MainWindowTest::SetUp();
    ShowMain();
    auto cloaked = [&](const std::string& title) {
      platform::Hwnd w = Target(title);
      desktop.wm.Get(w).cloaked = true;
      return w;
    };
    auto shell = [&](const std::string& title, const std::string& cls) {
      platform::Hwnd w = desktop.wm.AddWindow(title, cls);
      desktop.wm.SendToBottom(w);
      return w;
    };
    platform::Hwnd worker = shell("", "WorkerW");
    desktop.wm.AddChildWindow("SHELLDLL_DefView", worker);
    offLimits = {cloaked("Suspended app"),
                 cloaked("Microsoft Text Input Application"),
                 worker,
                 shell("", "Shell_SecondaryTrayWnd"),
                 shell("", "Shell_TrayWnd"),
                 shell("Program Manager", "Progman")};
    editor = Target("Editor");
    main->RefreshWindowList();
  }
  bool AllOffLimitsVisible() {
    for (platform::Hwnd w : offLimits)
      if (!IsVisible(w)) return false;
    return true;
  }
};

TEST_F(ShellWindowsTest, NeitherTheListNorTheTrayMenuOffersThem) {
  EXPECT_EQ(Names(main->StringGrid1), (std::vector<std::string>{"Editor"}));
  main->PopupMenu1Popup();
  std::vector<std::string> offered;
  for (int i = 0; i < main->Hideprogram1.Count(); ++i) offered.push_back(main->Hideprogram1[i].Caption());
  EXPECT_EQ(offered, (std::vector<std::string>{"Editor", "-", "All windows"}));
}

TEST_F(ShellWindowsTest, NoHideOperationTouchesThem) {
  const std::pair<const char*, std::function<void()>> operations[] = {
      {"Hide all Windows", [&] { main->ToolButton11.Click(); }},
      {"F8", [&] { main->KHAFVHotKeyEvent(); }},
      {"tray: All windows",
       [&] {
         main->PopupMenu1Popup();
         main->Hideprogram1[main->Hideprogram1.Count() - 1].Click();
       }},
  };
  for (const auto& [name, hideAll] : operations) {
    SCOPED_TRACE(name);
    hideAll();
    EXPECT_FALSE(IsVisible(editor));
    EXPECT_TRUE(AllOffLimitsVisible());
    EXPECT_EQ(Names(main->StringGrid2), (std::vector<std::string>{"Editor"}));
    main->TrayShowAllClick();
    main->RestoreFromTray();
    main->RefreshWindowList();
  }
  for (platform::Hwnd w : offLimits) {
    backend.ActivateOther(w);
    desktop.hotkeys.Press(0, 0x78);  // F9
    EXPECT_TRUE(IsVisible(w)) << desktop.wm.GetClassNameA(w) << " " << desktop.wm.GetWindowTextA(w);
  }
  EXPECT_TRUE(Hidden().empty());
}

}  // namespace
}  // namespace nimbul::testing

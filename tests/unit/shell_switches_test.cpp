#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "shell/shell_switches.h"

namespace nimbul::testing {
namespace {

struct ShellSwitchesTest : MainWindowTest {
  platform::Hwnd desk{}, taskbar{};
  void SetUp() override {
    MainWindowTest::SetUp();
    desk = desktop.wm.AddWindow("Program Manager", "Progman", true);
    desktop.wm.SendToBottom(desk);
    taskbar = desktop.wm.AddWindow("", "Shell_TrayWnd", true);
    desktop.wm.MakeTopmost(taskbar);
    main->Show();
    main->RefreshWindowList();
  }
  const platform::fake::FakeRegistry::Value* RunValue() {
    return desktop.registry.Find(platform::kHkeyCurrentUser, settings::kRunKey, "Nimbulon");
  }
};

TEST_F(ShellSwitchesTest, BothTogglesTwiceWithTicksAndButtonsTogether) {
  struct Toggle {
    ui::MenuItem& item;
    ui::ToolButton& button;
    platform::Hwnd window;
  } toggles[] = {{main->DesktopIconsausblenden1, main->ToolButton7, desk},
                 {main->HideTaskbar1, main->ToolButton12, taskbar}};
  for (Toggle& t : toggles) {
    t.item.Click();
    EXPECT_FALSE(IsVisible(t.window));
    EXPECT_TRUE(t.item.Checked());
    EXPECT_TRUE(t.button.Down());
    main->RefreshWindowList();
    EXPECT_TRUE(t.item.Checked()) << "the refresh keeps a true tick";
    t.button.Click();
    EXPECT_TRUE(IsVisible(t.window));
    EXPECT_FALSE(t.item.Checked());
    EXPECT_FALSE(t.button.Down());
  }
  main->HideTaskbar1Click();
  EXPECT_TRUE(main->TaskbarHiddenFlag);
  main->HideTaskbar1Click();
  EXPECT_FALSE(main->TaskbarHiddenFlag);
}

TEST_F(ShellSwitchesTest, TicksFollowTheShellAtEachRefreshAndAMissingWindowCountsAsHidden) {
  desktop.wm.Get(desk).visible = false;
  main->RefreshWindowList();
  EXPECT_TRUE(main->DesktopIconsausblenden1.Checked());
  EXPECT_TRUE(main->ToolButton7.Down());
  desktop.wm.Get(desk).visible = true;
  main->RefreshWindowList();
  EXPECT_FALSE(main->DesktopIconsausblenden1.Checked());
  desktop.wm.CloseWindow(taskbar);
  main->RefreshWindowList();
  EXPECT_TRUE(main->HideTaskbar1.Checked());
  EXPECT_TRUE(main->TaskbarHiddenFlag);
}

TEST_F(ShellSwitchesTest, SystemKeysWarnOnlyWhenSwitchedOff) {
  main->Disablectrlaltdel1.Click();
  EXPECT_EQ(desktop.wm.systemKeysState, 1u);
  EXPECT_TRUE(main->Disablectrlaltdel1.Checked());
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"Important!: All Hotkeys are going to be disabled!"}));
  EXPECT_EQ(desktop.wm.boxes[0].flags, platform::kMbOk | platform::kMbIconInformation);
  main->Disablectrlaltdel1.Click();
  EXPECT_EQ(desktop.wm.systemKeysState, 0u);
  EXPECT_FALSE(main->Disablectrlaltdel1.Checked());
  EXPECT_EQ(desktop.wm.boxes.size(), 1u);
}

TEST_F(ShellSwitchesTest, RunOnStartupWritesTheQuotedPathAndDeletesIt) {
  main->IndenAutostart1.Click();
  ASSERT_NE(RunValue(), nullptr);
  std::string text(RunValue()->data.begin(), RunValue()->data.end());
  EXPECT_EQ(text.c_str(), std::string("\"C:\\Program Files\\Nimbulon\\Nimbul.exe\" /systray"));
  EXPECT_TRUE(main->IndenAutostart1.Checked());
  main->IndenAutostart1.Click();
  EXPECT_EQ(RunValue(), nullptr);
  EXPECT_FALSE(main->IndenAutostart1.Checked());
}

TEST(RunValueText, QuotesOnlyAPathWithABlank) {
  EXPECT_EQ(shell::RunValueText("C:\\Tools\\Nimbul.exe"), "C:\\Tools\\Nimbul.exe /systray");
  EXPECT_EQ(shell::RunValueText("C:\\My Tools\\Nimbul.exe"), "\"C:\\My Tools\\Nimbul.exe\" /systray");
}

TEST_F(ShellSwitchesTest, AFailedRunKeyWriteKeepsTheTickAndShowsTheStoresError) {
  desktop.registry.DenyWrites(platform::kHkeyCurrentUser, settings::kRunKey);
  main->IndenAutostart1.Click();
  EXPECT_FALSE(main->IndenAutostart1.Checked());
  ASSERT_EQ(desktop.wm.boxes.size(), 1u);
  // No full stop: the quote sorts before it.
  EXPECT_EQ(desktop.wm.boxes[0].text, "Failed to set data for 'Nimbulon'");
}

struct ShellSwitchesStartTest : ShellSwitchesTest {
  void Prepare() override {
    ShellSwitchesTest::Prepare();
    desktop.registry.PutString(platform::kHkeyCurrentUser, settings::kRunKey, "Nimbulon", "anything");
  }
};

TEST_F(ShellSwitchesStartTest, AnExistingRunValueTicksTheItemAndSwitchingOffDeletesIt) {
  EXPECT_TRUE(main->IndenAutostart1.Checked());
  main->IndenAutostart1.Click();
  EXPECT_EQ(RunValue(), nullptr);
}

TEST_F(ShellSwitchesTest, ClosingShowsTheShellAgainWhateverTheTicksSay) {
  main->HideTaskbar1Click();
  main->DesktopIconsausblenden1Click();
  desktop.wm.systemKeysState = 1;  // another program switched the keys off
  main->Close();
  EXPECT_TRUE(IsVisible(desk));
  EXPECT_TRUE(IsVisible(taskbar));
  EXPECT_EQ(desktop.wm.systemKeysState, 0u);
}

// Windows 10 and 11 move the icon view out of the desktop window into a
// worker window once the wallpaper changes: that window is the one to hide.
TEST_F(ShellSwitchesTest, TheIconsAreHiddenWithTheWindowThatHoldsTheirView) {
  for (bool inWorker : {false, true}) {
    SCOPED_TRACE(inWorker ? "icon view in a worker window" : "icon view in the desktop window");
    platform::Hwnd empty = desktop.wm.AddWindow("", "WorkerW", true);  // the wallpaper's, without the view
    platform::Hwnd worker = desktop.wm.AddWindow("", "WorkerW", true);
    platform::Hwnd view = desktop.wm.AddChildWindow("SHELLDLL_DefView", inWorker ? worker : desk);
    const platform::Hwnd holder = inWorker ? worker : desk;
    main->DesktopIconsausblenden1.Click();
    EXPECT_FALSE(IsVisible(holder));
    EXPECT_TRUE(IsVisible(empty));
    EXPECT_EQ(IsVisible(desk), inWorker) << "the desktop window stays when the icons are elsewhere";
    main->RefreshWindowList();
    EXPECT_TRUE(main->DesktopIconsausblenden1.Checked());
    desktop.wm.Get(holder).visible = true;  // the shell shows them again by itself
    main->RefreshWindowList();
    EXPECT_FALSE(main->ToolButton7.Down()) << "the tick follows the icons, not the desktop window";
    for (platform::Hwnd w : {empty, worker, view}) desktop.wm.CloseWindow(w);
  }
  platform::Hwnd worker = desktop.wm.AddWindow("", "WorkerW", true);
  desktop.wm.AddChildWindow("SHELLDLL_DefView", worker);
  main->DesktopIconsausblenden1.Click();
  main->Close();
  EXPECT_TRUE(IsVisible(worker) && IsVisible(desk)) << "closing shows the icons wherever they are";
}

TEST_F(ShellSwitchesTest, TheTaskbarSwitchActsOnTheTaskbarOfEveryMonitor) {
  platform::Hwnd second = desktop.wm.AddWindow("", "Shell_SecondaryTrayWnd", true);
  platform::Hwnd third = desktop.wm.AddWindow("", "Shell_SecondaryTrayWnd", true);
  main->HideTaskbar1.Click();
  for (platform::Hwnd w : {taskbar, second, third}) EXPECT_FALSE(IsVisible(w));
  main->HideTaskbar1.Click();
  for (platform::Hwnd w : {taskbar, second, third}) EXPECT_TRUE(IsVisible(w));
  main->ToolButton12.Click();
  main->Close();
  for (platform::Hwnd w : {taskbar, second, third}) EXPECT_TRUE(IsVisible(w)) << "closing shows them all";
}

}  // namespace
}  // namespace nimbul::testing

#include <gtest/gtest.h>

#include "shell/taskbar_button.h"
#include "main_window_fixture.h"
#include "shell/icon_chooser.h"
#include "shell/icon_extractor.h"

namespace nimbul::testing {
namespace {

// The main window with the windows the tray works with, connected as the
// program entry connects them.
struct TrayTest : MainWindowTest {
  shell::TForm5* chooser = nullptr;
  shell::TForm4* taskbarButton = nullptr;
  platform::Hwnd taskbar{};

  void SetUp() override {
    MainWindowTest::SetUp();
    taskbar = desktop.wm.AddWindow("", "Shell_TrayWnd", true);
    desktop.wm.MakeTopmost(taskbar);
    chooser = &app.CreateForm<shell::TForm5>();
    taskbarButton = &app.CreateForm<shell::TForm4>();
    auto& extractor = app.CreateForm<shell::TForm6>();
    app::MainWindowPeers peers;
    peers.taskbarButton = taskbarButton;
    peers.iconChooser = chooser;
    main->SetPeers(peers);
    taskbarButton->SetHost(main);
    chooser->SetOpener(main);
    chooser->SetExtractor(&extractor);
    main->Show();
    main->RefreshWindowList();
  }
  bool InTray() { return !desktop.notifyArea.shown.empty(); }
  const platform::NotifyIconRecord& TrayRecord() { return desktop.notifyArea.shown.begin()->second; }
  bool TaskbarButton() { return IsVisible(app.Handle()); }
  void DoubleClickIcon() {
    desktop.notifyArea.Send(main->NotifyIcon1.WindowHandle(), shell::kTrayCallbackMessage, main->NotifyIcon1.Id(),
                            shell::kWmLButtonDblClk);
  }
  bool Option(bool on) {
    if (main->ZurSystrayminimieren1.Checked() != on) main->ZurSystrayminimieren1.Click();
    return on;
  }
};

TEST_F(TrayTest, ToSystemtrayHidesEverythingAndTheIconBringsItBack) {
  main->NimbulonzurTaskleiste1.Click();
  EXPECT_TRUE(InTray());
  EXPECT_FALSE(main->Visible() && IsVisible(main->Handle()));
  EXPECT_FALSE(TaskbarButton());
  EXPECT_TRUE(main->MinimizedFlag);
  // The chooser's picture and tooltip.
  EXPECT_EQ(std::string(TrayRecord().szTip), "Nimbulon by Quendel-Soft!");
  EXPECT_EQ(desktop.icons.Origin(TrayRecord().hIcon), "copy:res:TRAY00");

  DoubleClickIcon();
  EXPECT_FALSE(InTray());
  EXPECT_TRUE(IsVisible(main->Handle()));
  EXPECT_TRUE(TaskbarButton());
  EXPECT_FALSE(main->MinimizedFlag);
}

TEST_F(TrayTest, MinimizingFollowsTheOptionAndTheHiddenTaskbarShowsTheSubstitute) {
  struct Case {
    bool option, taskbarHidden;
    bool icon, taskbarButton, substitute;
  } cases[] = {
      {false, false, false, true, false},
      {true, false, true, false, false},
      {false, true, false, true, true},
      // With no taskbar the application window stays as it is.
      {true, true, true, true, true},
  };
  for (const Case& c : cases) {
    Option(c.option);
    main->TaskbarHiddenFlag = c.taskbarHidden;
    app.Minimize();
    EXPECT_EQ(InTray(), c.icon) << c.option << c.taskbarHidden;
    EXPECT_EQ(TaskbarButton(), c.taskbarButton) << c.option << c.taskbarHidden;
    EXPECT_EQ(taskbarButton->Visible(), c.substitute) << c.option << c.taskbarHidden;
    EXPECT_TRUE(main->MinimizedFlag);
    main->RestoreFromTray();
    taskbarButton->Hide();
  }
}

TEST_F(TrayTest, SendToTrayWhileMinimizedStillShowsTheIconAndHidesTheButton) {
  Option(false);
  app.Minimize();
  ASSERT_FALSE(InTray());
  main->ToolButton8Click();
  EXPECT_TRUE(InTray());
  EXPECT_FALSE(TaskbarButton());
}

TEST_F(TrayTest, TheOptionIsStoredAndATooltipChangeWaitsForTheNextTrip) {
  Option(true);
  settings::SettingsAccessor s(desktop.registry);
  s.OpenKey(settings::kSettingsKey, false);
  EXPECT_TRUE(s.GetFlag("Systray_min"));
  Option(false);
  EXPECT_FALSE(s.GetFlag("Systray_min"));

  main->ToolButton8Click();
  chooser->edtooltip.SetText("New tip");
  EXPECT_EQ(std::string(TrayRecord().szTip), "Nimbulon by Quendel-Soft!");
  main->RestoreFromTray();
  main->ToolButton8Click();
  EXPECT_EQ(std::string(TrayRecord().szTip), "New tip");
}

TEST_F(TrayTest, F4TwiceGoesToTheTrayAndBack) {
  ASSERT_TRUE(desktop.hotkeys.Press(0, 0x73));
  EXPECT_TRUE(InTray());
  EXPECT_FALSE(TaskbarButton());
  desktop.hotkeys.Press(0, 0x73);
  EXPECT_FALSE(InTray());
  EXPECT_TRUE(TaskbarButton());
  EXPECT_TRUE(IsVisible(main->Handle()));
}

TEST_F(TrayTest, TheTrayMenuOpensOnARightClickAndItsItemsAct) {
  platform::Hwnd target = Target("Editor");
  main->ToolButton8Click();
  desktop.notifyArea.Send(main->NotifyIcon1.WindowHandle(), shell::kTrayCallbackMessage, main->NotifyIcon1.Id(),
                          shell::kWmRButtonUp);
  ASSERT_EQ(backend.lastPopup, &main->PopupMenu1);
  ASSERT_GE(main->Hideprogram1.Count(), 1);
  EXPECT_EQ(main->Hideprogram1[0].Caption(), "Editor");
  main->Hideprogram1[0].Click();
  EXPECT_FALSE(IsVisible(target));
  main->Programmsichtabermachen1.Click();
  EXPECT_TRUE(IsVisible(main->Handle()));
  EXPECT_FALSE(InTray());

  main->ToolButton8Click();
  main->Programmschlieen1.Click();
  EXPECT_FALSE(InTray()) << "closing takes the icon away";
  EXPECT_TRUE(IsVisible(target)) << "and shows the hidden windows again";
}

TEST_F(TrayTest, ARefusedIconKeepsTheTaskbarButtonUntilTheShellTakesTheIcon) {
  for (bool restart : {false, true}) {
    SCOPED_TRACE(restart ? "the taskbar starts again" : "a retry");
    desktop.notifyArea.refuseAdd = true;
    main->ToolButton8Click();
    EXPECT_FALSE(InTray());
    EXPECT_TRUE(TaskbarButton()) << "the user keeps a way back";
    desktop.notifyArea.refuseAdd = false;
    if (restart)
      desktop.notifyArea.RestartTaskbar();
    else
      desktop.timers.Advance(10000);
    EXPECT_TRUE(InTray());
    EXPECT_FALSE(TaskbarButton());
    main->RestoreFromTray();
  }
}

TEST_F(TrayTest, BackByTheKeptTaskbarButtonTheProgramKeepsItAndNoIconComesLater) {
  desktop.notifyArea.refuseAdd = true;
  main->ToolButton8Click();
  app.Restore();  // the user clicks the taskbar button
  desktop.notifyArea.RestartTaskbar();
  desktop.timers.Advance(60000);
  EXPECT_TRUE(TaskbarButton());
  EXPECT_FALSE(InTray());
  EXPECT_FALSE(main->MinimizedFlag);
}

TEST_F(TrayTest, TheSubstituteButtonSitsBottomLeftAndBringsTaskbarAndProgramBack) {
  main->HideTaskbar1Click();
  ASSERT_FALSE(IsVisible(taskbar));
  ASSERT_TRUE(main->TaskbarHiddenFlag);
  main->KHTASKHotKeyEvent();
  ASSERT_TRUE(taskbarButton->Visible());
  EXPECT_EQ(taskbarButton->Left(), 0);
  EXPECT_EQ(taskbarButton->Top(), 768 - 26);
  EXPECT_TRUE(taskbarButton->TopMost());

  taskbarButton->SpeedButton1.Click();
  EXPECT_FALSE(taskbarButton->Visible());
  EXPECT_TRUE(IsVisible(taskbar));
  EXPECT_FALSE(main->TaskbarHiddenFlag);
  EXPECT_FALSE(main->HideTaskbar1.Checked());
  EXPECT_FALSE(app.Minimized());
}

}  // namespace
}  // namespace nimbul::testing

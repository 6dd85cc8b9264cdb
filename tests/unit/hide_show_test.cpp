#include "main_window_fixture.h"

namespace nimbul::testing {
namespace {

class HideShowTest : public MainWindowTest {
 protected:
  // The foreground belongs to another program.
  void Foreground(platform::Hwnd w) {
    backend.ActivateOther(w);
    if (IsNull(w)) desktop.wm.SetForeground({});
  }
};

TEST_F(HideShowTest, DoubleClickHidesTheSelectedWindowAndShowsItAgain) {
  ShowMain();
  auto t = Targets(3);
  Select(main->StringGrid1, 2);
  main->StringGrid1.DblClick();
  EXPECT_FALSE(IsVisible(t[1]));
  EXPECT_EQ(Hidden(), (std::vector<Row>{{"Window 2", H(t[1])}}));
  EXPECT_EQ(Names(main->StringGrid1), (std::vector<std::string>{"Window 1", "Window 3"}));
  EXPECT_EQ(main->StringGrid1.Row(), 1);

  desktop.wm.foregroundCalls.clear();
  main->StringGrid2.DblClick();
  EXPECT_TRUE(IsVisible(t[1]));
  EXPECT_EQ(desktop.wm.showCalls.back().cmd, platform::kSwShowNoActivate);
  EXPECT_EQ(EntryCount(main->StringGrid2), 0);
  EXPECT_EQ(Names(main->StringGrid1), (std::vector<std::string>{"Window 1", "Window 2", "Window 3"}));
  // Nimbulon comes back to the front (it is not minimized).
  EXPECT_EQ(desktop.wm.foregroundCalls, (std::vector<platform::Hwnd>{main->Handle()}));
}

TEST_F(HideShowTest, ToolButtonsMoveTheFocusAndActOnTheSelection) {
  ShowMain();
  auto t = Targets(2);
  Select(main->StringGrid1, 1);
  main->ToolButton2.Click();
  EXPECT_TRUE(main->StringGrid1.Focused());
  EXPECT_FALSE(IsVisible(t[0]));
  main->ToolButton1.Click();
  EXPECT_TRUE(main->StringGrid2.Focused());
  EXPECT_TRUE(IsVisible(t[0]));
}

TEST_F(HideShowTest, EmptyListsAndDuplicatesAreLeftAlone) {
  ShowMain();
  main->RefreshWindowList();
  main->StringGrid1.DblClick();  // one blank row
  main->StringGrid2.DblClick();
  EXPECT_EQ(EntryCount(main->StringGrid2), 0);
  EXPECT_TRUE(desktop.wm.showCalls.empty());

  // A window that is hidden already but was shown again by another program.
  auto t = Targets(1);
  HideFromTray(t[0]);
  desktop.wm.ShowWindow(t[0], platform::kSwShow);
  main->RefreshWindowList();
  Select(main->StringGrid1, 1);
  main->StringGrid1.DblClick();
  EXPECT_TRUE(IsVisible(t[0]));
  EXPECT_EQ(EntryCount(main->StringGrid2), 1);
}

TEST_F(HideShowTest, HideAllGoesBottomUpAndShowAllComesBackInThatOrder) {
  ShowMain();
  auto t = Targets(10);
  main->ToolButton11.Click();
  for (platform::Hwnd h : t) EXPECT_FALSE(IsVisible(h));
  std::vector<std::string> expect;
  for (int i = 10; i >= 1; --i) expect.push_back("Window " + std::to_string(i));
  EXPECT_EQ(Names(main->StringGrid2), expect);
  EXPECT_EQ(EntryCount(main->StringGrid1), 0);
  EXPECT_EQ(main->StringGrid1.RowCount(), 1);
  EXPECT_TRUE(main->StringGrid2.Focused());
  // Messages ran before each window.
  EXPECT_EQ(backend.processMessagesCalls, 10);

  desktop.wm.showCalls.clear();
  main->ToolButton10.Click();
  for (platform::Hwnd h : t) EXPECT_TRUE(IsVisible(h));
  ASSERT_EQ(desktop.wm.showCalls.size(), 10u);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(desktop.wm.showCalls[static_cast<size_t>(i)].hwnd, t[static_cast<size_t>(9 - i)]);
    EXPECT_EQ(desktop.wm.showCalls[static_cast<size_t>(i)].cmd, platform::kSwShowNoActivate);
  }
  EXPECT_EQ(EntryCount(main->StringGrid2), 0);
  EXPECT_TRUE(main->StringGrid1.Focused());
}

// A window that stays on screen (an administrator's program, for a Nimbulon
// that is not one) is never recorded as hidden, and the user hears of it once.
class RefusingWindow : public HideShowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(RefusingWindow, IsNotRecordedAndTheUserIsToldOnce) {
  ShowMain();
  auto t = Targets(5);
  desktop.wm.Get(t[2]).refusesHide = true;
  const std::string path = GetParam();
  if (path == "hide all") {
    main->ToolButton11.Click();
    EXPECT_FALSE(IsVisible(t[0]) || IsVisible(t[1]) || IsVisible(t[3])) << "the run goes on past it";
  } else if (path == "double-click") {
    Select(main->StringGrid1, 3);
    main->StringGrid1.DblClick();
  } else if (path == "tray") {
    HideFromTray(t[2]);
  } else {
    Foreground(t[2]);
    main->HKAktHotKeyEvent();
    EXPECT_EQ(Names(main->StringGrid2), (std::vector<std::string>{"Window 3"})) << "recorded at once";
    desktop.timers.Advance(1000);
  }
  EXPECT_TRUE(IsVisible(t[2]));
  for (const std::string& name : Names(main->StringGrid2)) EXPECT_NE(name, "Window 3");
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"Nimbul: This window could not be hidden:\n\"Window 3\"\n\nPrograms "
                                               "running as administrator can only be hidden by a Nimbulon running as "
                                               "administrator."}));
}

INSTANTIATE_TEST_SUITE_P(EveryPath, RefusingWindow, ::testing::Values("hide all", "double-click", "tray", "F9"));

// A window that F9 hid and F7 showed before the hide was looked at again is
// no window that refused.
TEST_F(HideShowTest, F9ThenF7AtOnceSaysNothing) {
  ShowMain();
  auto t = Targets(2);
  Foreground(t[0]);
  main->HKAktHotKeyEvent();
  main->AFSMHotKeyEvent();
  desktop.timers.Advance(1000);
  EXPECT_TRUE(IsVisible(t[0]));
  EXPECT_TRUE(desktop.wm.boxes.empty());
}

// A program too busy to take F9's posted hide before it is looked at again
// is asked once more, not taken for one that refused: dropped from the list,
// its window would be lost when it hid a moment later.
TEST_F(HideShowTest, F9OnABusyProgramsWindowHidesItAndKeepsItListed) {
  ShowMain();
  auto t = Targets(2);
  desktop.wm.Get(t[0]).postedLate = true;
  Foreground(t[0]);
  main->HKAktHotKeyEvent();
  desktop.timers.Advance(1000);
  EXPECT_FALSE(IsVisible(t[0]));
  EXPECT_EQ(Names(main->StringGrid2), (std::vector<std::string>{"Window 1"}));
  EXPECT_TRUE(desktop.wm.boxes.empty());
}

TEST_F(HideShowTest, HideAllGoesOnPastARefusingWindowWhateverItsTitleDoes) {
  ShowMain();
  auto t = Targets(3);
  desktop.wm.Get(t[1]).refusesHide = true;
  int n = 0;
  // Each time messages run, the stubborn window renames itself.
  backend.onProcessMessages = [&] { desktop.wm.SetTitle(t[1], "Stubborn " + std::to_string(++n)); };
  main->ToolButton11.Click();
  EXPECT_FALSE(IsVisible(t[0]));
  EXPECT_FALSE(IsVisible(t[2]));
  EXPECT_EQ(Names(main->StringGrid2), (std::vector<std::string>{"Window 3", "Window 1"}));
  EXPECT_EQ(desktop.wm.boxes.size(), 1u);
}

TEST_F(HideShowTest, HideAllDoesNothingMoreOnceTheProgramCloses) {
  ShowMain();
  auto t = Targets(4);
  bool closed = false;
  backend.onProcessMessages = [&] {
    if (EntryCount(main->StringGrid2) == 2 && !closed) {
      closed = true;
      main->Close();
    }
  };
  main->ToolButton11.Click();
  // Closing showed every window hidden so far; none was hidden after it.
  for (platform::Hwnd h : t) EXPECT_TRUE(IsVisible(h));
}

TEST_F(HideShowTest, HungWindowsNeverBlockAndTheRunGoesOn) {
  ShowMain();
  auto t = Targets(3);
  desktop.wm.Get(t[1]).hung = true;  // a plain ShowWindow on it throws in the fake
  main->ToolButton11.Click();
  EXPECT_FALSE(IsVisible(t[0]));
  EXPECT_FALSE(IsVisible(t[2]));
  int async = 0;
  for (auto& c : desktop.wm.showCalls) async += c.async ? 1 : 0;
  EXPECT_EQ(async, 1);
  EXPECT_EQ(EntryCount(main->StringGrid2), 3);
  main->Close();
  EXPECT_TRUE(IsVisible(t[1]));
}

// A busy program shows its window only when it gets to it, on top of the
// Nimbulon that came to the front meanwhile: once things settle, Nimbulon
// is above it again and lists it first.
TEST_F(HideShowTest, AWindowShownLateByABusyProgramEndsBelowNimbulonAndListed) {
  ShowMain();
  auto t = Targets(2);
  Select(main->StringGrid1, 1);
  main->StringGrid1.DblClick();
  auto& late = desktop.wm.Get(t[0]);
  late.stalled = late.postedLate = true;
  main->StringGrid2.DblClick();
  EXPECT_FALSE(IsVisible(t[0]));
  late.stalled = late.postedLate = false;
  desktop.wm.ShowWindow(t[0], platform::kSwShowNoActivate);
  desktop.wm.BringToTop(t[0]);
  desktop.timers.Advance(1000);
  EXPECT_EQ(Names(main->StringGrid1), (std::vector<std::string>{"Window 1", "Window 2"}));
}

TEST_F(HideShowTest, AProgramThatStoppedAMomentAgoIsNotWaitedOnEither) {
  ShowMain();
  auto t = Targets(2);
  desktop.wm.Get(t[0]).stalled = true;  // not yet reported as hung by the system
  Select(main->StringGrid1, 1);
  main->StringGrid1.DblClick();
  EXPECT_FALSE(IsVisible(t[0]));
  ASSERT_FALSE(desktop.wm.showCalls.empty());
  EXPECT_TRUE(desktop.wm.showCalls.back().async);
  // F9 and F7 take the same care.
  Foreground(t[1]);
  desktop.wm.Get(t[1]).stalled = true;
  main->HKAktHotKeyEvent();
  EXPECT_FALSE(IsVisible(t[1]));
  main->AFSMHotKeyEvent();
  EXPECT_TRUE(IsVisible(t[0]));
  EXPECT_TRUE(IsVisible(t[1]));
  for (auto& c : desktop.wm.showCalls) EXPECT_TRUE(c.async);
}

TEST_F(HideShowTest, HideAllPassesOverAHungWindowThatStaysVisible) {
  ShowMain();
  auto t = Targets(2);
  desktop.wm.Get(t[1]).hung = true;
  desktop.wm.Get(t[1]).refusesHide = true;  // the posted hide is never carried out
  main->ToolButton11.Click();
  EXPECT_FALSE(IsVisible(t[0]));
  EXPECT_EQ(Names(main->StringGrid2), (std::vector<std::string>{"Window 2", "Window 1"}));
}

TEST_F(HideShowTest, F9HidesTheForegroundWindowOfAnotherProgram) {
  ShowMain();
  auto t = Targets(2);
  Foreground(t[1]);
  desktop.wm.foregroundCalls.clear();
  int listed = EntryCount(main->StringGrid1);
  EXPECT_TRUE(desktop.hotkeys.Press(0, 0x78));
  EXPECT_FALSE(IsVisible(t[1]));
  EXPECT_EQ(Hidden(), (std::vector<Row>{{"Window 2", H(t[1])}}));
  // The visible list is not rebuilt here.
  EXPECT_EQ(EntryCount(main->StringGrid1), listed);
  EXPECT_EQ(desktop.wm.foregroundCalls, (std::vector<platform::Hwnd>{main->Handle()}));
}

TEST_F(HideShowTest, F9LeavesNimbulonTheShellAndBlankTitlesAlone) {
  ShowMain();
  auto t = Targets(1);
  // Nimbulon itself is active.
  desktop.hotkeys.Press(0, 0x78);
  EXPECT_TRUE(IsVisible(t[0]));
  EXPECT_EQ(EntryCount(main->StringGrid2), 0);

  platform::Hwnd desk = desktop.wm.AddWindow("Program Manager", "Progman", true);
  platform::Hwnd tray = desktop.wm.AddWindow("", "Shell_TrayWnd", true);
  platform::Hwnd blank = Target(" ");
  for (platform::Hwnd w : {desk, tray, blank}) {
    Foreground(w);
    desktop.wm.foregroundCalls.clear();
    main->HKAktHotKeyEvent();
    EXPECT_TRUE(IsVisible(w));
    EXPECT_EQ(desktop.wm.foregroundCalls, (std::vector<platform::Hwnd>{main->Handle()}));
  }
  EXPECT_EQ(EntryCount(main->StringGrid2), 0);
}

TEST_F(HideShowTest, F9OnAnAlreadyHiddenWindowDoesNothingAtAll) {
  ShowMain();
  auto t = Targets(1);
  HideFromTray(t[0]);
  desktop.wm.SetTitle(t[0], "New title");
  desktop.wm.ShowWindow(t[0], platform::kSwShow);
  Foreground(t[0]);
  desktop.wm.foregroundCalls.clear();
  main->HKAktHotKeyEvent();
  EXPECT_TRUE(IsVisible(t[0]));
  EXPECT_TRUE(desktop.wm.foregroundCalls.empty());
  EXPECT_EQ(EntryCount(main->StringGrid2), 1);
}

TEST_F(HideShowTest, F9WithNoForegroundWindowLeavesAnEntryTheTimerRemoves) {
  ShowMain();
  // With a desktop and a taskbar present (else the empty foreground equals
  // the missing window's 0 and is left alone like the shell's windows).
  desktop.wm.AddWindow("Program Manager", "Progman", true);
  desktop.wm.AddWindow("", "Shell_TrayWnd", true);
  Foreground({});
  main->HKAktHotKeyEvent();
  EXPECT_EQ(Hidden(), (std::vector<Row>{{"", "0"}}));
  desktop.timers.Advance(1000);
  EXPECT_EQ(EntryCount(main->StringGrid2), 0);
}

TEST_F(HideShowTest, F9HidesAnUntitledForegroundWindow) {
  ShowMain();
  platform::Hwnd w = Target("");
  Foreground(w);
  main->HKAktHotKeyEvent();
  EXPECT_FALSE(IsVisible(w));
  EXPECT_EQ(Hidden(), (std::vector<Row>{{"", H(w)}}));
}

TEST_F(HideShowTest, F7ShowsAllAndActivatesOnlyTheLastHidden) {
  ShowMain();
  auto t = Targets(3);
  for (platform::Hwnd h : {t[2], t[0], t[1]}) HideFromTray(h);
  Foreground({});
  desktop.wm.showCalls.clear();
  desktop.hotkeys.Press(0, 0x76);
  std::vector<std::pair<platform::Hwnd, int>> calls;
  for (auto& c : desktop.wm.showCalls) calls.push_back({c.hwnd, c.cmd});
  EXPECT_EQ(calls,
            (std::vector<std::pair<platform::Hwnd, int>>{
                {t[2], platform::kSwShowNoActivate}, {t[0], platform::kSwShowNoActivate}, {t[1], platform::kSwShow}}));
  EXPECT_EQ(desktop.wm.GetForegroundWindow(), t[1]);
  EXPECT_EQ(EntryCount(main->StringGrid2), 0);
  EXPECT_EQ(main->StringGrid2.FixedRows(), 0);

  desktop.wm.showCalls.clear();
  main->AFSMHotKeyEvent();  // empty hidden list: nothing
  EXPECT_TRUE(desktop.wm.showCalls.empty());
}

TEST_F(HideShowTest, F8HidesEverythingBelowTheMainWindowFromAnyState) {
  auto t = Targets(3);
  // Never shown (as after a tray start), then minimized.
  main->KHAFVHotKeyEvent();
  for (platform::Hwnd h : t) EXPECT_FALSE(IsVisible(h));
  EXPECT_EQ(EntryCount(main->StringGrid2), 3);
  main->ToolButton10Click();
  ShowMain();
  app.Minimize();
  main->KHAFVHotKeyEvent();
  for (platform::Hwnd h : t) EXPECT_FALSE(IsVisible(h));
}

TEST_F(HideShowTest, F4GoesToTheTrayAndBackWithTheTaskbarButtonWhenTheTaskbarIsHidden) {
  ShowMain();
  platform::Hwnd tray = desktop.wm.AddWindow("", "Shell_TrayWnd", false);
  (void)tray;
  ui::Form button(app, "Form4");
  app.Realize(button);
  main->SetPeers({&button, nullptr});
  main->RefreshWindowList();
  ASSERT_TRUE(main->TaskbarHiddenFlag);
  main->KHTASKHotKeyEvent();
  EXPECT_TRUE(main->MinimizedFlag);
  EXPECT_TRUE(button.Visible());
  main->KHTASKHotKeyEvent();
  EXPECT_FALSE(main->MinimizedFlag);
  EXPECT_FALSE(button.Visible());
  EXPECT_TRUE(main->Visible());
  EXPECT_TRUE(app.ShowMainForm());
}

TEST_F(HideShowTest, TraySubmenusActOnTheirWindowsAndPositions) {
  ShowMain();
  auto t = Targets(3);
  main->PopupMenu1.Popup(0, 0);
  main->Hideprogram1[1].Click();  // Window 2
  EXPECT_FALSE(IsVisible(t[1]));
  EXPECT_EQ(Hidden(), (std::vector<Row>{{"Window 2", H(t[1])}}));
  // No duplicate test: the stale item hides and lists it once more.
  main->Hideprogram1[1].Click();
  EXPECT_EQ(EntryCount(main->StringGrid2), 2);
  main->PopupMenu1.Popup(0, 0);
  main->Showprogram1[1].Click();
  desktop.wm.ShowWindow(t[1], platform::kSwHide);

  main->PopupMenu1.Popup(0, 0);
  ASSERT_GE(main->Hideprogram1.Count(), 2);
  main->Hideprogram1[main->Hideprogram1.Count() - 1].Click();  // All windows
  EXPECT_EQ(Names(main->StringGrid2), (std::vector<std::string>{"Window 2", "Window 1", "Window 3"}));
  for (platform::Hwnd h : t) EXPECT_FALSE(IsVisible(h));

  // A show item acts on its own entry, never on whichever entry took its row.
  main->PopupMenu1.Popup(0, 0);
  ui::MenuItem& first = main->Showprogram1[0];
  ui::MenuItem& third = main->Showprogram1[2];
  desktop.wm.CloseWindow(t[1]);  // Window 2 closes while the menu is open
  desktop.timers.Advance(1000);
  ASSERT_EQ(Names(main->StringGrid2), (std::vector<std::string>{"Window 1", "Window 3"}));
  first.Click();  // its entry is gone: nothing
  EXPECT_FALSE(IsVisible(t[0]));
  EXPECT_EQ(EntryCount(main->StringGrid2), 2);
  third.Click();  // Window 3, now in the second row
  EXPECT_TRUE(IsVisible(t[2]));
  EXPECT_EQ(desktop.wm.showCalls.back().cmd, platform::kSwShow);
  EXPECT_EQ(Names(main->StringGrid2), (std::vector<std::string>{"Window 1"}));
}

TEST_F(HideShowTest, TrayShowAllReturnsWindowsLastHiddenFirst) {
  ShowMain();
  auto t = Targets(3);
  main->ToolButton11Click();  // hidden 3, 2, 1
  desktop.wm.showCalls.clear();
  main->PopupMenu1.Popup(0, 0);
  main->Showprogram1[main->Showprogram1.Count() - 1].Click();
  std::vector<platform::Hwnd> order;
  for (auto& c : desktop.wm.showCalls) order.push_back(c.hwnd);
  EXPECT_EQ(order, (std::vector<platform::Hwnd>{t[0], t[1], t[2]}));
  EXPECT_EQ(EntryCount(main->StringGrid2), 0);
}

TEST_F(HideShowTest, WindowsMenuEnablesHideAndShowByFocus) {
  ShowMain();
  Targets(1);
  main->StringGrid1.SetFocus();
  main->Fenster1.Click();
  EXPECT_TRUE(main->Verstecken1.Enabled());
  EXPECT_FALSE(main->Anzeigen1.Enabled());
  main->StringGrid2.SetFocus();
  main->Fenster1.Click();
  EXPECT_FALSE(main->Verstecken1.Enabled());
  EXPECT_TRUE(main->Anzeigen1.Enabled());
  // A disabled entry's shortcut does nothing.
  main->Verstecken1.Click();
  EXPECT_EQ(EntryCount(main->StringGrid2), 0);
}

TEST_F(HideShowTest, StaleHandlesAreHarmless) {
  ShowMain();
  auto t = Targets(2);
  desktop.wm.CloseWindow(t[0]);
  Select(main->StringGrid1, 1);
  main->StringGrid1.DblClick();  // the window closed after the rebuild
  EXPECT_EQ(EntryCount(main->StringGrid2), 1);
  main->ToolButton10.Click();
  main->AFSMHotKeyEvent();
  main->Close();
  EXPECT_EQ(EntryCount(main->StringGrid2), 0);
  EXPECT_TRUE(IsVisible(t[1]));
}

}  // namespace
}  // namespace nimbul::testing

// What a user met with the shipped program, driven the same way again.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "desktop.h"
#include "e2e_test.h"
#include "input.h"
#include "main_window_driver.h"
#include "message_boxes.h"

namespace nimbul::e2e {
namespace {

class FoundInUse : public E2eTest {};

TEST_F(FoundInUse, ADoubleClickRightAfterActivationHidesTheWindowOfThatRow) {
  Targets& t = OpenTargets({{"Click target"}, {"Other target"}});
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  for (int run = 1; run <= 20; ++run) {
    ASSERT_TRUE(Activate(t[1]));
    ASSERT_TRUE(Activate(main));
    // The rows the activation's rebuild shows, then the double-click at once.
    ASSERT_TRUE(WaitUntil([&] { return Listed(app.VisibleList(), t[0]) && Listed(app.VisibleList(), t[1]); }));
    // Found in the rows of this moment (the late rebuild may just redraw them), then clicked at once.
    ASSERT_TRUE(WaitUntil([&] { return DoubleClickRowOf(app.VisibleList(), t[0]); })) << "run " << run;
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(t[0]); })) << "run " << run;
    ASSERT_TRUE(IsWindowVisible(t[1])) << "run " << run << ": another row's window was hidden";
    PressKey(VK_F7);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(t[0]) != FALSE; })) << "run " << run;
  }
}

TEST_F(FoundInUse, ActivatedFromOutsideItListsTheWindowsBelowItWithinASecond) {
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  // Opened after the main window, so above it, while another program is active.
  Targets& t = OpenTargets({{"Below 1"}, {"Below 2"}, {"Below 3"}, {"Below 4"}});
  ASSERT_TRUE(Activate(t[0]));
  // As task switchers do: activate first, raise afterwards.
  SetForegroundWindow(main);
  BringWindowToTop(main);
  EXPECT_TRUE(WaitUntil(
      [&] {
        return std::all_of(t.windows().begin(), t.windows().end(),
                           [&](HWND w) { return Listed(app.VisibleList(), w); });
      },
      Millis(1000)))
      << "listed: " << ListedNames(app.VisibleList()).size();
}

TEST_F(FoundInUse, TheEndOfTheSessionShowsEveryHiddenWindowAgain) {
  Targets& t = OpenTargets({{"Session 1"}, {"Session 2"}});
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  for (HWND w : t.windows()) {
    ASSERT_TRUE(Activate(w));
    PressKey(VK_F9);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(w); }));
  }
  HWND appWindow = WaitForTopLevel({std::string("TApplication"), std::nullopt, app.process().id(), false});
  ASSERT_NE(appWindow, nullptr);
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(appWindow, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
  EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE)) << "the session end must not be refused";
  SendMessageTimeoutA(appWindow, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &answer);
  for (HWND w : t.windows()) EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(w) != FALSE; }));
}

TEST_F(FoundInUse, ACancelledEndOfTheSessionLeavesTheFourHotkeysWorking) {
  Targets& t = OpenTargets({{"Cancel 1"}, {"Cancel 2"}});
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(Activate(t[0]));
  PressKey(VK_F9);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(t[0]); }));
  HWND appWindow = WaitForTopLevel({std::string("TApplication"), std::nullopt, app.process().id(), false});
  ASSERT_NE(appWindow, nullptr);
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(appWindow, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
  EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(t[0]) != FALSE; })) << "shown when the system asks";
  // The user cancels the shutdown.
  SendMessageTimeoutA(appWindow, WM_ENDSESSION, FALSE, 0, SMTO_ABORTIFHUNG, 5000, &answer);

  ASSERT_TRUE(Activate(t[0]));
  PressKey(VK_F9);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(t[0]); })) << "F9";
  PressKey(VK_F7);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(t[0]) != FALSE; })) << "F7";
  const int icons = TrayIconCount();
  PressKey(VK_F8);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(t[0]) && !IsWindowVisible(t[1]) && !IsWindowVisible(main); }))
      << "F8";
  EXPECT_TRUE(WaitUntil([&] { return TrayIconCount() > icons; })) << "the tray icon comes";
  PressKey(VK_F7);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(t[0]) && IsWindowVisible(t[1]); })) << "F7 after F8";
  PressKey(VK_F4);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; })) << "F4 brings the program back";
}

TEST_F(FoundInUse, WindowsHiddenByAKilledRunAreListedByTheNextStart) {
  Targets& t = OpenTargets({{"Kept 1"}, {"Kept 2"}});
  NimbulApp& first = StartNimbul();
  ASSERT_NE(first.WaitForMainWindow(), nullptr);
  for (HWND w : t.windows()) {
    ASSERT_TRUE(Activate(w));
    PressKey(VK_F9);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(w); }));
  }
  first.process().Kill();
  ASSERT_TRUE(first.process().WaitForExit().has_value());
  for (HWND w : t.windows()) ASSERT_FALSE(IsWindowVisible(w));

  NimbulApp& second = StartNimbul();
  ASSERT_NE(second.WaitForMainWindow(), nullptr);
  EXPECT_TRUE(WaitUntil([&] { return Listed(second.HiddenList(), t[0]) && Listed(second.HiddenList(), t[1]); }));
  for (HWND w : t.windows()) EXPECT_FALSE(IsWindowVisible(w)) << "still hidden until the user shows it";
  second.Close();
  for (HWND w : t.windows()) EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(w) != FALSE; }));
}

}  // namespace
}  // namespace nimbul::e2e

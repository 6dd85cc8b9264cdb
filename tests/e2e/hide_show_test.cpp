// Hiding and showing other programs' windows from the main window, and
// getting every one of them back when the program closes.
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

class HideShow : public E2eTest {
 protected:
  std::vector<TargetSpec> Ten() {
    std::vector<TargetSpec> specs;
    for (int i = 1; i <= 10; ++i) specs.push_back({"Target " + std::to_string(i)});
    return specs;
  }
};

TEST_F(HideShow, DoubleClickAndToolButtonsHideAndShowOneWindow) {
  Targets& t = OpenTargets(Ten());
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(Activate(main));
  ASSERT_TRUE(WaitUntil([&] { return Listed(app.VisibleList(), t[4]); }));

  // Double-click hides.
  ASSERT_TRUE(DoubleClickRowOf(app.VisibleList(), t[4]));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(t[4]); })) << "double-click did not hide the window";
  EXPECT_TRUE(WaitUntil([&] { return Listed(app.HiddenList(), t[4]); }));
  EXPECT_TRUE(WaitUntil([&] { return !Listed(app.VisibleList(), t[4]); }));

  // Double-click on the hidden entry shows it again, without activating it.
  ASSERT_TRUE(DoubleClickRowOf(app.HiddenList(), t[4]));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(t[4]) != FALSE; }));
  EXPECT_TRUE(WaitUntil([&] { return !Listed(app.HiddenList(), t[4]); }));
  EXPECT_NE(GetForegroundWindow(), t[4]);

  // The tool buttons act on the selected row: the first entry after a rebuild.
  HWND bar = ToolBarOf(main);
  ASSERT_NE(bar, nullptr);
  ASSERT_TRUE(Activate(main));
  // Shown again, the window lay above the main window; now it is below it.
  ClickToolButton(bar, kRefresh);
  ASSERT_TRUE(WaitUntil([&] { return Listed(app.VisibleList(), t[4]); }));
  auto handles = ListedHandles(app.VisibleList());
  ASSERT_FALSE(handles.empty());
  const std::string first = handles.front();
  ClickToolButton(bar, kHideSelected);
  ASSERT_TRUE(WaitUntil([&] {
    auto h = ListedHandles(app.HiddenList());
    return std::find(h.begin(), h.end(), first) != h.end();
  })) << "the hide tool button hid nothing";
  HWND firstWindow = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::stoul(first)));
  EXPECT_FALSE(IsWindowVisible(firstWindow));
  ClickToolButton(bar, kShowSelected);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(firstWindow) != FALSE; }));
  EXPECT_TRUE(WaitUntil([&] { return ListedHandles(app.HiddenList()).empty(); }));
}

TEST_F(HideShow, HideAllHidesEveryTargetBottomMostFirstAndShowAllBringsThemBack) {
  Targets& t = OpenTargets(Ten());
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(Activate(main));
  ASSERT_TRUE(WaitUntil([&] { return Listed(app.VisibleList(), t[0]) && Listed(app.VisibleList(), t[9]); }));
  // The order the visible list shows, bottom-most last.
  auto visibleOrder = ListedHandles(app.VisibleList());
  HWND bar = ToolBarOf(main);
  ClickToolButton(bar, kHideAll);
  ASSERT_TRUE(WaitUntil([&] {
    return std::none_of(t.windows().begin(), t.windows().end(), [](HWND w) { return IsWindowVisible(w) != FALSE; });
  })) << "hide all left target windows visible";
  std::vector<std::string> expected(visibleOrder.rbegin(), visibleOrder.rend());
  EXPECT_TRUE(WaitUntil([&] { return ListedHandles(app.HiddenList()) == expected; }))
      << "hidden list: " << ListedHandles(app.HiddenList()).size() << " entries";
  EXPECT_TRUE(WaitUntil([&] { return ListedHandles(app.VisibleList()).empty(); }));

  ClickToolButton(bar, kShowAll);
  EXPECT_TRUE(WaitUntil([&] {
    return std::all_of(t.windows().begin(), t.windows().end(), [](HWND w) { return IsWindowVisible(w) != FALSE; });
  }));
  EXPECT_TRUE(WaitUntil([&] { return ListedHandles(app.HiddenList()).empty(); }));
}

// The windows come back with SW_SHOWNOACTIVATE (the unit tests hold the
// commands); which window the system activates once Nimbulon's own windows
// are gone is the system's choice, so it is not asserted here.
TEST_F(HideShow, ClosingWithThreeHiddenWindowsShowsAllThree) {
  Targets& t = OpenTargets({{"Keep 1"}, {"Keep 2"}, {"Keep 3"}, {"Other"}});
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(Activate(main));
  for (size_t i = 0; i < 3; ++i) {
    ASSERT_TRUE(WaitUntil([&] { return Listed(app.VisibleList(), t[i]); }));
    ASSERT_TRUE(DoubleClickRowOf(app.VisibleList(), t[i]));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(t[i]); }));
  }
  app.Close();
  ASSERT_EQ(app.process().WaitForExit(), std::optional<DWORD>(0));
  for (size_t i = 0; i < 3; ++i) EXPECT_TRUE(IsWindowVisible(t[i])) << "window " << i << " stayed hidden";
  EXPECT_TRUE(IsWindowVisible(t[3]));
}

TEST_F(HideShow, AProgramThatStopsAnsweringNeverFreezesNimbulon) {
  Targets& t = OpenTargets({{"Hangs 1"}, {"Hangs 2"}});
  Targets& ok = OpenTargets({{"Answers"}});
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(Activate(main));
  ASSERT_TRUE(WaitUntil([&] { return Listed(app.VisibleList(), t[0]) && Listed(app.VisibleList(), ok[0]); }));
  t.Hang(Millis(12000));
  // The system tells a program that no longer answers after a few seconds.
  ASSERT_TRUE(WaitUntil([&] { return IsHungAppWindow(t[0]) != FALSE; }, Millis(11000)))
      << "the system never reported the helper as hanging";
  ClickToolButton(ToolBarOf(main), kHideAll);
  // Nimbulon answers at once and the answering window is hidden all the same.
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(ok[0]); }, Millis(4000)));
  DWORD_PTR r = 0;
  EXPECT_NE(SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &r), 0)
      << "Nimbulon stopped answering while a target hangs";
  // Closing brings every window back, the hung ones once they answer again.
  app.Close();
  EXPECT_EQ(app.process().WaitForExit(Millis(5000)), std::optional<DWORD>(0));
  EXPECT_TRUE(IsWindowVisible(ok[0]));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(t[0]) && IsWindowVisible(t[1]); }, Millis(20000)));
}

TEST_F(HideShow, AProgramThatStoppedAMomentAgoDoesNotFreezeNimbulonEither) {
  Targets& t = OpenTargets({{"Stops now"}});
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(Activate(main));
  ASSERT_TRUE(WaitUntil([&] { return Listed(app.VisibleList(), t[0]); }));
  t.Hang(Millis(6000));
  // Long before the system would call the helper hung.
  ASSERT_TRUE(DoubleClickRowOf(app.VisibleList(), t[0]));
  EXPECT_TRUE(WaitUntil([&] { return Listed(app.HiddenList(), t[0]); }, Millis(3000)))
      << "Nimbulon did not go on while the target did not answer";
  DWORD_PTR r = 0;
  EXPECT_NE(SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &r), 0);
  // The hiding takes effect once the helper handles messages again.
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(t[0]); }, Millis(15000)));
}

// A window that cannot be hidden (the stand-in of a program running as
// administrator) is never listed as hidden, and F8 goes on past it.
TEST_F(HideShow, AWindowThatCannotBeHiddenIsNotListedAndTheUserIsToldOnce) {
  TargetSpec stubborn{"Stubborn target"};
  stubborn.refusesHide = true;
  Targets& t = OpenTargets({stubborn, {"Plain target"}});  // the stubborn one bottom-most
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  const std::string text =
      "This window could not be hidden:\n\"Stubborn target\"\n\nPrograms running as administrator can only be "
      "hidden by a Nimbulon running as administrator.";
  auto expectBox = [&] {
    HWND box = WaitForMessageBox("Nimbul", app.process().id());
    ASSERT_NE(box, nullptr) << "no message about the window";
    EXPECT_EQ(MessageBoxTextOf(box), text);
    ASSERT_TRUE(PressMessageBoxButton(box));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }));
  };

  ASSERT_TRUE(Activate(t[0]));
  PressKey(VK_F9);
  expectBox();
  EXPECT_TRUE(IsWindowVisible(t[0]));
  EXPECT_TRUE(WaitUntil([&] { return !Listed(app.HiddenList(), t[0]); }));

  ASSERT_TRUE(Activate(main));
  ASSERT_TRUE(WaitUntil([&] { return Listed(app.VisibleList(), t[1]) && Listed(app.VisibleList(), t[0]); }));
  PressKey(VK_F8);
  expectBox();
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(t[1]); })) << "hide-all stopped at the window that stayed";
  EXPECT_TRUE(IsWindowVisible(t[0]));
  EXPECT_TRUE(WaitUntil([&] { return Listed(app.HiddenList(), t[1]) && !Listed(app.HiddenList(), t[0]); }));
}

}  // namespace
}  // namespace nimbul::e2e

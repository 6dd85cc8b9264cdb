// The two lists as the user sees them: other programs' windows with their
// titles and handles, titles that follow their windows, and the status bar.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <random>

#include "desktop.h"
#include "e2e_test.h"
#include "input.h"
#include "main_window_driver.h"

namespace nimbul::e2e {
namespace {

class WindowLists : public E2eTest {};

TEST_F(WindowLists, TargetWindowsAppearWithTitlesAndHandlesAndFollowTitleChanges) {
  Targets& t = OpenTargets({{"Target Alpha"}, {"Target Beta"}, {"Target Gamma"}});
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  auto listed = [&](HWND w) { return Listed(app.VisibleList(), w); };
  ASSERT_TRUE(WaitUntil([&] { return listed(t[0]) && listed(t[1]) && listed(t[2]); }))
      << "the target windows are not all in the visible list";
  auto rows = app.VisibleList().Rows(2);
  for (size_t i = 0; i < 3; ++i) {
    auto it = std::find_if(rows.begin(), rows.end(), [&](auto& r) { return r[1] == HandleText(t[i]); });
    ASSERT_NE(it, rows.end());
    EXPECT_EQ((*it)[0], TitleOf(t[i]));
  }
  EXPECT_EQ(app.VisibleList().ColumnTitles(), (std::vector<std::string>{"Name", "Handle"}));
  // Nimbulon's own windows are not listed.
  for (auto& r : rows) EXPECT_NE(r[1], HandleText(main));

  // A new title shows within about a second, without a rebuild.
  t.SetTitle(1, "Beta renamed");
  auto start = GetTickCount();
  EXPECT_TRUE(WaitUntil(
      [&] {
        auto names = ListedNames(app.VisibleList());
        return std::find(names.begin(), names.end(), "Beta renamed") != names.end();
      },
      Millis(3000)));
  EXPECT_LE(GetTickCount() - start, 2500u);
}

TEST_F(WindowLists, StatusBarShowsAToolButtonsHintWhileTheMouseRestsOnIt) {
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(Activate(main));
  HWND bar = WaitFor([&] { return ToolBarOf(main); });
  ASSERT_NE(bar, nullptr);
  POINT p = CentreOf(ToolButtonRect(bar, kRefresh));
  MoveMouseTo({p.x - 3, p.y});
  MoveMouseTo(p);
  EXPECT_TRUE(WaitUntil([&] { return app.StatusText() == "Refresh View"; }))
      << "status text: \"" << app.StatusText() << "\"";
  p = CentreOf(ToolButtonRect(bar, kHideAll));
  MoveMouseTo(p);
  EXPECT_TRUE(WaitUntil([&] { return app.StatusText() == "Hide all Windows"; }))
      << "status text: \"" << app.StatusText() << "\"";
}

TEST_F(WindowLists, EmptyHiddenListShowsOneBlankRow) {
  NimbulApp& app = StartNimbul();
  ASSERT_NE(app.WaitForMainWindow(), nullptr);
  std::vector<std::vector<std::string>> rows;
  ASSERT_TRUE(WaitUntil([&] {
    rows = app.HiddenList().Rows(2);
    return !rows.empty();
  }));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"", ""}));
}

// A click, a double-click or a key acts on the window whose row the user saw,
// whatever the lists do meanwhile.
class ChosenRow : public E2eTest {
 protected:
  // The user reads the list before clicking a row: longer than the late
  // rebuild after an activation and the list's own redraw interval, so the
  // row under the pointer is the one on screen when the button goes down.
  static void LookAtTheList() { Sleep(700); }
  // Targets in the lower right corner, clear of the main window's lists.
  Targets& OpenClearOfTheLists(const std::vector<TargetSpec>& specs) {
    Targets& t = OpenTargets(specs);
    for (size_t i = 0; i < specs.size(); ++i)
      SetWindowPos(t[i], nullptr, 700 + 8 * static_cast<int>(i), 560, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return t;
  }
  // The screen point of `window`'s row in the visible list, checked to be
  // on the list and not under another window.
  std::optional<POINT> RowPoint(NimbulApp& app, HWND main, HWND window) {
    auto rows = app.VisibleList().Rows(2);
    for (int i = 0; i < static_cast<int>(rows.size()); ++i)
      if (rows[static_cast<size_t>(i)][1] == HandleText(window)) {
        POINT p = app.VisibleList().RowPointOnScreen(i);
        if (GetAncestor(WindowFromPoint(p), GA_ROOT) != main) return std::nullopt;
        return p;
      }
    return std::nullopt;
  }
  // Shows the hidden targets again ("Show all Windows") and waits until they are listed.
  void Restore(NimbulApp& app, HWND main, HWND window) {
    HWND bar = ToolBarOf(main);
    ASSERT_NE(bar, nullptr);
    bool shown = false;
    for (int attempt = 0; attempt < 3 && !shown; ++attempt) {
      ASSERT_TRUE(Activate(main));
      ClickToolButton(bar, kShowAll);
      shown = WaitUntil([&] { return IsWindowVisible(window) && Listed(app.VisibleList(), window); }, Millis(3000));
    }
    ASSERT_TRUE(shown);
  }
  void ExpectOnlyHidden(const Targets& t, size_t hidden, size_t count) {
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(t[hidden]); }))
        << "\"" << TitleOf(t[hidden]) << "\", whose row was double-clicked, is still visible";
    for (size_t i = 0; i < count; ++i) {
      if (i == hidden) continue;
      EXPECT_TRUE(IsWindowVisible(t[i])) << "\"" << TitleOf(t[i]) << "\" was hidden instead";
    }
  }
};

TEST_F(ChosenRow, ADoubleClickAfterAnActivationFromAnotherProgramHidesTheRowClicked) {
  Targets& t = OpenClearOfTheLists({{"Click target"}, {"Other target"}});
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  for (int run = 0; run < 4; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    ASSERT_TRUE(WaitUntil([&] { return t.Foreground(t[1]) && GetForegroundWindow() == t[1]; }));
    // Nimbulon is activated by the other program, as a task switcher would.
    ASSERT_TRUE(WaitUntil([&] { return t.Foreground(main) && GetForegroundWindow() == main; }));
    LookAtTheList();
    std::optional<POINT> p;
    ASSERT_TRUE(WaitUntil([&] { return (p = RowPoint(app, main, t[0])).has_value(); }));
    DoubleClickAt(*p);
    ExpectOnlyHidden(t, 0, 2);
    Restore(app, main, t[0]);
  }
}

TEST_F(ChosenRow, ADoubleClickOntoAnInactiveNimbulonHidesTheRowClicked) {
  Targets& t = OpenClearOfTheLists({{"Click target"}, {"Other target"}});
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  for (int run = 0; run < 3; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    // Wine now and then takes the activating click for a single one; then
    // nothing at all may have been hidden, and the user tries again.
    for (int attempt = 0; attempt < 3 && IsWindowVisible(t[0]); ++attempt) {
      LookAtTheList();
      std::optional<POINT> p;
      ASSERT_TRUE(WaitUntil([&] { return (p = RowPoint(app, main, t[0])).has_value(); }));
      // Another program takes the foreground; the list still shows its last rows.
      ASSERT_TRUE(WaitUntil([&] { return t.Foreground(t[1]) && GetForegroundWindow() == t[1]; }));
      ASSERT_TRUE(WaitUntil([&] { return (p = RowPoint(app, main, t[0])).has_value(); }));
      DoubleClickAt(*p);  // the first click activates Nimbulon
      WaitUntil([&] { return !IsWindowVisible(t[0]) || !IsWindowVisible(t[1]); }, Millis(3000));
      ASSERT_TRUE(IsWindowVisible(t[1])) << "the other window was hidden";
    }
    ExpectOnlyHidden(t, 0, 2);
    Restore(app, main, t[0]);
  }
}

TEST_F(ChosenRow, TwentyDoubleClicksWithARebuildBetweenPressAndReleaseEachHideTheRowClicked) {
  const size_t count = 5;
  std::vector<TargetSpec> specs;
  for (size_t i = 0; i < count; ++i) specs.push_back({"Target " + std::to_string(i + 1)});
  Targets& t = OpenClearOfTheLists(specs);
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  // Room for the interlude between the two clicks of one double-click.
  struct DoubleClickTime {
    UINT old = GetDoubleClickTime();
    DoubleClickTime() { SetDoubleClickTime(1500); }
    ~DoubleClickTime() { SetDoubleClickTime(old); }
  } slowDoubleClicks;
  std::mt19937 rng(20);
  for (int run = 0; run < 20 && !HasFatalFailure(); ++run) {
    const size_t k = rng() % count, other = (k + 1 + rng() % (count - 1)) % count;
    SCOPED_TRACE("run " + std::to_string(run) + ": \"" + TitleOf(t[k]) + "\"");
    ASSERT_TRUE(Activate(main));
    LookAtTheList();
    std::optional<POINT> p;
    ASSERT_TRUE(WaitUntil([&] {
      for (size_t i = 0; i < count; ++i)
        if (!Listed(app.VisibleList(), t[i])) return false;
      return (p = RowPoint(app, main, t[k])).has_value();
    }));
    // A window opens and closes while the button is down, and another
    // target takes the foreground: Nimbulon rebuilds its list and the
    // second click activates it, which rebuilds it again in a new order.
    LeftButtonAt(*p, true);
    t.Interlude(Millis(60), other);
    WaitUntil([&] { return GetForegroundWindow() == t[other]; }, Millis(1000));
    LeftButtonAt(*p, false);
    LeftButtonAt(*p, true);
    LeftButtonAt(*p, false);
    ExpectOnlyHidden(t, k, count);
    Restore(app, main, t[k]);
  }
}

}  // namespace
}  // namespace nimbul::e2e

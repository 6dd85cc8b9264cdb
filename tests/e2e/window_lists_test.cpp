// The two lists as the user sees them: other programs' windows with their
// titles and handles, titles that follow their windows, and the status bar.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

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

}  // namespace
}  // namespace nimbul::e2e

// The window lists on their own: the fake desktop, a form, two grids and the
// models, without the main window.
#include <gtest/gtest.h>

#include "platform/fake/fake_desktop.h"
#include "ui/fake/fake_backend.h"
#include "windows/window_grid.h"
#include "windows/window_lists.h"

namespace nimbul::testing {
namespace {

class ListsAlone : public ::testing::Test, public ui::ProgramHost, public ui::ProgramFlags {
 protected:
  ui::ProgramFlags& Flags() override { return *this; }
  void BringToFront() override {}
  void SendToTray() override {}
  bool MainCanFocus() override { return false; }

  platform::fake::FakeDesktop desktop;
  ui::fake::FakeBackend backend{desktop};
  ui::Application app{desktop.platform, backend};
  ui::Form& form = Init();
  ui::StringGrid visible{&form, "StringGrid1"}, hidden{&form, "StringGrid2"};
  ui::PopupMenu tray{app, "PopupMenu1"};
  ui::ImageList images{16, 16};
  ui::MenuItem hideItems{"Hideprogram1", "&Hide program"}, showItems{"Showprogram1", "&Show program"};
  ui::MenuItem hide{"Verstecken1", "&Hide"}, show{"Anzeigen1", "&Show"};
  windows::WindowLists lists{app, *this, {form, visible, hidden, tray, images, hideItems, showItems, hide, show}};

  ui::Form& Init() {
    backend.SetApplication(&app);
    app.Initialize();
    return app.CreateForm<ui::Form>("Lists");
  }
  platform::Hwnd Target(const std::string& title) {
    platform::Hwnd h = desktop.wm.AddWindow(title, "TargetWindow", true);
    desktop.wm.SendToBottom(h);
    return h;
  }
};

// The row a user clicked names its window even when a rebuild has reordered
// the list before the double-click arrives.
TEST_F(ListsAlone, ADoubleClickActsOnTheRowShownNotOnTheRowThatTookItsPlace) {
  platform::Hwnd a = Target("Alpha"), b = Target("Beta"), c = Target("Gamma");
  lists.RefreshWindowList();
  const ui::RowKey shownBeta = visible.KeyOfRow(2);
  desktop.wm.BringToTop(a);  // Alpha leaves the list: Beta now stands in the first row
  lists.RefreshWindowList();
  ASSERT_EQ(visible.Cell(0, 1), "Beta");
  // The second row now holds Gamma; the peer reports the row the user saw.
  visible.UserSelectedKey(shownBeta);
  lists.StringGrid1DblClick();
  EXPECT_FALSE(desktop.wm.IsWindowVisible(b));
  EXPECT_TRUE(desktop.wm.IsWindowVisible(c));
  ASSERT_EQ(lists.Hidden().Count(), 1);
  EXPECT_EQ(lists.Hidden().At(1).window, b);
  EXPECT_EQ(hidden.Cell(0, 1), "Beta");
  EXPECT_EQ(hidden.Cell(1, 1), std::to_string(platform::Raw(b)));
}

// Keys last across rebuilds: an entry keeps its key while its window stays
// listed, the visible list's key is its window, and a chosen entry that goes
// hands the choice to the entry that takes its place.
TEST_F(ListsAlone, ModelKeysAndChoicesFollowTheEntries) {
  windows::WindowList byEntry, byWindow(true);
  const platform::Hwnd w1{11}, w2{12}, w3{13};
  byEntry.Replace({{w1, "one"}, {w2, "two"}});
  const auto k2 = byEntry.KeyAt(2);
  byEntry.Replace({{w2, "two"}, {w3, "three"}}, true);
  EXPECT_EQ(byEntry.KeyAt(1), k2);
  EXPECT_EQ(byEntry.PositionOf(byEntry.Chosen()), 1) << "the chosen window went: the first is chosen";
  byWindow.Replace({{w1, "one"}});
  EXPECT_EQ(byWindow.KeyAt(1), ui::RowKey{11});

  windows::WindowList hiddenList;
  hiddenList.Append({w1, "one"});
  EXPECT_EQ(hiddenList.Chosen(), hiddenList.KeyAt(1)) << "empty to one entry: that entry is chosen";
  hiddenList.Append({w1, "one"});  // the same window twice: two entries
  hiddenList.Append({w3, "three"});
  EXPECT_NE(hiddenList.KeyAt(1), hiddenList.KeyAt(2));
  hiddenList.ChoosePosition(3);
  hiddenList.Remove(3);
  EXPECT_EQ(hiddenList.PositionOf(hiddenList.Chosen()), 2) << "past the end: the last is chosen";
}

}  // namespace
}  // namespace nimbul::testing

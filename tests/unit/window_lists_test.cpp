#include "main_window_fixture.h"

namespace nimbul::testing {
namespace {

TEST_F(MainWindowTest, VisibleListFollowsTheZOrderBelowTheMainWindowOnly) {
  platform::Hwnd a = Target("Alpha"), b = Target("Beta"), c = Target("Gamma");
  platform::Hwnd above = desktop.wm.AddWindow("In front", "TargetWindow", true);  // above the main window
  platform::Hwnd topmost = desktop.wm.AddWindow("Always on top", "TargetWindow", true);
  desktop.wm.MakeTopmost(topmost);
  main->RefreshWindowList();
  std::vector<Row> expect{{"Alpha", H(a)}, {"Beta", H(b)}, {"Gamma", H(c)}};
  EXPECT_EQ(Visible(), expect);
  (void)above;
  // The main window and the application window are never listed, wherever they lie.
  desktop.wm.SendToBottom(app.Handle());
  main->RefreshWindowList();
  EXPECT_EQ(Visible(), expect);
  // Bringing a window below the main window to the top takes it out of the list.
  desktop.wm.BringToTop(b);
  main->RefreshWindowList();
  EXPECT_EQ(Names(main->StringGrid1), (std::vector<std::string>{"Alpha", "Gamma"}));
}

TEST_F(MainWindowTest, RebuildSkipsBlankInvisibleUntitledAndProgramManagerWindows) {
  Target(" ");
  Target("Invisible", false);
  Target("Program Manager");
  Target("");
  Target("program manager");
  Target("  ");
  Target("Kept");
  main->RefreshWindowList();
  EXPECT_EQ(Names(main->StringGrid1), (std::vector<std::string>{"program manager", "  ", "Kept"}));
}

TEST_F(MainWindowTest, LongTitlesAreCutTo255Characters) {
  std::string title(300, 'x');
  title[254] = 'y';
  Target(title);
  main->RefreshWindowList();
  ASSERT_EQ(EntryCount(main->StringGrid1), 1);
  EXPECT_EQ(Rows(main->StringGrid1)[0].name, title.substr(0, 255));
}

TEST_F(MainWindowTest, EmptyListShowsOneBlankRowWithoutHeader) {
  main->RefreshWindowList();
  auto& g = main->StringGrid1;
  EXPECT_EQ(g.RowCount(), 1);
  EXPECT_EQ(g.FixedRows(), 0);
  EXPECT_EQ(g.Cell(0, 0), "");
  EXPECT_EQ(g.Cell(1, 0), "");
  // The hidden list starts in the same presentation.
  EXPECT_EQ(main->StringGrid2.RowCount(), 1);
  EXPECT_EQ(main->StringGrid2.FixedRows(), 0);
  EXPECT_EQ(main->StringGrid2.Cell(0, 0), "");

  Target("One");
  main->RefreshWindowList();
  EXPECT_EQ(g.FixedRows(), 1);
  EXPECT_EQ(g.Cell(0, 0), "Name");
  EXPECT_EQ(g.Cell(1, 0), "Handle");
  EXPECT_EQ(g.Cell(0, 1), "One");
}

TEST_F(MainWindowTest, RebuildSelectsTheFirstEntryAndScrollsToTheTop) {
  for (int i = 0; i < 5; ++i) Target("W" + std::to_string(i));
  main->RefreshWindowList();
  main->StringGrid1.UserSelected(4);
  main->StringGrid1.SetTopRow(3);
  main->RefreshWindowList();
  EXPECT_EQ(main->StringGrid1.Row(), 1);
  EXPECT_EQ(main->StringGrid1.TopRow(), 1);
}

TEST_F(MainWindowTest, RebuildReadsTheDesktopAndTaskbarStateBack) {
  platform::Hwnd desk = desktop.wm.AddWindow("Program Manager", "Progman", true);
  platform::Hwnd tray = desktop.wm.AddWindow("", "Shell_TrayWnd", true);
  main->RefreshWindowList();
  EXPECT_FALSE(main->DesktopIconsausblenden1.Checked());
  EXPECT_FALSE(main->ToolButton7.Down());
  EXPECT_FALSE(main->HideTaskbar1.Checked());
  EXPECT_FALSE(main->ToolButton12.Down());
  EXPECT_FALSE(main->TaskbarHiddenFlag);

  desktop.wm.Get(desk).visible = false;
  desktop.wm.Get(tray).visible = false;
  main->RefreshWindowList();
  EXPECT_TRUE(main->DesktopIconsausblenden1.Checked());
  EXPECT_TRUE(main->ToolButton7.Down());
  EXPECT_TRUE(main->HideTaskbar1.Checked());
  EXPECT_TRUE(main->ToolButton12.Down());
  EXPECT_TRUE(main->TaskbarHiddenFlag);

  // Also with nothing qualifying for the list, the states are re-read.
  desktop.wm.Get(tray).visible = true;
  main->RefreshWindowList();
  EXPECT_EQ(EntryCount(main->StringGrid1), 0);
  EXPECT_FALSE(main->TaskbarHiddenFlag);
}

TEST_F(MainWindowTest, TimerDropsClosedHiddenWindowsOnePerNeighbourPerTick) {
  platform::Hwnd a = Target("A"), b = Target("B"), c = Target("C"), d = Target("D");
  for (platform::Hwnd h : {a, b, c, d}) HideFromTray(h);
  desktop.wm.CloseWindow(b);
  desktop.wm.CloseWindow(c);
  desktop.timers.Advance(1000);
  // B went; C moved up into its place and is not looked at before the next tick.
  EXPECT_EQ(Names(main->StringGrid2), (std::vector<std::string>{"A", "C", "D"}));
  desktop.timers.Advance(1000);
  EXPECT_EQ(Names(main->StringGrid2), (std::vector<std::string>{"A", "D"}));

  desktop.wm.CloseWindow(a);
  desktop.wm.CloseWindow(d);
  desktop.timers.Advance(2000);
  EXPECT_EQ(EntryCount(main->StringGrid2), 0);
  EXPECT_EQ(main->StringGrid2.FixedRows(), 0);
  EXPECT_EQ(main->StringGrid2.Cell(0, 0), "");
}

TEST_F(MainWindowTest, TimerKeepsTitlesCurrentWithoutReenumerating) {
  platform::Hwnd v = Target("Visible"), h = Target("Hidden");
  HideFromTray(h);
  main->RefreshWindowList();
  desktop.wm.SetTitle(v, "Visible renamed");
  desktop.wm.SetTitle(h, "Hidden renamed");
  platform::Hwnd late = Target("Opened later");
  desktop.timers.Advance(1000);
  EXPECT_EQ(Names(main->StringGrid1), (std::vector<std::string>{"Visible renamed"}));
  EXPECT_EQ(Names(main->StringGrid2), (std::vector<std::string>{"Hidden renamed"}));
  (void)late;

  // An untitled hidden window that still exists keeps its entry; a vanished
  // visible window keeps its row with an empty name until the next rebuild.
  desktop.wm.SetTitle(h, "");
  desktop.wm.CloseWindow(v);
  desktop.timers.Advance(1000);
  EXPECT_EQ(Hidden(), (std::vector<Row>{{"", H(h)}}));
  EXPECT_EQ(Visible(), (std::vector<Row>{{"", H(v)}}));
}

TEST_F(MainWindowTest, TimerRemovesTheNullHandleEntryAtTheNextTick) {
  HideFromTray({});
  EXPECT_EQ(Hidden(), (std::vector<Row>{{"", "0"}}));
  desktop.timers.Advance(999);
  EXPECT_EQ(EntryCount(main->StringGrid2), 1);
  desktop.timers.Advance(1);
  EXPECT_EQ(EntryCount(main->StringGrid2), 0);
}

TEST_F(MainWindowTest, HiddenListSelectionStaysOnTheChosenWindowOrTakesItsPlace) {
  auto& g = main->StringGrid2;
  platform::Hwnd a = Target("A"), b = Target("B"), c = Target("C"), d = Target("D");
  HideFromTray(a);
  EXPECT_EQ(g.Row(), 1);  // empty to one entry: that entry is selected
  for (platform::Hwnd h : {b, c, d}) HideFromTray(h);
  Select(g, 3);
  desktop.wm.CloseWindow(a);
  desktop.timers.Advance(1000);
  // The chosen window keeps the selection when an entry above it goes.
  EXPECT_EQ(g.Cell(0, g.Row()), "C");
  // When the chosen entry goes, the one that moves into its row is selected,
  // and the last one when the row no longer exists.
  desktop.wm.CloseWindow(c);
  desktop.timers.Advance(1000);
  EXPECT_EQ(g.Cell(0, g.Row()), "D");
  desktop.wm.CloseWindow(d);
  desktop.timers.Advance(1000);
  EXPECT_EQ(g.Cell(0, g.Row()), "B");
}

TEST_F(MainWindowTest, TrayMenuModelListsWindowsAndHiddenEntriesWithIcons) {
  platform::Hwnd owner = desktop.wm.AddWindow("Owner", "OwnerClass", false);
  platform::Hwnd a = Target("Alpha");
  platform::Hwnd untitled = Target("");
  Target(" ");
  Target("Program Manager");
  platform::Hwnd owned = Target("Owned");
  desktop.wm.Get(owned).owner = owner;
  desktop.wm.Get(owner).classSmallIcon = desktop.wm.NewIcon();
  desktop.wm.Get(a).classSmallIcon = desktop.wm.NewIcon();
  platform::Hwnd gone = Target("Gone");
  HideFromTray(Target("Hidden one"));
  HideFromTray({});
  HideFromTray(gone);
  desktop.wm.CloseWindow(gone);

  main->PopupMenu1.Popup(0, 0);
  auto& hide = main->Hideprogram1;
  ASSERT_EQ(hide.Count(), 5);  // Alpha, untitled, Owned, separator, All windows
  EXPECT_EQ(hide[0].Caption(), "Alpha");
  EXPECT_EQ(hide[0].Payload(), ui::MenuPayload(a));
  EXPECT_EQ(hide[1].Caption(), "");
  EXPECT_EQ(hide[1].Payload(), ui::MenuPayload(untitled));
  EXPECT_EQ(hide[2].Caption(), "Owned");
  EXPECT_TRUE(hide[3].IsSeparator());
  EXPECT_EQ(hide[4].Caption(), "All windows");
  auto& show = main->Showprogram1;
  ASSERT_EQ(show.Count(), 4);  // Hidden one (1), Gone (3), separator, All windows
  EXPECT_EQ(show[0].Caption(), "Hidden one");
  EXPECT_EQ(show[1].Caption(), "Gone");
  // One image per window item, numbered in the order the items were made.
  EXPECT_EQ(main->ImglistPHide.Count(), 5);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(hide[i].ImageIndex(), i);
  EXPECT_EQ(show[0].ImageIndex(), 3);
  EXPECT_EQ(show[1].ImageIndex(), 4);
  // Alpha's own small icon and Owned's owner's icon were copied.
  EXPECT_FALSE(IsNull(main->ImglistPHide.Icons()[0]));
  EXPECT_FALSE(IsNull(main->ImglistPHide.Icons()[2]));
  // Rebuilding gives the old icon copies back.
  int copies = desktop.wm.LiveIconCopies();
  main->PopupMenu1.Popup(0, 0);
  EXPECT_EQ(desktop.wm.LiveIconCopies(), copies);
}

TEST_F(MainWindowTest, TrayShowSubmenuIsEmptyWithoutHiddenWindows) {
  Target("Alpha");
  main->PopupMenu1.Popup(0, 0);
  EXPECT_EQ(main->Showprogram1.Count(), 0);
  EXPECT_EQ(main->Hideprogram1.Count(), 3);
}

}  // namespace
}  // namespace nimbul::testing

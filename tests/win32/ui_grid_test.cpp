// A string grid model mirrored into a virtual report-mode list view.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "ui_fixture.h"

namespace nimbul::ui::win32::testing {
namespace {

using Rows = std::vector<std::vector<std::string>>;

std::string ItemText(HWND list, int item, int column) {
  char buffer[260] = {};
  LVITEMA lv{};
  lv.iSubItem = column;
  lv.pszText = buffer;
  lv.cchTextMax = sizeof buffer;
  ::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv));
  return buffer;
}

std::string HeaderText(HWND list, int column) {
  char buffer[64] = {};
  LVCOLUMNA col{};
  col.mask = LVCF_TEXT;
  col.pszText = buffer;
  col.cchTextMax = sizeof buffer;
  ::SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&col));
  return buffer;
}

int ItemCount(HWND list) { return static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

int SelectedItem(HWND list) {
  return static_cast<int>(::SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool HeaderHidden(HWND list) { return (::GetWindowLongA(list, GWL_STYLE) & LVS_NOCOLUMNHEADER) != 0; }

// What the user does with the mouse, as the control sees it: the item selected.
void UserSelects(HWND list, int item) {
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
}

Rows Entries(int n) {
  Rows rows{{"Name", "Handle"}};
  for (int i = 1; i <= n; ++i) rows.push_back({"Window " + std::to_string(i), std::to_string(1000 + i)});
  return rows;
}

class GridPeerTest : public PeerTest {
 protected:
  void SetUp() override {
    PeerTest::SetUp();
    form = &MakeForm();
    list = Native(form->Grid.Handle());
    ASSERT_TRUE(::IsWindow(list));
  }
  TestForm* form = nullptr;
  HWND list = nullptr;
};

TEST_F(GridPeerTest, IsAVirtualSingleSelectionReportListWithTwoColumns) {
  char cls[64] = {};
  ::GetClassNameA(list, cls, sizeof cls);
  EXPECT_STREQ(cls, WC_LISTVIEWA);
  LONG style = ::GetWindowLongA(list, GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(style & LVS_OWNERDATA);
  EXPECT_TRUE(style & LVS_SINGLESEL);
  EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
  auto ex = ::SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
  EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);
  HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
  EXPECT_EQ(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(::SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), 181);
  EXPECT_EQ(::SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0), 55);
}

TEST_F(GridPeerTest, FixedRowBecomesTheHeaderAndTheOtherRowsTheItems) {
  form->Grid.SetAll(Entries(3), 1, 1);
  EXPECT_EQ(ItemCount(list), 3);
  EXPECT_FALSE(HeaderHidden(list));
  EXPECT_EQ(HeaderText(list, 0), "Name");
  EXPECT_EQ(HeaderText(list, 1), "Handle");
  EXPECT_EQ(ItemText(list, 0, 0), "Window 1");
  EXPECT_EQ(ItemText(list, 2, 0), "Window 3");
  EXPECT_EQ(ItemText(list, 2, 1), "1003");
  EXPECT_EQ(SelectedItem(list), 0);
}

TEST_F(GridPeerTest, EmptyPresentationIsOneBlankItemWithoutHeader) {
  form->Grid.SetAll(Entries(2), 1, 1);
  form->Grid.SetAll({{"", ""}}, 0, 0);
  // Changes that follow each other closely reach the list together.
  ASSERT_TRUE(PumpUntil([&] { return ItemCount(list) == 1; }));
  EXPECT_TRUE(HeaderHidden(list));
  EXPECT_EQ(HeaderText(list, 0), "");
  EXPECT_EQ(HeaderText(list, 1), "");
  EXPECT_EQ(ItemText(list, 0, 0), "");
  // And back: the header shows again above the entries.
  form->Grid.SetAll(Entries(1), 1, 1);
  ASSERT_TRUE(PumpUntil([&] { return !HeaderHidden(list); }));
  EXPECT_EQ(HeaderText(list, 0), "Name");
  EXPECT_EQ(SelectedItem(list), 0);
}

TEST_F(GridPeerTest, CellAndRowChangesReachTheItems) {
  form->Grid.SetAll(Entries(2), 1, 1);
  form->Grid.SetCell(0, 2, "Renamed");
  EXPECT_EQ(ItemText(list, 1, 0), "Renamed");
  form->Grid.SetRowCount(4);
  form->Grid.SetCell(0, 3, "Appended");
  ASSERT_TRUE(PumpUntil([&] { return ItemCount(list) == 3; }));
  EXPECT_EQ(ItemText(list, 2, 0), "Appended");
  form->Grid.SetCell(0, 0, "Title");
  EXPECT_EQ(HeaderText(list, 0), "Title");
}

TEST_F(GridPeerTest, TitlesAreBytesOfTheSystemCodePage) {
  std::string title = "Caf\xE9 \xA9 2026";  // Latin-1 bytes, as an ANSI window title holds them
  form->Grid.SetAll({{"Name", "Handle"}, {title, "1"}}, 1, 1);
  EXPECT_EQ(ItemText(list, 0, 0), title);
}

TEST_F(GridPeerTest, ModelSelectionMovesTheListSelection) {
  form->Grid.SetAll(Entries(5), 1, 1);
  form->Grid.SetRow(4);
  EXPECT_TRUE(PumpUntil([&] { return SelectedItem(list) == 3; }));
  form->Grid.SetRow(1);
  EXPECT_TRUE(PumpUntil([&] { return SelectedItem(list) == 0; }));
}

TEST_F(GridPeerTest, UserSelectionReachesTheModel) {
  form->Grid.SetAll(Entries(5), 1, 1);
  UserSelects(list, 2);
  EXPECT_EQ(form->Grid.Row(), 3);
  UserSelects(list, 4);
  EXPECT_EQ(form->Grid.Row(), 5);
}

TEST_F(GridPeerTest, AClickOnEmptySpaceKeepsTheSelectedRow) {
  form->Grid.SetAll(Entries(3), 1, 2);
  LVITEMA none{};
  none.stateMask = LVIS_SELECTED;
  ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  ASSERT_TRUE(PumpUntil([&] { return SelectedItem(list) == 1; }));
  EXPECT_EQ(form->Grid.Row(), 2);
}

TEST_F(GridPeerTest, DoubleClickSelectsTheRowUnderTheMouseThenRaisesTheEvent) {
  form->Grid.SetAll(Entries(4), 1, 1);
  ::ShowWindow(Native(form->Handle()), SW_SHOWNOACTIVATE);
  int rowAtClick = -1, clicks = 0;
  form->Grid.OnDblClick = [&] {
    ++clicks;
    rowAtClick = form->Grid.Row();
  };
  RECT r{};
  r.left = LVIR_BOUNDS;
  ASSERT_TRUE(::SendMessageA(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r)));
  // In the second column: the whole row counts.
  LPARAM at = MAKELPARAM(r.left + 200, (r.top + r.bottom) / 2);
  ::SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageA(list, WM_LBUTTONUP, 0, at);
  ::SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  ::SendMessageA(list, WM_LBUTTONUP, 0, at);
  ASSERT_TRUE(PumpUntil([&] { return clicks > 0; }));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(rowAtClick, 3);
  EXPECT_EQ(SelectedItem(list), 2);
}

TEST_F(GridPeerTest, EnterActsAsADoubleClickOnTheSelectedRow) {
  form->Grid.SetAll(Entries(3), 1, 1);
  ASSERT_TRUE(PumpUntil([&] { return ItemCount(list) == 3; }));
  UserSelects(list, 1);
  int rowAtClick = -1;
  form->Grid.OnDblClick = [&] { rowAtClick = form->Grid.Row(); };
  ::SendMessageA(list, WM_KEYDOWN, VK_RETURN, 0);
  ::SendMessageA(list, WM_KEYUP, VK_RETURN, 0);
  ASSERT_TRUE(PumpUntil([&] { return rowAtClick >= 0; }));
  EXPECT_EQ(rowAtClick, 2);
}

TEST_F(GridPeerTest, ColumnWidthsFollowTheModelAndTheUser) {
  form->Grid.SetColWidth(0, 150);
  EXPECT_EQ(::SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), 150);
  // The user drags the divider: the header reports the new width.
  HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
  HDITEMA item{};
  item.mask = HDI_WIDTH;
  item.cxy = 99;
  ::SendMessageA(header, HDM_SETITEMA, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(form->Grid.ColWidth(1), 99);
  EXPECT_EQ(form->Grid.ColWidth(0), 150);
}

TEST_F(GridPeerTest, ColoursUseSystemColoursOrPlainValues) {
  form->Grid.SetColors(0x00336699u, kClWindowText);
  EXPECT_EQ(static_cast<COLORREF>(::SendMessageA(list, LVM_GETBKCOLOR, 0, 0)), 0x00336699u);
  EXPECT_EQ(static_cast<COLORREF>(::SendMessageA(list, LVM_GETTEXTBKCOLOR, 0, 0)), 0x00336699u);
  EXPECT_EQ(static_cast<COLORREF>(::SendMessageA(list, LVM_GETTEXTCOLOR, 0, 0)), ::GetSysColor(COLOR_WINDOWTEXT));
  form->Grid.SetColors(kClWindow, 0x000000FFu);
  EXPECT_EQ(static_cast<COLORREF>(::SendMessageA(list, LVM_GETBKCOLOR, 0, 0)), ::GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(static_cast<COLORREF>(::SendMessageA(list, LVM_GETTEXTCOLOR, 0, 0)), 0x000000FFu);
}

TEST_F(GridPeerTest, ThousandRowsRebuildAtOnceAndStayReadable) {
  auto start = std::chrono::steady_clock::now();
  for (int round = 0; round < 10; ++round) form->Grid.SetAll(Entries(1000), 1, 1);
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  ASSERT_TRUE(PumpUntil([&] { return ItemCount(list) == 1000; }));
  EXPECT_EQ(ItemText(list, 999, 0), "Window 1000");
  EXPECT_EQ(ItemText(list, 999, 1), "2000");
  // Ten rebuilds of a thousand rows: the list view holds no copies, so this is quick.
  EXPECT_LT(ms, 2000) << ms << " ms";
}

TEST_F(GridPeerTest, TopRowScrollsTheListAndARebuildReturnsToTheTop) {
  ::ShowWindow(Native(form->Handle()), SW_SHOWNOACTIVATE);
  form->Grid.SetAll(Entries(200), 1, 1);
  form->Grid.SetTopRow(101);
  EXPECT_TRUE(PumpUntil([&] { return ::SendMessageA(list, LVM_GETTOPINDEX, 0, 0) == 100; }));
  form->Grid.SetAll(Entries(200), 1, 1);
  form->Grid.SetTopRow(1);
  EXPECT_TRUE(PumpUntil([&] { return ::SendMessageA(list, LVM_GETTOPINDEX, 0, 0) == 0; }));
}

TEST_F(GridPeerTest, ARebuildAfterTheUserScrolledReturnsToTheTop) {
  ::ShowWindow(Native(form->Handle()), SW_SHOWNOACTIVATE);
  form->Grid.SetAll(Entries(200), 1, 1);
  ASSERT_TRUE(PumpUntil([&] { return ItemCount(list) == 200; }));
  ::SendMessageA(list, WM_VSCROLL, SB_PAGEDOWN, 0);  // the user's own scrolling
  ::SendMessageA(list, WM_VSCROLL, SB_PAGEDOWN, 0);
  ASSERT_GT(::SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 0);
  form->Grid.SetAll(Entries(200), 1, 1);
  form->Grid.SetTopRow(1);
  EXPECT_TRUE(PumpUntil([&] { return ::SendMessageA(list, LVM_GETTOPINDEX, 0, 0) == 0; }));
}

TEST_F(GridPeerTest, AClickReportsTheRowItShowedWhileARebuildWaits) {
  ::ShowWindow(Native(form->Handle()), SW_SHOWNOACTIVATE);
  // Rows keyed 11..13, then the same entries in reverse order.
  auto keyed = [&](std::vector<std::uint32_t> keys) {
    Rows rows{{"Name", "Handle"}};
    std::vector<RowKey> rowKeys{RowKey{}};
    for (std::uint32_t k : keys) {
      rows.push_back({"Window " + std::to_string(k), std::to_string(k)});
      rowKeys.push_back(RowKey{k});
    }
    form->Grid.SetAll(rows, 1, 1, rowKeys);
  };
  std::vector<RowKey> chosen;
  form->Grid.OnUserSelect = [&](RowKey k) { chosen.push_back(k); };
  int clicks = 0;
  form->Grid.OnDblClick = [&] { ++clicks; };
  keyed({11, 12, 13});
  ASSERT_TRUE(PumpUntil([&] { return ItemCount(list) == 3; }));
  RECT r{};
  r.left = LVIR_BOUNDS;
  ASSERT_TRUE(::SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r)));
  const LPARAM first = MAKELPARAM(r.left + 20, (r.top + r.bottom) / 2);
  // The first press; a rebuild reorders the rows before the second one.
  ::SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, first);
  ::SendMessageA(list, WM_LBUTTONUP, 0, first);
  keyed({13, 12, 11});
  Pump();
  EXPECT_EQ(ItemText(list, 0, 0), "Window 11") << "the rows stay as they were during the double-click";
  ::SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, first);
  ::SendMessageA(list, WM_LBUTTONUP, 0, first);
  ASSERT_TRUE(PumpUntil([&] { return clicks > 0; }));
  ASSERT_FALSE(chosen.empty());
  EXPECT_EQ(chosen.back(), RowKey{11});
  EXPECT_EQ(form->Grid.Row(), 3) << "the model's row of that entry";
  // Once the gesture is over the new rows come, with the chosen entry still selected.
  EXPECT_TRUE(PumpUntil([&] { return ItemText(list, 0, 0) == "Window 13"; }));
  EXPECT_TRUE(PumpUntil([&] { return SelectedItem(list) == 2; }));
}

TEST_F(GridPeerTest, FocusedControlIsTheGridWhoseListHasTheFocus) {
  form->Show();
  ASSERT_TRUE(PumpUntil([&] { return ::GetActiveWindow() == Native(form->Handle()); }));
  form->Grid.SetFocus();
  EXPECT_EQ(::GetFocus(), list);
  EXPECT_EQ(backend.FocusedControl(), &form->Grid);
  EXPECT_TRUE(form->Grid.Focused());
  form->Edit1.SetFocus();
  EXPECT_EQ(backend.FocusedControl(), &form->Edit1);
  EXPECT_FALSE(form->Grid.Focused());
}

}  // namespace
}  // namespace nimbul::ui::win32::testing

// Menu models as system menus: the bar, popups, hints and keyboard shortcuts.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/win32/key_values.h"
#include "ui/win32/native_menu.h"
#include "ui_fixture.h"

namespace nimbul::ui::win32::testing {
namespace {

std::string EntryText(HMENU menu, int position) {
  char text[128] = {};
  ::GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
  return text;
}

UINT EntryState(HMENU menu, int position) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  ::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
  return info.fState;
}

class MenuPeerTest : public PeerTest {
 protected:
  void SetUp() override {
    PeerTest::SetUp();
    form = &MakeForm();
    hwnd = Native(form->Handle());
    bar = ::GetMenu(hwnd);
    ASSERT_NE(bar, nullptr);
    file = ::GetSubMenu(bar, 0);
    ASSERT_NE(file, nullptr);
  }
  // Opens the File menu as the system does before showing it.
  void OpenFileMenu() {
    ::SendMessageA(hwnd, WM_INITMENU, reinterpret_cast<WPARAM>(::GetMenu(hwnd)), 0);
    file = ::GetSubMenu(::GetMenu(hwnd), 0);
    ::SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
  }
  // A key pressed while the form is active, through the backend's message loop.
  void PressKey(UINT vk, bool ctrl = false) {
    if (ctrl) {
      BYTE keys[256];
      ::GetKeyboardState(keys);
      keys[VK_CONTROL] = 0x80;
      ::SetKeyboardState(keys);
    }
    ::PostMessageA(Native(form->Grid.Handle()), WM_KEYDOWN, vk, 1);
    ::PostMessageA(Native(form->Grid.Handle()), WM_KEYUP, vk, 0xC0000001);
    Pump();
    if (ctrl) {
      BYTE keys[256];
      ::GetKeyboardState(keys);
      keys[VK_CONTROL] = 0;
      ::SetKeyboardState(keys);
    }
  }
  bool Activate() {
    form->Show();
    return PumpUntil([&] { return ::GetActiveWindow() == hwnd; });
  }
  TestForm* form = nullptr;
  HWND hwnd = nullptr;
  HMENU bar = nullptr;
  HMENU file = nullptr;
};

TEST_F(MenuPeerTest, BarShowsTheTreeWithShortcutsTicksAndGreyedEntries) {
  EXPECT_EQ(EntryText(bar, 0), "&File");
  // The invisible entry is left out: Refresh, Ticked, Greyed, separator, End Program.
  ASSERT_EQ(::GetMenuItemCount(file), 5);
  EXPECT_EQ(EntryText(file, 0), "&Refresh\tF5");
  EXPECT_EQ(EntryText(file, 1), "&Ticked");
  EXPECT_TRUE(EntryState(file, 1) & MFS_CHECKED);
  EXPECT_TRUE(EntryState(file, 2) & MFS_GRAYED);
  EXPECT_TRUE(::GetMenuState(file, 3, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_EQ(EntryText(file, 4), "&End Program\tCtrl+X");
}

TEST_F(MenuPeerTest, ModelChangesReachTheMenuBeforeItOpens) {
  form->Hidden.SetVisible(true);
  form->Ticked.SetChecked(false);
  form->Quit.SetShortCut(0x73, "F4");
  OpenFileMenu();
  ASSERT_EQ(::GetMenuItemCount(file), 6);
  EXPECT_EQ(EntryText(file, 3), "H&idden\tF3");
  EXPECT_FALSE(EntryState(file, 1) & MFS_CHECKED);
  EXPECT_EQ(EntryText(file, 5), "&End Program\tF4");
}

TEST_F(MenuPeerTest, ModelChangesReachTheBarThroughTheMessageLoopToo) {
  form->File.SetCaption("&Datei");
  ASSERT_TRUE(PumpUntil([&] { return EntryText(::GetMenu(hwnd), 0) == "&Datei"; }));
}

TEST_F(MenuPeerTest, ChoosingAnEntryClicksItsModel) {
  int clicks = 0;
  form->Refresh.OnClick = [&](MenuItem&) { ++clicks; };
  ::SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(::GetMenuItemID(file, 0), 0), 0);
  EXPECT_EQ(clicks, 1);
}

TEST_F(MenuPeerTest, OpeningASubmenuClicksItsItemFirstAndShowsWhatTheClickChanged) {
  int opened = 0;
  form->File.OnClick = [&](MenuItem&) {
    ++opened;
    form->Greyed.SetEnabled(true);
  };
  OpenFileMenu();
  EXPECT_EQ(opened, 1);
  EXPECT_FALSE(EntryState(file, 2) & MFS_GRAYED);
}

TEST_F(MenuPeerTest, HighlightedEntryAndTopLevelMenuGiveTheHint) {
  std::string hint;
  app.OnHint = [&] { hint = app.Hint(); };
  ::SendMessageA(hwnd, WM_MENUSELECT, MAKEWPARAM(::GetMenuItemID(file, 0), MF_HILITE), reinterpret_cast<LPARAM>(file));
  EXPECT_EQ(hint, "Refresh View");
  ::SendMessageA(hwnd, WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP | MF_HILITE), reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(hint, "File menu");
  ::SendMessageA(hwnd, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(hint, "");
}

TEST_F(MenuPeerTest, ShortcutOfAnEnabledEntryClicksIt) {
  ASSERT_TRUE(Activate());
  int refreshes = 0, quits = 0;
  form->Refresh.OnClick = [&](MenuItem&) { ++refreshes; };
  form->Quit.OnClick = [&](MenuItem&) { ++quits; };
  PressKey(VK_F5);
  EXPECT_EQ(refreshes, 1);
  PressKey('X', true);
  EXPECT_EQ(quits, 1);
  // Without Ctrl, X is only a key.
  PressKey('X');
  EXPECT_EQ(quits, 1);
}

TEST_F(MenuPeerTest, ShortcutOfADisabledOrInvisibleEntryDoesNothing) {
  ASSERT_TRUE(Activate());
  int clicks = 0;
  form->Greyed.OnClick = [&](MenuItem&) { ++clicks; };
  form->Hidden.OnClick = [&](MenuItem&) { ++clicks; };
  PressKey(VK_F2);
  PressKey(VK_F3);
  EXPECT_EQ(clicks, 0);
  form->Greyed.SetEnabled(true);
  PressKey(VK_F2);
  EXPECT_EQ(clicks, 1);
}

TEST_F(MenuPeerTest, ShortcutDoesNotOpenTheMenu) {
  ASSERT_TRUE(Activate());
  int opened = 0;
  form->File.OnClick = [&](MenuItem&) { ++opened; };
  PressKey(VK_F5);
  EXPECT_EQ(opened, 0);
}

TEST_F(MenuPeerTest, PopupMenuHasItsDefaultEntryAndSubmenu) {
  auto* native = dynamic_cast<NativeMenu*>(form->Popup1.GetPeer());
  ASSERT_NE(native, nullptr);
  HMENU popup = native->Handle();
  EXPECT_EQ(::GetMenuDefaultItem(popup, TRUE, 0), 0u);
  HMENU sub = ::GetSubMenu(popup, 1);
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(EntryText(sub, 0), "A window");
}

TEST_F(MenuPeerTest, EntryImagesAreDrawnFromTheMenusImageList) {
  ImageList images(16, 16);
  images.Add(
      platform::IconOwner(platform::win32::ToId<platform::Hicon>(::LoadIconA(nullptr, IDI_APPLICATION)), nullptr));
  form->Popup1.SetImages(&images);
  form->PopupFirst.SetImageIndex(0);
  HMENU popup = dynamic_cast<NativeMenu*>(form->Popup1.GetPeer())->Handle();
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_BITMAP | MIIM_ID;
  ASSERT_TRUE(::GetMenuItemInfoA(popup, 0, TRUE, &info));
  EXPECT_EQ(info.hbmpItem, HBMMENU_CALLBACK);
  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_MENU;
  measure.itemID = info.wID;
  EXPECT_TRUE(::SendMessageA(hwnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
  EXPECT_EQ(measure.itemWidth, 16u);
  EXPECT_EQ(measure.itemHeight, 16u);
  // Drawn into a white bitmap, the icon leaves some pixels that are not white.
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16, 16);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  RECT r{0, 0, 16, 16};
  ::FillRect(dc, &r, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  DRAWITEMSTRUCT draw{};
  draw.CtlType = ODT_MENU;
  draw.itemID = info.wID;
  draw.hDC = dc;
  draw.rcItem = r;
  EXPECT_TRUE(::SendMessageA(hwnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
  int painted = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) painted += ::GetPixel(dc, x, y) != RGB(255, 255, 255);
  EXPECT_GT(painted, 0);
  ::SelectObject(dc, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
  form->Popup1.SetImages(nullptr);
}

TEST_F(MenuPeerTest, PopupOpensAtThePositionAndItsChoiceClicksTheEntry) {
  ASSERT_TRUE(Activate());
  int prepared = 0, chosen = 0;
  form->Popup1.OnPopup = [&] { ++prepared; };
  form->PopupFirst.OnClick = [&](MenuItem&) { ++chosen; };
  // The menu's own loop takes the keys waiting in the queue: first entry, Enter.
  ::PostMessageA(hwnd, WM_KEYDOWN, VK_DOWN, 0);
  ::PostMessageA(hwnd, WM_KEYDOWN, VK_RETURN, 0);
  form->Popup1.Popup(120, 120);
  EXPECT_EQ(prepared, 1);
  ASSERT_TRUE(PumpUntil([&] { return chosen == 1; }));
}

TEST(KeyValues, AcceleratorEntriesCarryTheModifiers) {
  ACCEL a = AcceleratorFor(0x4058, 7);
  EXPECT_EQ(a.key, 'X');
  EXPECT_EQ(a.cmd, 7);
  EXPECT_EQ(a.fVirt, FVIRTKEY | FCONTROL);
  ACCEL b = AcceleratorFor(0x2000 | 0x8000 | 0x70, 9);
  EXPECT_EQ(b.key, VK_F1);
  EXPECT_EQ(b.fVirt, FVIRTKEY | FSHIFT | FALT);
  EXPECT_EQ(AcceleratorFor(0x74, 1).fVirt, FVIRTKEY);
}

}  // namespace
}  // namespace nimbul::ui::win32::testing

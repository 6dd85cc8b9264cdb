// The child controls' peers: status bar, tool bar, hotkey field, edits,
// check boxes, buttons, labels, splitter, hints and focus.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <iostream>
#include <string>

#include "ui/win32/edit_peers.h"
#include "ui/win32/key_values.h"
#include "ui_fixture.h"

namespace nimbul::ui::win32::testing {
namespace {

std::string StatusText(HWND bar) {
  char text[256] = {};
  ::SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  return text;
}

std::string TextOf(HWND h) {
  char text[256] = {};
  ::GetWindowTextA(h, text, sizeof text);
  return text;
}

// The command identifier of the tool bar's button at `index`.
int CommandAt(HWND toolBar, int index) {
  TBBUTTON button{};
  ::SendMessageA(toolBar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
  return button.idCommand;
}

class ControlPeerTest : public PeerTest {
 protected:
  void SetUp() override {
    PeerTest::SetUp();
    form = &MakeForm();
    hwnd = Native(form->Handle());
  }
  bool Activate() {
    form->Show();
    return PumpUntil([&] { return ::GetActiveWindow() == hwnd; });
  }
  TestForm* form = nullptr;
  HWND hwnd = nullptr;
};

TEST_F(ControlPeerTest, StatusBarTextIsReadableAsItsOnlyPart) {
  HWND bar = Native(form->StatusBar1.Handle());
  EXPECT_EQ(::SendMessageA(bar, SB_GETPARTS, 0, 0), 1);
  EXPECT_EQ(StatusText(bar), "  ");
  form->StatusBar1.SetSimpleText("Nimbulon 1.7.1.6");
  EXPECT_EQ(StatusText(bar), "Nimbulon 1.7.1.6");
  form->StatusBar1.SetVisible(false);
  EXPECT_FALSE(::IsWindowVisible(bar));
}

TEST_F(ControlPeerTest, ToolBarHasFlatButtonsWithoutTooltips) {
  HWND bar = Native(form->ToolBar1.Handle());
  LONG style = ::GetWindowLongA(bar, GWL_STYLE);
  EXPECT_TRUE(style & TBSTYLE_FLAT);
  EXPECT_FALSE(style & TBSTYLE_TOOLTIPS);
  ASSERT_EQ(::SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 4);
  TBBUTTON separator{};
  ::SendMessageA(bar, TB_GETBUTTON, 1, reinterpret_cast<LPARAM>(&separator));
  EXPECT_TRUE(separator.fsStyle & BTNS_SEP);
  EXPECT_TRUE(::SendMessageA(bar, TB_ISBUTTONHIDDEN, CommandAt(bar, 3), 0));
  EXPECT_FALSE(::SendMessageA(bar, TB_ISBUTTONHIDDEN, CommandAt(bar, 0), 0));
  form->HiddenButton.SetVisible(true);
  EXPECT_FALSE(::SendMessageA(bar, TB_ISBUTTONHIDDEN, CommandAt(bar, 3), 0));
}

TEST_F(ControlPeerTest, TwoStateButtonMirrorsDownBothWays) {
  HWND bar = Native(form->ToolBar1.Handle());
  int id = CommandAt(bar, 2);
  form->CheckButton.SetDown(true);
  EXPECT_TRUE(::SendMessageA(bar, TB_ISBUTTONCHECKED, id, 0));
  form->CheckButton.SetDown(false);
  EXPECT_FALSE(::SendMessageA(bar, TB_ISBUTTONCHECKED, id, 0));
  // The user clicks it: the bar flips the button and reports the command.
  bool downAtClick = false;
  int clicks = 0;
  form->CheckButton.OnClick = [&] {
    ++clicks;
    downAtClick = form->CheckButton.Down();
  };
  ::SendMessageA(bar, TB_CHECKBUTTON, id, TRUE);
  ::SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(downAtClick);
  EXPECT_TRUE(form->CheckButton.Down());
}

TEST_F(ControlPeerTest, PlainButtonClickRaisesTheModelsClick) {
  HWND bar = Native(form->ToolBar1.Handle());
  int clicks = 0;
  form->PlainButton.OnClick = [&] { ++clicks; };
  ::SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(CommandAt(bar, 0), BN_CLICKED), reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(clicks, 1);
}

TEST_F(ControlPeerTest, HotButtonGivesItsHintAndLeavingClearsIt) {
  HWND bar = Native(form->ToolBar1.Handle());
  std::string hint = "unset";
  app.OnHint = [&] { hint = app.Hint(); };
  ::SendMessageA(bar, TB_SETHOTITEM, 0, 0);
  EXPECT_EQ(hint, "A plain button");
  ::SendMessageA(bar, TB_SETHOTITEM, 2, 0);
  EXPECT_EQ(hint, "A two-state button");
  ::SendMessageA(bar, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
  EXPECT_EQ(hint, "");
}

TEST_F(ControlPeerTest, FeedbackLinkSitsAfterTheButtonsAndClicks) {
  HWND bar = Native(form->ToolBar1.Handle());
  HWND link = Native(form->Link.Handle());
  ASSERT_EQ(::GetParent(link), bar);
  RECT last{}, r{};
  ::SendMessageA(bar, TB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&last));
  ::GetWindowRect(link, &r);
  ::MapWindowPoints(nullptr, bar, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_GE(r.left, last.right);
  EXPECT_GT(r.right - r.left, 0);
  int clicks = 0;
  form->Link.OnClick = [&] { ++clicks; };
  ::SendMessageA(bar, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(link), STN_CLICKED), reinterpret_cast<LPARAM>(link));
  EXPECT_EQ(clicks, 1);
  // Blue on the bar's colour.
  HDC dc = ::GetDC(link);
  ::SendMessageA(bar, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(link));
  EXPECT_EQ(::GetTextColor(dc), RGB(0, 0, 255));
  ::ReleaseDC(link, dc);
}

TEST_F(ControlPeerTest, MouseOverAControlGivesItsHintAndRaisesMouseMove) {
  HWND list = Native(form->Grid.Handle());
  std::string hint;
  int moves = 0;
  app.OnHint = [&] { hint = app.Hint(); };
  form->Grid.OnMouseMove = [&] { ++moves; };
  ::SendMessageA(list, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(hint, "These are the currently visible Windows");
  EXPECT_EQ(moves, 1);
  ::SendMessageA(list, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(hint, "");
}

TEST_F(ControlPeerTest, MouseOverTheBareToolBarRaisesItsMouseMove) {
  HWND bar = Native(form->ToolBar1.Handle());
  int moves = 0;
  form->ToolBar1.OnMouseMove = [&] { ++moves; };
  RECT client;
  ::GetClientRect(bar, &client);
  ::SendMessageA(bar, WM_MOUSEMOVE, 0, MAKELPARAM(client.right - 2, client.bottom / 2));
  EXPECT_EQ(moves, 1);
  RECT first{};
  ::SendMessageA(bar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  ::SendMessageA(bar, WM_MOUSEMOVE, 0, MAKELPARAM((first.left + first.right) / 2, (first.top + first.bottom) / 2));
  EXPECT_EQ(moves, 1);
}

TEST_F(ControlPeerTest, HotKeyFieldRoundTripsBareAndModifiedKeys) {
  HWND field = Native(form->HotKey1.Handle());
  char cls[64] = {};
  ::GetClassNameA(field, cls, sizeof cls);
  EXPECT_STREQ(cls, HOTKEY_CLASSA);
  form->HotKey1.SetHotKey(0x78);  // F9
  EXPECT_EQ(::SendMessageA(field, HKM_GETHOTKEY, 0, 0), 0x78);
  form->HotKey1.SetHotKey(0x4078);  // Ctrl+F9
  EXPECT_EQ(::SendMessageA(field, HKM_GETHOTKEY, 0, 0), (HOTKEYF_CONTROL << 8) | 0x78);
}

TEST_F(ControlPeerTest, KeysTypedIntoTheHotKeyFieldReachTheModelUnchanged) {
  HWND field = Native(form->HotKey1.Handle());
  ASSERT_TRUE(Activate());
  ::SetFocus(field);
  // A bare key is no invalid combination that gets modifiers added.
  ::SendMessageA(field, WM_KEYDOWN, VK_F9, 0);
  ::SendMessageA(field, WM_KEYUP, VK_F9, 0xC0000000);
  ::SetFocus(Native(form->Edit1.Handle()));
  EXPECT_EQ(form->HotKey1.HotKey(), 0x78);
  ::SetFocus(field);
  ::SendMessageA(field, WM_KEYDOWN, VK_CONTROL, 0);
  ::SendMessageA(field, WM_KEYDOWN, VK_F9, 0);
  ::SendMessageA(field, WM_KEYUP, VK_F9, 0xC0000000);
  ::SendMessageA(field, WM_KEYUP, VK_CONTROL, 0xC0000000);
  ::SetFocus(Native(form->Edit1.Handle()));
  EXPECT_EQ(form->HotKey1.HotKey(), 0x4078);
}

TEST(KeyValues, HotKeyControlFlagsMapToTheShortcutBits) {
  EXPECT_EQ(ShortCutFromHotKeyControl(0x78), 0x78);
  EXPECT_EQ(ShortCutFromHotKeyControl((HOTKEYF_CONTROL << 8) | 0x78), 0x4078);
  EXPECT_EQ(ShortCutFromHotKeyControl((HOTKEYF_SHIFT << 8) | 0x70), 0x2070);
  EXPECT_EQ(ShortCutFromHotKeyControl(((HOTKEYF_ALT | HOTKEYF_SHIFT) << 8) | 0x41), 0xA041);
  // The extended-key flag is no modifier of the shortcut value.
  EXPECT_EQ(ShortCutFromHotKeyControl((HOTKEYF_EXT << 8) | 0x2E), 0x2E);
  for (std::uint16_t v : {0x0078, 0x4078, 0x2070, 0xA041, 0xE041, 0x8073})
    EXPECT_EQ(ShortCutFromHotKeyControl(HotKeyControlFromShortCut(v)), v) << v;
}

TEST_F(ControlPeerTest, EditReportsWhatTheUserTypesButNotTheProgramsText) {
  HWND edit = Native(form->Edit1.Handle());
  form->Edit1.SetText("Nimbulon");
  EXPECT_EQ(TextOf(edit), "Nimbulon");
  ASSERT_TRUE(Activate());
  ::SetFocus(edit);
  ::SendMessageA(edit, EM_SETSEL, 8, 8);
  ::SendMessageA(edit, WM_CHAR, '!', 0);
  EXPECT_EQ(form->Edit1.Text(), "Nimbulon!");
}

// What another subclass of a control saw: a tooltip, for one, subclasses
// the controls it watches after the program has.
struct OtherSubclass {
  int chars = 0;
  bool destroyed = false;
};

LRESULT CALLBACK OtherSubclassProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* seen = reinterpret_cast<OtherSubclass*>(data);
  if (msg == WM_CHAR) ++seen->chars;
  if (msg == WM_NCDESTROY) seen->destroyed = true;
  return ::DefSubclassProc(h, msg, wParam, lParam);
}

TEST_F(ControlPeerTest, ASubclassOnTopOfTheProgramsSharesTheKeysAndTheControlStillGoesCleanly) {
  HWND edit = Native(form->Edit1.Handle());
  OtherSubclass seen;
  ASSERT_TRUE(::SetWindowSubclass(edit, OtherSubclassProc, 7, reinterpret_cast<DWORD_PTR>(&seen)));
  ASSERT_TRUE(Activate());
  ::SetFocus(edit);
  ::SendMessageA(edit, WM_CHAR, 'x', 0);
  EXPECT_EQ(seen.chars, 1);
  EXPECT_EQ(form->Edit1.Text(), "x");
  EXPECT_EQ(TextOf(edit), "x");
  // The program's procedure cannot be taken out from under the other one:
  // it hands the control's last messages to the control's own procedure.
  form->Edit1.DetachPeer();
  EXPECT_TRUE(seen.destroyed);
  EXPECT_FALSE(::IsWindow(edit));
}

TEST(EditText, MemoLinesBecomeCrLf) {
  EXPECT_EQ(WithCrLf("a\nb"), "a\r\nb");
  EXPECT_EQ(WithCrLf("a\r\nb\n"), "a\r\nb\r\n");
  EXPECT_EQ(WithCrLf("\n"), "\r\n");
  EXPECT_EQ(WithCrLf(""), "");
}

TEST_F(ControlPeerTest, CheckBoxFollowsTheModelAndTheUser) {
  HWND box = Native(form->Check1.Handle());
  EXPECT_EQ(TextOf(box), "Check me");
  form->Check1.SetChecked(true);
  EXPECT_EQ(::SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  int clicks = 0;
  form->Check1.OnClick = [&] { ++clicks; };
  ::SendMessageA(box, BM_CLICK, 0, 0);
  EXPECT_FALSE(form->Check1.Checked());
  EXPECT_EQ(::SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ControlPeerTest, EnterAndEscClickTheDefaultAndTheCancelButton) {
  ASSERT_TRUE(Activate());
  int oks = 0, cancels = 0;
  form->Ok.OnClick = [&] { ++oks; };
  form->Cancel.OnClick = [&] { ++cancels; };
  EXPECT_TRUE(::GetWindowLongA(Native(form->Ok.Handle()), GWL_STYLE) & BS_DEFPUSHBUTTON);
  ::SetFocus(Native(form->Edit1.Handle()));
  HWND edit = Native(form->Edit1.Handle());
  ::PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
  Pump();
  EXPECT_EQ(oks, 1);
  ::PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 1);
  Pump();
  EXPECT_EQ(cancels, 1);
}

TEST_F(ControlPeerTest, TabMovesTheFocusInTabOrder) {
  ASSERT_TRUE(Activate());
  ::SetFocus(Native(form->Ok.Handle()));
  ::PostMessageA(Native(form->Ok.Handle()), WM_KEYDOWN, VK_TAB, 1);
  Pump();
  EXPECT_EQ(backend.FocusedControl(), &form->Cancel);
  ::PostMessageA(Native(form->Cancel.Handle()), WM_KEYDOWN, VK_TAB, 1);
  Pump();
  EXPECT_EQ(backend.FocusedControl(), &form->HotKey1);
}

TEST_F(ControlPeerTest, ChildBoundsVisibilityAndEnabledMirrorTheModel) {
  HWND button = Native(form->Ok.Handle());
  form->Ok.SetBounds(20, 30, 90, 27);
  RECT r;
  ::GetWindowRect(button, &r);
  ::MapWindowPoints(nullptr, ::GetParent(button), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 20);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.right - r.left, 90);
  form->Ok.SetEnabled(false);
  EXPECT_FALSE(::IsWindowEnabled(button));
  form->Ok.SetVisible(false);
  EXPECT_FALSE(::GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE);
  form->Ok.SetCaption("Go");
  EXPECT_EQ(TextOf(button), "Go");
}

TEST_F(ControlPeerTest, LabelShowsAllOfItsTextEvenWhenDesignedNarrower) {
  HWND label = Native(form->Label1.Handle());
  form->Label1.SetWidth(10);
  RECT r;
  ::GetClientRect(label, &r);
  HDC dc = ::GetDC(label);
  HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(label, WM_GETFONT, 0, 0)));
  SIZE text;
  ::GetTextExtentPoint32A(dc, " Visible Windows", 16, &text);
  ::SelectObject(dc, old);
  ::ReleaseDC(label, dc);
  EXPECT_GE(r.right, text.cx);
}

TEST_F(ControlPeerTest, DraggingTheSplitterResizesTheControlBeforeIt) {
  ASSERT_TRUE(Activate());
  HWND splitter = Native(form->Splitter1.Handle());
  int before = form->Grid.Width();
  RECT r;
  ::GetWindowRect(splitter, &r);
  ::SetCursorPos(r.left + 1, r.top + 10);
  ::SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 10));
  ::SetCursorPos(r.left + 41, r.top + 10);
  ::SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(41, 10));
  ::SendMessageA(splitter, WM_LBUTTONUP, 0, MAKELPARAM(41, 10));
  EXPECT_EQ(form->Grid.Width(), before + 40);
  RECT grid;
  ::GetWindowRect(Native(form->Grid.Handle()), &grid);
  EXPECT_EQ(grid.right - grid.left, before + 40);
}

TEST_F(ControlPeerTest, ControlsUseTheDialogFont) {
  HFONT font = reinterpret_cast<HFONT>(::SendMessageA(Native(form->Ok.Handle()), WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font, backend.Context().GetFonts().Normal());
  std::cout << "[ font ] " << backend.Context().GetFonts().Face() << "\n";
  EXPECT_FALSE(backend.Context().GetFonts().Face().empty());
}

}  // namespace
}  // namespace nimbul::ui::win32::testing

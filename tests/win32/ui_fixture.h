// The native peers' test bench: the real Win32 backend under an application
// on the fake platform services, and a small form with one control of each
// kind the program uses.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/fake/fake_desktop.h"
#include "platform/win32/handle_ids.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/menu.h"
#include "ui/string_grid.h"
#include "ui/tool_bar.h"
#include "ui/win32/win32_backend.h"

namespace nimbul::ui::win32::testing {

template <typename H = HWND>
H Native(platform::Hwnd h) {
  return platform::win32::FromId<H>(h);
}

class TestForm : public Form {
 public:
  explicit TestForm(Application& app)
      : Form(app, "frmPeerTest"),
        Menu1(app, "MainMenu1"),
        Popup1(app, "PopupMenu1"),
        ToolBar1(this, "ToolBar1"),
        PlainButton(&ToolBar1, "ToolButton1", ButtonStyle::Button, 0),
        Separator(&ToolBar1, "ToolButton2", ButtonStyle::Separator),
        CheckButton(&ToolBar1, "ToolButton3", ButtonStyle::Check, 1),
        HiddenButton(&ToolBar1, "ToolButton4", ButtonStyle::Button, 2),
        Link(&ToolBar1, "Label3"),
        Panel1(this, "Panel1"),
        Label1(&Panel1, "Label1"),
        StatusBar1(this, "StatusBar1"),
        Grid(this, "StringGrid1"),
        Splitter1(this, "Splitter1"),
        Right(this, "Panel2"),
        HotKey1(&Right, "HKAkt"),
        Edit1(&Right, "Edit1"),
        Check1(&Right, "CheckBox1"),
        Ok(&Right, "Button1"),
        Cancel(&Right, "Button2"),
        File(Menu1.Items().Add("Datei1", "&File", "File menu")),
        Refresh(File.Add("Aktualisieren1", "&Refresh", "Refresh View")),
        Ticked(File.Add("Ticked1", "&Ticked", "A ticked entry")),
        Greyed(File.Add("Greyed1", "&Greyed", "A disabled entry")),
        Hidden(File.Add("Hidden1", "H&idden", "An invisible entry")),
        Sep(File.Add("N1", "-")),
        Quit(File.Add("Ende1", "&End Program", "Close Program")),
        PopupFirst(Popup1.Items().Add("Open1", "&Open", "Open it")),
        PopupSub(Popup1.Items().Add("Sub1", "&Windows", "")),
        PopupChild(PopupSub.Add("Child1", "A window", "")) {
    SetCaption("Peer test");
    SetBounds(40, 30, 520, 300);
    SetMinTrackSize(320, 180);
    SetMenu(&Menu1);
    AddMenu(&Popup1);
    ToolBar1.SetAlign(Align::Top);
    ToolBar1.SetHeight(26);
    PlainButton.SetHint("A plain button");
    CheckButton.SetHint("A two-state button");
    HiddenButton.SetVisible(false);
    Link.SetCaption("Tell us!");
    Link.SetLink(true);
    Link.SetFontColor(kClBlue);
    Link.SetHint("Feedback");
    Panel1.SetAlign(Align::Top);
    Panel1.SetHeight(22);
    Panel1.SetSingleBorder(true);
    Label1.SetCaption(" Visible Windows");
    Label1.SetAlign(Align::Left);
    Label1.SetWidth(90);
    StatusBar1.SetAlign(Align::Bottom);
    StatusBar1.SetHeight(19);
    StatusBar1.SetSimpleText("  ");
    Grid.SetAlign(Align::Left);
    Grid.SetWidth(260);
    Grid.SetDefaultRowHeight(16);
    Grid.SetColWidth(0, 181);
    Grid.SetColWidth(1, 55);
    Grid.SetHint("These are the currently visible Windows");
    Splitter1.SetAlign(Align::Left);
    Splitter1.SetWidth(3);
    Right.SetAlign(Align::Client);
    HotKey1.SetBounds(16, 16, 137, 19);
    HotKey1.SetTabOrder(2);
    Edit1.SetBounds(16, 48, 137, 21);
    Edit1.SetTabOrder(3);
    Check1.SetBounds(16, 80, 137, 17);
    Check1.SetCaption("Check me");
    Check1.SetTabOrder(4);
    Ok.SetBounds(16, 110, 75, 25);
    Ok.SetCaption("&Ok");
    Ok.SetDefault(true);
    Ok.SetTabOrder(0);
    Cancel.SetBounds(100, 110, 75, 25);
    Cancel.SetCaption("Cancel");
    Cancel.SetCancel(true);
    Cancel.SetTabOrder(1);
    Refresh.SetShortCut(0x74, "F5");
    Ticked.SetChecked(true);
    Greyed.SetEnabled(false);
    Greyed.SetShortCut(0x71, "F2");
    Hidden.SetVisible(false);
    Hidden.SetShortCut(0x72, "F3");
    Quit.SetShortCut(0x4058, "Ctrl+X");
    PopupFirst.SetDefault(true);
  }

  MainMenu Menu1;
  PopupMenu Popup1;
  ToolBar ToolBar1;
  ToolButton PlainButton, Separator, CheckButton, HiddenButton;
  Label Link;
  Panel Panel1;
  Label Label1;
  StatusBar StatusBar1;
  StringGrid Grid;
  Splitter Splitter1;
  Panel Right;
  HotKeyField HotKey1;
  Edit Edit1;
  CheckBox Check1;
  Button Ok, Cancel;
  MenuItem &File, &Refresh, &Ticked, &Greyed, &Hidden, &Sep, &Quit;
  MenuItem &PopupFirst, &PopupSub, &PopupChild;
};

class PeerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    backend.SetApplication(&app);
    app.Initialize();
  }

  // Closing a main form asks the message loop to end; that request must not
  // outlive the test (it would end the next test's modal loops).
  void TearDown() override {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  TestForm& MakeForm() {
    TestForm& f = app.CreateForm<TestForm>();
    Pump();
    return f;
  }

  // Handles this thread's messages through the backend until `done` holds.
  bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
    DWORD start = ::GetTickCount();
    for (;;) {
      backend.ProcessMessages();
      if (done()) return true;
      if (::GetTickCount() - start > timeoutMs) return false;
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
  void Pump() { backend.ProcessMessages(); }

  platform::fake::FakeDesktop desktop;
  Win32Backend backend{desktop.platform};
  Application app{desktop.platform, backend};
};

}  // namespace nimbul::ui::win32::testing

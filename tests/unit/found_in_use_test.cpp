// Faults found by using the program as a user would, held so they stay away.
#include "hotkeys/shortcut.h"
#include "main_window_fixture.h"

namespace nimbul::testing {
namespace {

class FoundInUse : public MainWindowTest {};

TEST_F(FoundInUse, HideAllWithAnotherProgramActiveHidesThatProgramsWindowToo) {
  desktop.wm.activationRaises = false;  // as under Wine
  ShowMain();
  auto t = Targets(5);
  desktop.wm.BringToTop(t[2]);
  backend.ActivateOther(t[2]);
  main->KHAFVHotKeyEvent();
  for (platform::Hwnd w : t) EXPECT_FALSE(IsVisible(w)) << desktop.wm.GetWindowTextA(w);
}

TEST_F(FoundInUse, ActivationFromOutsideListsTheWindowsBelowOnceItHasSettled) {
  desktop.wm.activationRaises = false;
  main->Show();
  for (int i = 1; i <= 4; ++i) desktop.wm.AddWindow("Above " + std::to_string(i));  // above the main window
  backend.ActivateForm(*main);
  EXPECT_TRUE(Visible().empty()) << "windows above the main window are never listed";
  desktop.wm.BringToTop(main->Handle());  // the switcher raises it only now
  desktop.timers.Advance(300);
  EXPECT_EQ(Visible().size(), 4u);
}

TEST_F(FoundInUse, RaisedWithoutAnActivationItListsTheWindowsBelowOnceItHasSettled) {
  desktop.wm.activationRaises = false;
  ShowMain();
  desktop.timers.Advance(1000);
  for (int i = 1; i <= 4; ++i) desktop.wm.AddWindow("Above " + std::to_string(i));
  // The system moved the foreground away and back without telling the program.
  backend.RaiseForm(*main);
  desktop.timers.Advance(300);
  EXPECT_EQ(Visible().size(), 4u);
}

// Asked whether the session may end, the program shows what it hid and keeps
// the rest for the end itself: the user may still cancel the shutdown.
TEST_F(FoundInUse, TheEndOfTheSessionComesInTwoStepsAndACancelLeavesEverythingWorking) {
  platform::Hwnd taskbar = desktop.wm.AddWindow("", "Shell_TrayWnd");
  ShowMain();
  auto t = Targets(2);
  for (int i = 0; i < 2; ++i) {
    Select(main->StringGrid1, 1);
    main->StringGrid1DblClick();
  }
  main->HideTaskbar1Click();
  main->ToolButton8Click();
  auto inTray = [&] { return !desktop.notifyArea.shown.empty(); };
  ASSERT_TRUE(inTray());

  app.QueryEndSession();
  EXPECT_TRUE(IsVisible(t[0]) && IsVisible(t[1])) << "nothing hidden may block or lose the shutdown";
  EXPECT_TRUE(Hidden().empty());
  EXPECT_TRUE(inTray());
  EXPECT_FALSE(IsVisible(taskbar)) << "the shell waits for the end itself";

  app.EndSession(false);
  EXPECT_TRUE(IsVisible(t[0]) && IsVisible(t[1]));
  main->KHAFVHotKeyEvent();
  EXPECT_FALSE(IsVisible(t[0]) || IsVisible(t[1])) << "hide-all works again after the cancel";
  EXPECT_TRUE(inTray());

  app.QueryEndSession();
  app.EndSession(true);
  EXPECT_TRUE(IsVisible(t[0]) && IsVisible(t[1]) && IsVisible(taskbar));
  EXPECT_FALSE(inTray());
  desktop.wm.showCalls.clear();
  app.EndSession(true);  // a second end message changes nothing more
  EXPECT_TRUE(desktop.wm.showCalls.empty());
}

TEST_F(FoundInUse, AMessageBoxKeepsTheProgramsOtherFormsDisabledUntilAnswered) {
  ShowMain();
  auto& other = app.CreateForm<ui::Form>("Other");
  other.Show();
  backend.ActivateForm(*main);
  main->StringGrid1.SetFocus();
  bool otherEnabledDuringBox = true;
  platform::Hwnd owner{};
  desktop.wm.answerBox = [&](const platform::fake::MessageBoxRecord& b) {
    otherEnabledDuringBox = other.Enabled();
    owner = b.owner;
    return platform::kIdOk;
  };
  app.ShowMessage("Something went wrong");
  EXPECT_EQ(owner, main->Handle()) << "owned by the form the user works in";
  EXPECT_FALSE(otherEnabledDuringBox);
  EXPECT_TRUE(other.Enabled());
}

TEST_F(FoundInUse, HideAllNoLongerPassesOverANewWindowThatReusesAPendingHandle) {
  ShowMain();
  auto t = Targets(1);
  desktop.wm.Get(t[0]).hung = true;  // its hide is only posted
  main->ToolButton11Click();
  desktop.wm.CloseWindow(t[0]);
  desktop.wm.SetNextHandle(t[0]);
  platform::Hwnd reused = Target("New window");
  ASSERT_EQ(reused, t[0]);
  main->RefreshWindowList();
  main->ToolButton11Click();
  EXPECT_FALSE(IsVisible(reused));
}

TEST_F(FoundInUse, AKeyNameBeyondAsciiIsFoundInEitherLetterCase) {
  desktop.wm.keyNames[0xDE + 0x100] = "\xC4";  // the layout names its key "Ä"
  EXPECT_EQ(hotkeys::ParseShortCut("\xE4", desktop.wm), 0xDE);
  EXPECT_EQ(hotkeys::ParseShortCut("Ctrl+\xC4", desktop.wm), 0x40DE);
}

class BrokenSettings : public FoundInUse {
 protected:
  void Prepare() override {
    FoundInUse::Prepare();
    const char* key = settings::kSettingsKey;
    desktop.registry.PutString(platform::kHkeyCurrentUser, key, "Gridcolor", "clRed");
    desktop.registry.PutString(platform::kHkeyCurrentUser, key, "GridFontcolor", "not a colour");
    desktop.hotkeys.TakenElsewhere(0, 0x78);  // F9 belongs to another program
  }
};

TEST_F(BrokenSettings, TheBackgroundIsAppliedThoughTheTextColourIsBroken) {
  EXPECT_EQ(main->StringGrid1.BackColor(), 0x0000FFu);
  EXPECT_EQ(main->StringGrid2.BackColor(), 0x0000FFu);
}

TEST_F(BrokenSettings, AHotkeyAnotherProgramHoldsIsReportedInTheStatusBar) {
  EXPECT_EQ(main->StatusBar1.SimpleText(), "The Hotkey F9 is used by another program!");
  app.SetHint("Refresh View");
  EXPECT_EQ(main->StatusBar1.SimpleText(), "Refresh View");
  app.SetHint("");
  EXPECT_EQ(main->StatusBar1.SimpleText(), "The Hotkey F9 is used by another program!");
}

class WrongTypedFlag : public FoundInUse {
 protected:
  void Prepare() override {
    FoundInUse::Prepare();
    desktop.registry.PutString(platform::kHkeyCurrentUser, settings::kSettingsKey, "Systray_Min", "yes");
    desktop.registry.PutDword(platform::kHkeyCurrentUser, settings::kSettingsKey, "Strg_alt_entf", 1);
  }
};

TEST_F(WrongTypedFlag, TheSystemKeysEntryStaysHiddenWhenCreationStopsEarly) {
  EXPECT_FALSE(main->Disablectrlaltdel1.Visible());
}

}  // namespace
}  // namespace nimbul::testing

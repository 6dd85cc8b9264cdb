// The hotkey dialog: opened from the main window, it loads, checks and saves
// the four combinations and hands the hotkeys back when it closes.
#include <gtest/gtest.h>

#include "hotkey_test_desk.h"

namespace settings = nimbul::settings;
namespace {

using namespace hotkey_test;
using nimbul::hotkeys::kScAlt;
using nimbul::hotkeys::kScCtrl;
using nimbul::hotkeys::kScShift;
using nimbul::platform::kModControl;
using nimbul::platform::kModShift;

constexpr const char* kConflictText =
    "It is not allowed to use the same Hotkeys for different operations! It is also not allowed to use "
    "the Hotkeys F1,F2 and F5 because they are already implemented in this Program!";

class HotkeyDialog : public ::testing::Test, public Desk {
 protected:
  // The main window's start: the settings' combinations are registered.
  void SetUp() override { RefreshHKeys(); }
  void ExpectRefused() {
    ASSERT_EQ(desktop.wm.boxes.size(), 1u);
    EXPECT_EQ(desktop.wm.boxes[0].text, kConflictText);
    EXPECT_EQ(desktop.wm.boxes[0].caption, "Ooops");
    EXPECT_EQ(desktop.wm.boxes[0].flags, 0x10u);
    EXPECT_TRUE(dialog.Visible());
    EXPECT_FALSE(mainForm.Enabled());
  }
  void ExpectStoredDefaults() {
    EXPECT_EQ(Stored("HKAkt"), "F9");
    EXPECT_EQ(Stored("KHAFV"), "F8");
    EXPECT_EQ(Stored("AFSM"), "F7");
    EXPECT_EQ(Stored("KHTASK"), "F4");
  }
};

TEST_F(HotkeyDialog, Layout) {
  EXPECT_EQ(dialog.Name(), "frmHotkey");
  EXPECT_EQ(dialog.Caption(), "Hotkeys");
  EXPECT_EQ(dialog.Border(), nimbul::ui::BorderStyle::ToolWindow);
  EXPECT_EQ(dialog.Position(), nimbul::ui::FormPosition::ScreenCenter);
  EXPECT_EQ(dialog.ClientWidth(), 333);
  EXPECT_EQ(dialog.ClientHeight(), 171);
  struct Row {
    nimbul::ui::Control& c;
    const char* name;
    const char* text;
    int l, t, w, h, tab;
  };
  const Row rows[] = {
      {dialog.Label5, "Label5", "To cusomize hotkeys, set focus on field and type in new hotkey", 8, 8, 299, 13, -1},
      {dialog.Label1, "Label1", "Make all Windows visible on", 16, 40, 134, 13, -1},
      {dialog.AFSM, "AFSM", "", 16, 56, 137, 19, 2},
      {dialog.Label3, "Label3", "Hide active Window on", 184, 40, 111, 13, -1},
      {dialog.HKAkt, "HKAkt", "", 184, 56, 137, 19, 3},
      {dialog.Label2, "Label2", "Hide all Windows on", 16, 88, 97, 13, -1},
      {dialog.KHAFV, "KHAFV", "", 16, 104, 137, 19, 4},
      {dialog.Label4, "Label4", "Minimize to Systemtray on", 184, 88, 121, 13, -1},
      {dialog.KHTASK, "KHTASK", "", 184, 104, 137, 19, 5},
      {dialog.Button1, "Button1", "&Ok", 8, 136, 75, 25, 0},
      {dialog.Button2, "Button2", "Cancel", 248, 136, 75, 25, 1},
  };
  ASSERT_EQ(dialog.Children().size(), std::size(rows));
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const Row& r = rows[i];
    EXPECT_EQ(dialog.Children()[i], &r.c);
    EXPECT_EQ(r.c.Name(), r.name);
    EXPECT_EQ(r.c.Caption(), r.text) << r.name;
    EXPECT_EQ(r.c.Left(), r.l) << r.name;
    EXPECT_EQ(r.c.Top(), r.t) << r.name;
    EXPECT_EQ(r.c.Width(), r.w) << r.name;
    EXPECT_EQ(r.c.Height(), r.h) << r.name;
    if (r.tab >= 0) {
      EXPECT_EQ(r.c.TabOrder(), r.tab) << r.name;
    }
  }
  EXPECT_TRUE(dialog.Label5.WordWrap());
}

TEST_F(HotkeyDialog, FieldsCarryTheDefaultsBeforeTheyAreLoaded) {
  nimbul::hotkeys::TfrmHotkey& fresh = app.CreateForm<nimbul::hotkeys::TfrmHotkey>();
  EXPECT_EQ(fresh.HKAkt.HotKey(), kF9);
  EXPECT_EQ(fresh.KHAFV.HotKey(), kF8);
  EXPECT_EQ(fresh.AFSM.HotKey(), kF7);
  EXPECT_EQ(fresh.KHTASK.HotKey(), kF4);
}

TEST_F(HotkeyDialog, OpeningLoadsTheSettingsAndHoldsTheHotkeysBack) {
  Store("AFSM", "Alt+Home");
  Open();
  EXPECT_TRUE(dialog.Visible());
  EXPECT_FALSE(mainForm.Enabled());
  EXPECT_EQ(dialog.AFSM.HotKey(), kScAlt | 0x24);
  EXPECT_EQ(dialog.HKAkt.HotKey(), kF9);
  // While the dialog is open F9 goes to the fields, not to the hotkeys.
  EXPECT_FALSE(PressElsewhere(0, kF9));
  EXPECT_EQ(TotalEvents(), 0);
  for (auto* k : keys) EXPECT_TRUE(IsNull(k->HotKeyId()));
  EXPECT_TRUE(desktop.hotkeys.Registrations().empty());
}

// Before the main window has loaded anything: the settings key holds one value.
class HotkeyDialogFirstShow : public ::testing::Test, public Desk {};

TEST_F(HotkeyDialogFirstShow, ShowingWritesTheMissingDefaults) {
  Store("KHAFV", "Ctrl+X");
  dialog.Show();
  auto names = desktop.registry.ValueNames(nimbul::platform::kHkeyCurrentUser, settings::kSettingsKey);
  EXPECT_EQ(names, (std::vector<std::string>{"AFSM", "HKAkt", "KHAFV", "KHTASK"}));
  EXPECT_EQ(Stored("HKAkt"), "F9");
  EXPECT_EQ(Stored("KHAFV"), "Ctrl+X");
  EXPECT_EQ(Stored("AFSM"), "F7");
  EXPECT_EQ(Stored("KHTASK"), "F4");
  EXPECT_EQ(dialog.KHAFV.HotKey(), kScCtrl | 0x58);
  EXPECT_EQ(dialog.KHTASK.HotKey(), kF4);
  EXPECT_EQ(desktop.registry.OpenHandles(), 0);
}

TEST_F(HotkeyDialog, OkSavesTheFieldsAndRegistersThem) {
  Open();
  dialog.HKAkt.UserSet(kScCtrl | kF9);
  dialog.KHTASK.UserSet(kScShift | kF5);  // a reserved key with a modifier is fine
  dialog.Button1.Click();
  EXPECT_TRUE(desktop.wm.boxes.empty());
  EXPECT_FALSE(dialog.Visible());
  EXPECT_TRUE(mainForm.Enabled());
  EXPECT_EQ(Stored("HKAkt"), "Ctrl+F9");
  EXPECT_EQ(Stored("KHTASK"), "Shift+F5");
  EXPECT_EQ(Stored("KHAFV"), "F8");
  EXPECT_EQ(AktivesFensterverstecken1.ShortCutText(), "Ctrl+F9");
  EXPECT_EQ(NimbulonzurTaskleiste1.ShortCutText(), "Shift+F5");
  EXPECT_FALSE(PressElsewhere(0, kF9));
  EXPECT_TRUE(PressElsewhere(kModControl, kF9));
  EXPECT_TRUE(PressElsewhere(kModShift, kF5));
  EXPECT_TRUE(PressElsewhere(0, kF8));
  EXPECT_EQ(events, (std::array<int, 4>{1, 1, 0, 1}));
}

TEST_F(HotkeyDialog, HandEditedLowerCaseIsSavedBackInItsOwnForm) {
  Store("HKAkt", "f9");
  Store("AFSM", "shift+ctrl+a");
  Open();
  EXPECT_EQ(dialog.HKAkt.HotKey(), kF9);
  dialog.Button1.Click();
  EXPECT_EQ(Stored("HKAkt"), "F9");
  EXPECT_EQ(Stored("AFSM"), "Shift+Ctrl+A");
}

TEST_F(HotkeyDialog, DuplicatesAreRefusedAndNothingIsSaved) {
  Open();
  dialog.KHTASK.UserSet(kF9);
  dialog.Button1.Click();
  ExpectRefused();
  ExpectStoredDefaults();
  EXPECT_EQ(refreshes, 1);  // only the start's
  EXPECT_FALSE(PressElsewhere(0, kF9));
  // The user corrects the field and confirms.
  dialog.KHTASK.UserSet(kScAlt | kF9);
  dialog.Button1.Click();
  EXPECT_EQ(desktop.wm.boxes.size(), 1u);
  EXPECT_EQ(Stored("KHTASK"), "Alt+F9");
  EXPECT_FALSE(dialog.Visible());
}

TEST_F(HotkeyDialog, TwoEmptyFieldsAreRefused) {
  Open();
  dialog.HKAkt.UserSet(0);
  dialog.AFSM.UserSet(0);
  dialog.Button1.Click();
  ExpectRefused();
  ExpectStoredDefaults();
}

TEST_F(HotkeyDialog, OneEmptyFieldIsAcceptedAndThatHotkeyIsOff) {
  Open();
  dialog.HKAkt.UserSet(0);
  dialog.Button1.Click();
  EXPECT_TRUE(desktop.wm.boxes.empty());
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(Stored("HKAkt"), "");
  EXPECT_EQ(AktivesFensterverstecken1.ShortCutText(), "");
  EXPECT_EQ(HKAkt.ShortCut(), 0);
  EXPECT_FALSE(PressElsewhere(0, kF9));
  EXPECT_TRUE(PressElsewhere(0, kF8));
  EXPECT_EQ(events, (std::array<int, 4>{0, 1, 0, 0}));
}

TEST_F(HotkeyDialog, BareReservedKeysAreRefusedInEveryField) {
  Open();
  auto fields = {&dialog.HKAkt, &dialog.KHAFV, &dialog.AFSM, &dialog.KHTASK};
  int boxes = 0;
  for (unsigned reserved : {kF1, kF1 + 1, kF5}) {
    for (auto* field : fields) {
      auto before = field->HotKey();
      field->UserSet(static_cast<std::uint16_t>(reserved));
      dialog.Button1.Click();
      ++boxes;
      ASSERT_EQ(desktop.wm.boxes.size(), static_cast<std::size_t>(boxes)) << reserved << " in " << field->Name();
      EXPECT_EQ(desktop.wm.boxes.back().caption, "Ooops");
      EXPECT_TRUE(dialog.Visible());
      field->UserSet(before);
    }
  }
  ExpectStoredDefaults();
}

TEST_F(HotkeyDialog, CancelKeepsTheOldKeys) {
  Store("KHAFV", "Ctrl+F8");
  RefreshHKeys();
  Open();
  dialog.KHAFV.UserSet(kScAlt | 0x41);
  dialog.HKAkt.UserSet(kF1 + 10);
  dialog.Button2.Click();
  EXPECT_FALSE(dialog.Visible());
  EXPECT_TRUE(mainForm.Enabled());
  EXPECT_EQ(Stored("KHAFV"), "Ctrl+F8");
  EXPECT_EQ(Stored("HKAkt"), "F9");
  EXPECT_TRUE(desktop.wm.boxes.empty());
  EXPECT_TRUE(PressElsewhere(0, kF9));
  EXPECT_TRUE(PressElsewhere(kModControl, kF8));
  EXPECT_EQ(events, (std::array<int, 4>{1, 1, 0, 0}));
}

TEST_F(HotkeyDialog, ClosingFromTheTitleBarIsACancel) {
  Open();
  dialog.AFSM.UserSet(kScCtrl | kF7);
  dialog.SystemCloseRequest();
  EXPECT_FALSE(dialog.Visible());
  EXPECT_TRUE(mainForm.Enabled());
  EXPECT_EQ(Stored("AFSM"), "F7");
  EXPECT_TRUE(PressElsewhere(0, kF7));
  EXPECT_EQ(events[2], 1);
  EXPECT_EQ(desktop.hotkeys.AtomRefs(AFSM.HotKeyId()), 4);
}

TEST_F(HotkeyDialog, ReopeningShowsWhatWasSaved) {
  Open();
  dialog.HKAkt.UserSet(kScCtrl | kScAlt | 0x48);
  dialog.Button1.Click();
  Open();
  EXPECT_EQ(dialog.HKAkt.HotKey(), kScCtrl | kScAlt | 0x48);
  dialog.HKAkt.UserSet(kF1 + 11);  // F12, not saved
  dialog.Button2.Click();
  Open();
  EXPECT_EQ(dialog.HKAkt.HotKey(), kScCtrl | kScAlt | 0x48);
}

}  // namespace

namespace {

TEST_F(HotkeyDialog, ACombinationAnotherProgramHoldsIsRefusedByName) {
  desktop.hotkeys.TakenElsewhere(kModControl, kF9);
  Open();
  dialog.HKAkt.UserSet(kScCtrl | kF9);
  dialog.Button1.Click();
  ASSERT_EQ(desktop.wm.boxes.size(), 1u);
  EXPECT_EQ(desktop.wm.boxes[0].text, "The Hotkey Ctrl+F9 is used by another program!");
  EXPECT_EQ(desktop.wm.boxes[0].caption, "Ooops");
  EXPECT_TRUE(dialog.Visible());
  ExpectStoredDefaults();
}

}  // namespace

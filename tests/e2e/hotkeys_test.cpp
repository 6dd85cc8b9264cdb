// The four system-wide hotkeys pressed for real, and changing one of them in
// the hotkey dialog.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "desktop.h"
#include "e2e_test.h"
#include "input.h"
#include "main_window_driver.h"
#include "message_boxes.h"
#include "registry_state.h"

namespace nimbul::e2e {
namespace {

class Hotkeys : public E2eTest {
 protected:
  // Whether the target helper received this key itself (no hotkey took it).
  bool ReachedTarget(const Targets& t, WORD vk, unsigned modifiers) {
    return WaitUntil(
        [&] {
          auto k = t.LastKey();
          return k && k->virtualKey == vk && k->modifiers == modifiers;
        },
        Millis(3000));
  }
  // Opens "Options" > "Choose Hotkey" with the keyboard, once: the Enter that
  // chooses the entry never acts inside the dialog it opens, so the dialog
  // stays open with the main window disabled.
  HWND OpenHotkeyDialog(NimbulApp& app) {
    HWND main = app.MainWindow();
    if (!Activate(main)) return nullptr;
    PressKey('O', kAlt);
    PressKey(VK_UP);  // the last entry of the menu
    PressKey(VK_RETURN);
    HWND dialog = WaitForTopLevel({std::nullopt, std::string("Hotkeys"), app.process().id(), true});
    if (!dialog || !WaitUntil([&] { return !IsWindowEnabled(main); })) return nullptr;
    const bool closed = WaitUntil([&] { return !IsWindowVisible(dialog) || IsWindowEnabled(main); }, Millis(1000));
    return closed ? nullptr : dialog;
  }
};

TEST_F(Hotkeys, F9HidesTheForegroundWindowAndF7BringsItBackActive) {
  Targets& t = OpenTargets({{"Hotkey target"}});
  NimbulApp& app = StartNimbul();
  ASSERT_NE(app.WaitForMainWindow(), nullptr);
  ASSERT_TRUE(Activate(t[0]));
  PressKey(VK_F9);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(t[0]); })) << "F9 did not hide the foreground window";
  EXPECT_TRUE(WaitUntil([&] { return Listed(app.HiddenList(), t[0]); }));
  PressKey(VK_F7);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(t[0]) != FALSE; })) << "F7 did not show it again";
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == t[0]; })) << "the last window shown is not active";
  EXPECT_TRUE(WaitUntil([&] { return ListedHandles(app.HiddenList()).empty(); }));
}

// F4 to the tray and F4 back, then F9 on another program's window, twice:
// each press hides the window it was pressed in.
TEST_F(Hotkeys, F9AfterF4ToTheTrayAndBackHidesTheForegroundWindow) {
  Targets& t = OpenTargets({{"First"}, {"Second"}});
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(Activate(main));
  PressKey(VK_F4);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); })) << "F4 did not go to the tray";
  PressKey(VK_F4);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; })) << "F4 did not come back";
  for (HWND w : t.windows()) {
    ASSERT_TRUE(Activate(w));
    PressKey(VK_F9);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(w); }, Millis(3000))) << "F9 did not hide the window";
    // F9 ends by bringing Nimbulon to the front; the user goes on from there.
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }));
  }
  EXPECT_EQ(FindMessageBox(kApplicationTitle, app.process().id()), nullptr);
}

TEST_F(Hotkeys, F8WithAnotherProgramActiveHidesEveryTargetWindowThatOneToo) {
  Targets& t = OpenTargets({{"One"}, {"Two"}, {"Three"}, {"Four"}, {"Five"}});
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  // The one a user presses F8 to hide: active, above the main window.
  ASSERT_TRUE(Activate(t[2]));
  PressKey(VK_F8);
  EXPECT_TRUE(WaitUntil([&] {
    return std::none_of(t.windows().begin(), t.windows().end(), [](HWND w) { return IsWindowVisible(w) != FALSE; });
  })) << "F8 left target windows visible";
  app.Close();
  ASSERT_EQ(app.process().WaitForExit(), std::optional<DWORD>(0));
  for (HWND w : t.windows()) EXPECT_TRUE(IsWindowVisible(w));
}

TEST_F(Hotkeys, ChangedHotkeyIsStoredAndTheOldKeyNoLongerActs) {
  Targets& t = OpenTargets({{"Changed key target"}});
  NimbulApp& app = StartNimbul();
  ASSERT_NE(app.WaitForMainWindow(), nullptr);
  HWND dialog = OpenHotkeyDialog(app);
  ASSERT_NE(dialog, nullptr) << "the hotkey dialog did not open";

  // While the dialog is open the hotkeys are off.
  // A key no hotkey claims reaches the focused window itself.
  ASSERT_TRUE(Activate(t[0]));
  PressKey(VK_F9);
  EXPECT_TRUE(ReachedTarget(t, VK_F9, kNoModifier)) << "F9 was taken as a hotkey while the dialog was open";
  EXPECT_TRUE(IsWindowVisible(t[0]));

  auto fields = ChildrenOf(dialog, HOTKEY_CLASSA);
  ASSERT_EQ(fields.size(), 4u);
  // The fields in creation order: AFSM, HKAkt, KHAFV, KHTASK.
  HWND hkAkt = fields[1];
  ASSERT_TRUE(Activate(dialog));
  ClickAt(CentreOf(ScreenRect(hkAkt)));
  PressKey(VK_F9, kCtrl);
  HWND ok = ChildWithText(dialog, "&Ok");
  ASSERT_NE(ok, nullptr);
  ClickAt(CentreOf(ScreenRect(ok)));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); })) << "the dialog did not close";
  EXPECT_EQ(ReadString(kSettingsKey, "HKAkt"), std::optional<std::string>("Ctrl+F9"));

  ASSERT_TRUE(Activate(t[0]));
  PressKey(VK_F9);
  EXPECT_TRUE(ReachedTarget(t, VK_F9, kNoModifier)) << "the old key is still a hotkey";
  EXPECT_TRUE(IsWindowVisible(t[0]));
  ASSERT_TRUE(Activate(t[0]));
  PressKey(VK_F9, kCtrl);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(t[0]); })) << "Ctrl+F9 did not hide the window";
}

TEST_F(Hotkeys, TheConflictBoxHoldsTheDialogAndTheMainWindowUntilAnswered) {
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  HWND dialog = OpenHotkeyDialog(app);
  ASSERT_NE(dialog, nullptr) << "the hotkey dialog did not stay open";
  auto fields = ChildrenOf(dialog, HOTKEY_CLASSA);
  ASSERT_EQ(fields.size(), 4u);
  ASSERT_TRUE(Activate(dialog));
  ClickAt(CentreOf(ScreenRect(fields[1])));  // HKAkt takes KHAFV's F8
  PressKey(VK_F8);
  ClickAt(CentreOf(ScreenRect(ChildWithText(dialog, "&Ok"))));
  HWND box = WaitForMessageBox("Ooops", app.process().id());
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(IsWindowEnabled(dialog)) << "the dialog stays clickable behind its box";
  EXPECT_FALSE(IsWindowEnabled(main));
  ASSERT_TRUE(PressMessageBoxButton(box));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(dialog) != FALSE; }));
  EXPECT_FALSE(IsWindowEnabled(main)) << "the dialog is still open";
}

TEST_F(Hotkeys, AHotkeyAnotherProgramHoldsIsReportedInTheStatusBar) {
  Targets& t = OpenTargets({{"Holds F9"}});
  ASSERT_TRUE(t.HoldHotkey(VK_F9));
  MoveMouseTo({2, 2});  // off every control: no hint of an earlier test's mouse takes the status bar
  NimbulApp& app = StartNimbul();
  ASSERT_NE(app.WaitForMainWindow(), nullptr);
  EXPECT_TRUE(WaitUntil([&] { return app.StatusText() == "The Hotkey F9 is used by another program!"; }))
      << app.StatusText();
}

}  // namespace
}  // namespace nimbul::e2e

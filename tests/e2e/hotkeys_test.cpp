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
  bool Listed(const RemoteListView& list, HWND w) {
    auto h = ListedHandles(list);
    return std::find(h.begin(), h.end(), HandleText(w)) != h.end();
  }
 // Whether the target helper received this key itself (no hotkey took it).
  bool ReachedTarget(const Targets& t, WORD vk, unsigned modifiers) {
    return WaitUntil(
        [&] {
          auto k = t.LastKey();
          return k && k->virtualKey == vk && k->modifiers == modifiers;
        },
        Millis(3000));
  }
  // Opens "Options" > "Choose Hotkey" with the keyboard and returns the dialog
  // once it is open for good: the main window disabled and the dialog still
  // there a moment later (under Wine the Enter that chose the entry now and
  // then reaches the new dialog as well, which then closes at once).
  HWND OpenHotkeyDialog(NimbulApp& app) {
    HWND main = app.MainWindow();
    for (int attempt = 0; attempt < 3; ++attempt) {
      if (!Activate(main)) return nullptr;
      PressKey('O', kAlt);
      PressKey(VK_UP);  // the last entry of the menu
      PressKey(VK_RETURN);
      HWND dialog = WaitForTopLevel({std::nullopt, std::string("Hotkeys"), app.process().id(), true});
      if (!dialog || !WaitUntil([&] { return !IsWindowEnabled(main); })) continue;
      bool closed = WaitUntil([&] { return !IsWindowVisible(dialog) || IsWindowEnabled(main); }, Millis(500));
      if (!closed) return dialog;
    }
    return nullptr;
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

TEST_F(Hotkeys, F8HidesEveryTargetWindow) {
  Targets& t = OpenTargets({{"One"}, {"Two"}, {"Three"}});
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(Activate(main));
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

}  // namespace
}  // namespace nimbul::e2e

// The bench itself: the target-window helper, the registry reset and the
// input helpers must do what the end-to-end tests rely on.
#include <gtest/gtest.h>

#include <windows.h>

#include "desktop.h"
#include "e2e_test.h"
#include "input.h"
#include "registry_state.h"

namespace nimbul::e2e {
namespace {

class Harness : public E2eTest {};

TEST_F(Harness, TargetHelperOpensWindowsWithTheGivenTitlesAndClasses) {
  Targets& t = OpenTargets({{"First target"},
                            {"say \"hi\" to C:\\dir\\", "NimbulOtherClass"},
                            {"", "Progman"},
                            {"Hidden target", targets::kDefaultTargetClass, false}});
  ASSERT_EQ(t.windows().size(), 4u);
  EXPECT_EQ(TitleOf(t[0]), "First target");
  EXPECT_EQ(ClassOf(t[0]), "NimbulTarget");
  EXPECT_EQ(TitleOf(t[1]), "say \"hi\" to C:\\dir\\");
  EXPECT_EQ(ClassOf(t[1]), "NimbulOtherClass");
  EXPECT_EQ(TitleOf(t[2]), "");
  EXPECT_EQ(ClassOf(t[2]), "Progman");
  EXPECT_EQ(ClassOf(t[3]), "NimbulTarget");
  EXPECT_TRUE(IsWindowVisible(t[0]));
  EXPECT_TRUE(IsWindowVisible(t[2]));
  EXPECT_FALSE(IsWindowVisible(t[3]));
  for (HWND w : t.windows()) EXPECT_EQ(ProcessOf(w), t.process().id());
  EXPECT_EQ(WaitForTopLevel({std::string("Progman"), std::string(""), t.process().id(), true}), t[2]);
}

TEST_F(Harness, TargetHelperObeysTitleShowCloseAndQuitCommands) {
  Targets& t = OpenTargets({{"One"}, {"Two"}});
  t.SetTitle(0, "One renamed");
  EXPECT_EQ(TitleOf(t[0]), "One renamed");

  t.Show(1, SW_HIDE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(t[1]); }));
  t.Show(1, SW_SHOWNOACTIVATE);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(t[1]); }));

  t.Close(0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(t[0]); }));
  EXPECT_TRUE(IsWindow(t[1]));
  EXPECT_TRUE(t.process().Running()) << "closing a target ended the helper";

  EXPECT_EQ(t.Quit(), std::optional<DWORD>(0));
  EXPECT_FALSE(IsWindow(t[1]));
}

TEST_F(Harness, HangingTargetStopsAnsweringAndRecovers) {
  Targets& t = OpenTargets({{"Hangs"}});
  t.Hang(Millis(1500));
  DWORD_PTR ignored = 0;
  EXPECT_TRUE(WaitUntil([&] {
    return SendMessageTimeoutA(t[0], WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &ignored) == 0;
  }, Millis(1000))) << "the target still answered while hanging";
  EXPECT_EQ(TitleOf(t[0]), "Hangs") << "a hung window's title must stay readable";
  EXPECT_TRUE(WaitUntil([&] {
    return SendMessageTimeoutA(t[0], WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &ignored) != 0;
  }));
}

TEST_F(Harness, RegistryResetRemovesTheVendorTreeAndOnlyOurRunValue) {
  PresetDword(kSettingsKey, "SchonXgestartet", 1);
  PresetString(std::string(kSettingsKey) + "\\Deeper\\Deepest", "Leaf", "x");
  PresetString(kRunKey, kRunValue, "C:\\Nimbul.exe /systray");
  PresetString(kRunKey, "NimbulBenchNeighbour", "C:\\other.exe");
  ASSERT_EQ(ReadString(std::string(kSettingsKey) + "\\Deeper\\Deepest", "Leaf"),
            std::optional<std::string>("x"));

  ResetNimbulonRegistry();
  EXPECT_FALSE(KeyExists(kVendorKey));
  EXPECT_EQ(ReadString(kRunKey, kRunValue), std::nullopt);
  EXPECT_EQ(ReadString(kRunKey, "NimbulBenchNeighbour"), std::optional<std::string>("C:\\other.exe"));
  ResetNimbulonRegistry();  // a second reset finds nothing and is no error

  HKEY run = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &run), ERROR_SUCCESS);
  RegDeleteValueA(run, "NimbulBenchNeighbour");
  RegCloseKey(run);
}

TEST_F(Harness, MouseMovesAndKeysReachTheDesktop) {
  MoveMouseTo({123, 234});
  POINT p{};
  EXPECT_TRUE(WaitUntil([&] { return GetCursorPos(&p) && p.x == 123 && p.y == 234; }))
      << "cursor at " << p.x << "," << p.y;

  Targets& t = OpenTargets({{"Keyboard"}});
  SetForegroundWindow(t[0]);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == t[0]; }));
  PressKey('K', kCtrl | kShift);
  std::optional<Targets::Key> key;
  // The modifiers arrive as keys of their own first.
  EXPECT_TRUE(WaitUntil([&] { return (key = t.LastKey()) && key->virtualKey == 'K'; }))
      << "no K arrived";
  if (key) {
    EXPECT_EQ(key->virtualKey, 'K');
    EXPECT_EQ(key->modifiers, targets::kKeyCtrl | targets::kKeyShift);
  }
  PressKey(VK_F6);
  EXPECT_TRUE(WaitUntil([&] { return (key = t.LastKey()) && key->virtualKey == VK_F6; }));
  EXPECT_EQ(key ? key->modifiers : 99u, 0u) << "a modifier stayed down";
}

}  // namespace
}  // namespace nimbul::e2e

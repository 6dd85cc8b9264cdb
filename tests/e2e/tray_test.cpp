// The notification area: going to the tray and coming back, by menu, by
// hotkey and by minimizing, and the icon coming back into a new taskbar.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include "desktop.h"
#include "e2e_test.h"
#include "input.h"
#include "main_window_driver.h"
#include "registry_state.h"

namespace nimbul::e2e {
namespace {

// The tray icon's window and what the shell sends it (the first icon of the
// process has the identifier 1).
constexpr const char* kTrayWindowClass = "NimbulTrayCallback";
constexpr UINT kTrayCallback = WM_USER + 1000;
constexpr WPARAM kFirstIconId = 1;

class Tray : public E2eTest {
 protected:
  // The application window: it carries the taskbar button.
  HWND ApplicationWindow(const NimbulApp& app) {
    auto found = FindTopLevel({std::nullopt, std::string(kApplicationTitle), app.process().id(), false});
    return found.empty() ? nullptr : found.front();
  }
  HWND TrayWindow(const NimbulApp& app) {
    auto found = FindTopLevel({std::string(kTrayWindowClass), std::nullopt, app.process().id(), false});
    return found.empty() ? nullptr : found.front();
  }
  // The icons the virtual desktop's taskbar shows: one window each.
  int TrayIcons() {
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    int n = 0;
    for (HWND w : ChildrenOf(taskbar, "__wine_tray_icon"))
      if (IsWindowVisible(w)) ++n;
    return n;
  }
  void SetUp() override {
    E2eTest::SetUp();
    iconsBefore_ = TrayIcons();
  }
  bool InTray(NimbulApp& app) {
    return !IsWindowVisible(app.MainWindow()) && !IsWindowVisible(ApplicationWindow(app)) &&
           TrayIcons() == iconsBefore_ + 1;
  }
  bool Back(NimbulApp& app) {
    return IsWindowVisible(app.MainWindow()) && IsWindowVisible(ApplicationWindow(app)) &&
           TrayIcons() == iconsBefore_;
  }
  // What the shell sends the icon's window when the user double-clicks it.
  void DoubleClickIcon(NimbulApp& app) {
    PostMessageA(TrayWindow(app), kTrayCallback, kFirstIconId, WM_LBUTTONDBLCLK);
  }
  int iconsBefore_ = 0;
};

TEST_F(Tray, ToSystemtrayHidesWindowAndTaskbarButtonAndADoubleClickBringsThemBack) {
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  ASSERT_NE(TrayWindow(app), nullptr);
  ASSERT_TRUE(Activate(main));
  PressKey('W', kAlt);
  PressKey('T');
  ASSERT_TRUE(WaitUntil([&] { return InTray(app); })) << "\"&To Systemtray\" did not go to the tray";
  DoubleClickIcon(app);
  EXPECT_TRUE(WaitUntil([&] { return Back(app); })) << "the icon's double-click did not bring the program back";
}

TEST_F(Tray, F4TwiceGoesToTheTrayAndBack) {
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(Activate(main));
  PressKey(VK_F4);
  ASSERT_TRUE(WaitUntil([&] { return InTray(app); }));
  PressKey(VK_F4);
  EXPECT_TRUE(WaitUntil([&] { return Back(app); }));
}

TEST_F(Tray, WithTheOptionOnEveryMinimizeGoesToTheTray) {
  PresetDword(kSettingsKey, "Systray_Min", 1);
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  // As another program would ask for it.
  PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return InTray(app); }));
  DoubleClickIcon(app);
  ASSERT_TRUE(WaitUntil([&] { return Back(app); }));
  // Switched off from the menu: a minimize keeps the taskbar button.
  ASSERT_TRUE(Activate(main));
  PressKey('O', kAlt);
  PressKey('M');
  ASSERT_TRUE(WaitUntil([&] { return ReadDword(kSettingsKey, "Systray_Min") == std::optional<DWORD>(0); }));
  PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }));
  EXPECT_TRUE(IsWindowVisible(ApplicationWindow(app)));
}

TEST_F(Tray, ARestartedTaskbarGetsTheIconAgain) {
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(Activate(main));
  PressKey(VK_F4);
  ASSERT_TRUE(WaitUntil([&] { return InTray(app); }));
  // A new taskbar starts without the old icons, then announces itself to
  // every top-level window.
  NOTIFYICONDATAA gone{};
  gone.cbSize = NOTIFYICONDATAA_V1_SIZE;
  gone.hWnd = TrayWindow(app);
  gone.uID = kFirstIconId;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &gone));
  ASSERT_TRUE(WaitUntil([&] { return TrayIcons() == iconsBefore_; }));
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, 2000,
                      &ignored);
  EXPECT_TRUE(WaitUntil([&] { return InTray(app); })) << "the icon did not come back";
  DoubleClickIcon(app);
  EXPECT_TRUE(WaitUntil([&] { return Back(app); }));
}

}  // namespace
}  // namespace nimbul::e2e

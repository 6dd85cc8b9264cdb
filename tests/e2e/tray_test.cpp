// The notification area: going to the tray and coming back, by menu, by
// hotkey and by minimizing, and the icon coming back into a new taskbar.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>
#include <commctrl.h>

#include <cstdio>

#include "desktop.h"
#include "e2e_test.h"
#include "input.h"
#include "main_window_driver.h"
#include "registry_state.h"
#include "screenshot.h"

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
  int TrayIcons() { return TrayIconCount(); }
  // Main window and taskbar button gone, and an icon added since `iconsBefore`.
  bool InTray(NimbulApp& app, int iconsBefore) {
    return !IsWindowVisible(main_) && !IsWindowVisible(ApplicationWindow(app)) && TrayIcons() > iconsBefore;
  }
  bool Back(NimbulApp& app) { return IsWindowVisible(main_) && IsWindowVisible(ApplicationWindow(app)); }
  // What the shell sends the icon's window when the user double-clicks it.
  void DoubleClickIcon(NimbulApp& app) { PostMessageA(TrayWindow(app), kTrayCallback, kFirstIconId, WM_LBUTTONDBLCLK); }
  // Started and shown; the main window is remembered (other windows of the
  // program share its caption).
  NimbulApp& Start() {
    NimbulApp& app = StartNimbul();
    main_ = app.WaitForMainWindow();
    return app;
  }
  HWND main_ = nullptr;
};

TEST_F(Tray, ToSystemtrayHidesWindowAndTaskbarButtonAndADoubleClickBringsThemBack) {
  NimbulApp& app = Start();
  HWND main = main_;
  ASSERT_NE(main, nullptr);
  ASSERT_NE(TrayWindow(app), nullptr);
  ASSERT_TRUE(Activate(main));
  const int icons = TrayIcons();
  PressKey('W', kAlt);
  PressKey('T');
  ASSERT_TRUE(WaitUntil([&] { return InTray(app, icons); })) << "\"&To Systemtray\" did not go to the tray";
  DoubleClickIcon(app);
  EXPECT_TRUE(WaitUntil([&] { return Back(app); })) << "the icon's double-click did not bring the program back";
}

TEST_F(Tray, F4TwiceGoesToTheTrayAndBack) {
  NimbulApp& app = Start();
  HWND main = main_;
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(Activate(main));
  const int icons = TrayIcons();
  PressKey(VK_F4);
  ASSERT_TRUE(WaitUntil([&] { return InTray(app, icons); }));
  PressKey(VK_F4);
  EXPECT_TRUE(WaitUntil([&] { return Back(app); }));
}

TEST_F(Tray, TheIconsRightClickOpensItsMenuWhoseOpenEntryBringsTheProgramBackByItsLetter) {
  NimbulApp& app = Start();
  ASSERT_NE(main_, nullptr);
  ASSERT_TRUE(Activate(main_));
  const int icons = TrayIcons();
  PressKey(VK_F4);
  ASSERT_TRUE(WaitUntil([&] { return InTray(app, icons); }));
  // The menu opens where the mouse is: near the corner the taskbar's icons sit in.
  MoveMouseTo(POINT{GetSystemMetrics(SM_CXSCREEN) - 60, GetSystemMetrics(SM_CYSCREEN) - 60});
  PostMessageA(TrayWindow(app), kTrayCallback, kFirstIconId, WM_RBUTTONUP);
  HWND menu = WaitForTopLevel({std::string("#32768"), std::nullopt, app.process().id(), true});
  ASSERT_NE(menu, nullptr) << "the icon's right-click opened no menu";
  // The menu with the taskbar's corner beside it.
  SaveDocsShot("tray-menu.bmp", menu, 48);
  PressKey('O');
  EXPECT_TRUE(WaitUntil([&] { return Back(app); })) << "\"&Open Nimbulon\" did not bring the program back";
  EXPECT_FALSE(IsWindowVisible(menu));
}

TEST_F(Tray, WithTheOptionOnEveryMinimizeGoesToTheTray) {
  PresetDword(kSettingsKey, "Systray_Min", 1);
  NimbulApp& app = Start();
  HWND main = main_;
  ASSERT_NE(main, nullptr);
  // As another program would ask for it.
  const int icons = TrayIcons();
  PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return InTray(app, icons); }));
  DoubleClickIcon(app);
  ASSERT_TRUE(WaitUntil([&] { return Back(app); }));
  // Switched off from the menu: a minimize keeps the taskbar button.
  ASSERT_TRUE(Activate(main));
  // "Minimize to Systemtray", four up from the menu's start: the last
  // entry first, then past "Choose Systemtray Icon" and "Run on Startup".
  PressKey('O', kAlt);
  for (int i = 0; i < 4; ++i) PressKey(VK_UP);
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return ReadDword(kSettingsKey, "Systray_Min") == std::optional<DWORD>(0); }));
  PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }));
  EXPECT_TRUE(IsWindowVisible(ApplicationWindow(app)));
}

TEST_F(Tray, ARestartedTaskbarGetsTheIconAgain) {
  NimbulApp& app = Start();
  HWND main = main_;
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(Activate(main));
  const int icons = TrayIcons();
  PressKey(VK_F4);
  ASSERT_TRUE(WaitUntil([&] { return InTray(app, icons); }));
  // A new taskbar starts without the old icons, then announces itself to
  // every top-level window.
  NOTIFYICONDATAA gone{};
  gone.cbSize = NOTIFYICONDATAA_V1_SIZE;
  gone.hWnd = TrayWindow(app);
  gone.uID = kFirstIconId;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &gone));
  const int afterDelete = TrayIcons();
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
  EXPECT_TRUE(WaitUntil([&] { return InTray(app, afterDelete); })) << "the icon did not come back";
  DoubleClickIcon(app);
  EXPECT_TRUE(WaitUntil([&] { return Back(app); }));
}

TEST_F(Tray, StartedWithTheTraySwitchItLivesInTheTrayUntilTheIconBringsItBack) {
  const int icons = TrayIcons();
  StartOptions options;
  options.arguments = "/systray";
  NimbulApp& app = StartNimbul(options);
  // Never shown, so looked for among the hidden windows too.
  main_ = WaitForTopLevel({std::string(kMainClass), std::nullopt, app.process().id(), false});
  ASSERT_NE(main_, nullptr);
  ASSERT_NE(WaitForTopLevel({std::string(kTrayWindowClass), std::nullopt, app.process().id(), false}), nullptr);
  ASSERT_TRUE(WaitUntil([&] { return InTray(app, icons); })) << "the tray start showed a window or no icon";
  DoubleClickIcon(app);
  EXPECT_TRUE(WaitUntil([&] { return Back(app); }));
}

}  // namespace
}  // namespace nimbul::e2e

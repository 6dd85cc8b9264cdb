// What the program keeps in the registry, seen from outside: the first
// start, stored switches, and a stored value of the wrong type.
#include <gtest/gtest.h>

#include <windows.h>

#include "desktop.h"
#include "e2e_test.h"
#include "main_window_driver.h"
#include "message_boxes.h"
#include "registry_state.h"

namespace nimbul::e2e {
namespace {

class Settings : public E2eTest {};

TEST_F(Settings, FreshProfileGetsTheNoticeOnceAndEveryDefault) {
  NimbulApp& app = StartNimbul({"", /*skipFirstStartNotice=*/false});
  HWND notice = WaitForMessageBox("Caution", app.process().id());
  ASSERT_NE(notice, nullptr);
  ASSERT_TRUE(PressMessageBoxButton(notice, IDOK));
  ASSERT_NE(app.WaitForMainWindow(), nullptr);
  EXPECT_EQ(ReadDword(kSettingsKey, "SchonXgestartet"), std::optional<DWORD>(1));
  EXPECT_EQ(ReadDword(kSettingsKey, "Systray_Min"), std::optional<DWORD>(1));
  EXPECT_EQ(ReadDword(kSettingsKey, "Toolbar"), std::optional<DWORD>(1));
  EXPECT_EQ(ReadDword(kSettingsKey, "Status"), std::optional<DWORD>(1));
  EXPECT_EQ(ReadDword(kSettingsKey, "EMailanzeigen"), std::optional<DWORD>(1));
  EXPECT_EQ(ReadDword(kSettingsKey, "SysTrayIcon"), std::optional<DWORD>(0));
  EXPECT_EQ(ReadString(kSettingsKey, "Gridcolor"), std::optional<std::string>("clWindow"));
  EXPECT_EQ(ReadString(kSettingsKey, "GridFontcolor"), std::optional<std::string>("clWindowText"));
  EXPECT_EQ(ReadString(kSettingsKey, "SystrayToolTip"), std::optional<std::string>("Nimbulon by Quendel-Soft!"));
  EXPECT_EQ(ReadString(kSettingsKey, "HKAkt"), std::optional<std::string>("F9"));
  EXPECT_EQ(ReadString(kSettingsKey, "KHAFV"), std::optional<std::string>("F8"));
  EXPECT_EQ(ReadString(kSettingsKey, "AFSM"), std::optional<std::string>("F7"));
  EXPECT_EQ(ReadString(kSettingsKey, "KHTASK"), std::optional<std::string>("F4"));
  EXPECT_EQ(ReadDword(kSettingsKey, "Strg_alt_entf"), std::nullopt);

  app.Close();
  ASSERT_EQ(app.process().WaitForExit(), std::optional<DWORD>(0));
  NimbulApp& again = StartNimbul({"", /*skipFirstStartNotice=*/false});
  ASSERT_NE(again.WaitForMainWindow(), nullptr);
  EXPECT_EQ(FindMessageBox("Caution", again.process().id()), nullptr) << "the notice came a second time";
}

TEST_F(Settings, ToolbarStoredOffStartsWithoutTheToolbarAndStaysOff) {
  PresetDword(kSettingsKey, "Toolbar", 0);
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  HWND bar = ToolBarOf(main);
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(IsWindowVisible(bar));
  EXPECT_EQ(ReadDword(kSettingsKey, "Toolbar"), std::optional<DWORD>(0));
}

TEST_F(Settings, AToolbarValueOfTheWrongTypeIsReportedAndTheProgramRunsOn) {
  PresetString(kSettingsKey, "Toolbar", "1");
  NimbulApp& app = StartNimbul();
  HWND box = WaitForMessageBox(kApplicationTitle, app.process().id());
  ASSERT_NE(box, nullptr) << "no error box";
  EXPECT_EQ(MessageBoxTextOf(box), "Invalid data type for 'Toolbar'");
  ASSERT_TRUE(PressMessageBoxButton(box, IDOK));
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr) << "the program did not go on after the error";
  EXPECT_TRUE(app.process().Running());
  // Later creation steps did not run: the status bar setting was never written.
  EXPECT_EQ(ReadDword(kSettingsKey, "Status"), std::nullopt);
}

}  // namespace
}  // namespace nimbul::e2e

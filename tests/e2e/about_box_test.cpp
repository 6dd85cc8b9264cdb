// The About box and the start switches, as a user meets them.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "desktop.h"
#include "e2e_test.h"
#include "input.h"
#include "main_window_driver.h"
#include "message_boxes.h"
#include "registry_state.h"
#include "screenshot.h"

namespace nimbul::e2e {
namespace {

constexpr const char* kToggleFlag = "Strg_alt_entf";
constexpr const char* kToggledOn =
    "The Funktion \"Disable all Hotkeys\" was enabled\r\nPlease restart Nimbulon, in order to let the changes take "
    "affect";

class AboutBox : public E2eTest {
 protected:
  // "Help" > "About Nimbulon" by keyboard; the box once it stays open with
  // the main window disabled (the Enter that chose the entry may reach the
  // box's default button under Wine and close it again at once).
  HWND OpenAbout(NimbulApp& app) {
    HWND main = app.MainWindow();
    for (int attempt = 0; attempt < 3; ++attempt) {
      if (!Activate(main)) return nullptr;
      PressKey('H', kAlt);
      PressKey(VK_RETURN);
      HWND box = WaitForTopLevel({std::string("TForm2"), std::string("Nimbulon"), app.process().id(), true});
      if (!box || !WaitUntil([&] { return !IsWindowEnabled(main); })) continue;
      if (!WaitUntil([&] { return !IsWindowVisible(box) || IsWindowEnabled(main); }, Millis(500))) return box;
    }
    return nullptr;
  }
};

TEST_F(AboutBox, ShowsTheVersionAndTypingTheToggleCodeFlipsTheSetting) {
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  HWND box = OpenAbout(app);
  ASSERT_NE(box, nullptr) << "the About box did not open from the Help menu";
  EXPECT_NE(ChildWithText(box, "Version 1.7.1.6"), nullptr);
  EXPECT_NE(ChildWithText(box, "&Finished"), nullptr);
  // Let the thanks line type a few letters for the picture.
  EXPECT_TRUE(WaitUntil([&] {
    for (HWND child : ChildrenOf(box))
      if (TitleOf(child).rfind("I'd like", 0) == 0) return true;
    return false;
  }));
  SaveDocsShot("about-box.bmp", box);

  for (WORD key : {'7', 'K', '5', '2', 'R'}) PressKey(key);
  HWND message = WaitForMessageBox(kApplicationTitle, app.process().id());
  ASSERT_NE(message, nullptr) << "typing 7K52R showed no message";
  EXPECT_EQ(MessageBoxTextOf(message), kToggledOn);
  EXPECT_EQ(ReadDword(kSettingsKey, kToggleFlag), std::optional<DWORD>(1));
  ASSERT_TRUE(PressMessageBoxButton(message, IDOK));

  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == box; }));
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(box) && IsWindowEnabled(main); }))
      << "Esc did not close the About box and enable the main window";
}

TEST_F(AboutBox, LicenceOpensFromTheHelpMenuAndEscClosesIt) {
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  HWND licence = nullptr;
  for (int attempt = 0; attempt < 3 && !licence; ++attempt) {
    ASSERT_TRUE(Activate(main));
    PressKey('H', kAlt);
    PressKey('L');
    licence = WaitForTopLevel({std::string("TForm3"), std::string("Nimbulon"), app.process().id(), true});
  }
  ASSERT_NE(licence, nullptr) << "Help > Licence opened no licence window";
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(main); }));
  EXPECT_NE(ChildWithText(licence, "!PLEASE READ THIS CAREFULLY!"), nullptr);
  SaveDocsShot("licence.bmp", licence);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == licence; }));
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(licence) && IsWindowEnabled(main); }))
      << "Esc did not close the licence window and enable the main window";
}

TEST_F(AboutBox, FeedbackLinkIsReachedByTabAndFollowedByEnter) {
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  HWND link = WaitFor([&] { return app.Control("Tell us what you think of this program!"); });
  ASSERT_NE(link, nullptr);
  ASSERT_TRUE(Activate(main));
  auto focus = [&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info);
    return info.hwndFocus;
  };
  for (int i = 0; i < 6 && !WaitUntil([&] { return focus() == link; }, Millis(300)); ++i) PressKey(VK_TAB);
  ASSERT_EQ(focus(), link) << "Tab never reached the feedback link";
  PressKey(VK_RETURN);
  HWND form = WaitForTopLevel({std::string("TfrmEMail"), std::nullopt, app.process().id(), true});
  ASSERT_NE(form, nullptr) << "Enter on the link opened no feedback form";
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(main); }));
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == form; }));
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(form) && IsWindowEnabled(main); }));
  EXPECT_EQ(ReadDword(kSettingsKey, "EMailanzeigen"), std::optional<DWORD>(1));
}

class StartSwitches : public E2eTest {
 protected:
  int TrayIcons() { return TrayIconCount(); }
};

TEST_F(StartSwitches, SystraySwitchStartsInTheTrayWithoutMainWindowOrTaskbarButton) {
  const int before = TrayIcons();
  NimbulApp& app = StartNimbul({"/systray"});
  const DWORD id = app.process().id();
  EXPECT_TRUE(WaitUntil([&] { return TrayIcons() > before; })) << "no icon came into the tray";
  EXPECT_TRUE(app.process().Running());
  EXPECT_TRUE(FindTopLevel({std::string("TfrmNimbulMain"), std::nullopt, id, true}).empty()) << "the main window shows";
  EXPECT_TRUE(WaitUntil([&] {
    return FindTopLevel({std::nullopt, std::string(kApplicationTitle), id, true}).empty();
  })) << "the taskbar button shows";
  // And it stays that way: nothing brings the main window or the button back by itself.
  EXPECT_FALSE(WaitUntil(
      [&] {
        return !FindTopLevel({std::nullopt, std::string(kApplicationTitle), id, true}).empty() ||
               !FindTopLevel({std::string("TfrmNimbulMain"), std::nullopt, id, true}).empty();
      },
      Millis(1000)));
}

TEST_F(StartSwitches, ToggleSwitchReportsAndEndsWithCodeZeroWithoutAMainWindow) {
  NimbulApp& app = StartNimbul({"7k52r"});
  HWND message = WaitForMessageBox(kApplicationTitle, app.process().id());
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(MessageBoxTextOf(message), kToggledOn);
  EXPECT_TRUE(FindTopLevel({std::nullopt, std::string(kMainCaption), app.process().id(), true}).empty());
  ASSERT_TRUE(PressMessageBoxButton(message, IDOK));
  EXPECT_EQ(app.process().WaitForExit(), std::optional<DWORD>(0));
  EXPECT_EQ(ReadDword(kSettingsKey, kToggleFlag), std::optional<DWORD>(1));
}

TEST_F(StartSwitches, CreditsSwitchShowsTheNamesAndClosingThemEndsTheProgram) {
  NimbulApp& app = StartNimbul({"/QUORM"});
  HWND credits = WaitForTopLevel({std::string("TForm7"), std::string("Nimbulon"), app.process().id(), true});
  ASSERT_NE(credits, nullptr) << "no credits window";
  SaveDocsShot("credits.bmp", credits);
  EXPECT_EQ(FindTopLevel({std::string("TfrmNimbulMain"), std::nullopt, app.process().id(), true}).size(), 0u);
  PostMessageA(credits, WM_CLOSE, 0, 0);
  EXPECT_EQ(app.process().WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(StartSwitches, UpdateSwitchGreetsBeforeTheMainWindow) {
  NimbulApp& app = StartNimbul({"\"/upgedatet"});
  HWND message = WaitForMessageBox(kApplicationTitle, app.process().id());
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(MessageBoxTextOf(message), "Update erfolgreich!");
  EXPECT_TRUE(FindTopLevel({std::nullopt, std::string(kMainCaption), app.process().id(), true}).empty());
  ASSERT_TRUE(PressMessageBoxButton(message, IDOK));
  EXPECT_NE(app.WaitForMainWindow(), nullptr);
}

}  // namespace
}  // namespace nimbul::e2e

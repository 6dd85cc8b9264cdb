// The list colours dialog, opened by keyboard, a colour picked in the
// system's colour dialog and stored.
#include <gtest/gtest.h>

#include <windows.h>

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

// The red, green and blue fields of the system's colour dialog.
constexpr int kRedField = 706, kGreenField = 707, kBlueField = 708;

class ColorsDialog : public E2eTest {
 protected:
  // "View" > "Colors" by keyboard; the dialog once it stays open with the main window disabled.
  HWND OpenColors(NimbulApp& app) {
    HWND main = app.MainWindow();
    for (int attempt = 0; attempt < 3; ++attempt) {
      if (!Activate(main)) return nullptr;
      PressKey('V', kAlt);
      PressKey('C');
      HWND dialog = WaitForTopLevel({std::string("TForm8"), std::string("Colors"), app.process().id(), true});
      if (dialog && WaitUntil([&] { return !IsWindowEnabled(main); })) return dialog;
    }
    return nullptr;
  }
  // The system colour dialog this process opened, or null.
  HWND WaitForColourChooser(NimbulApp& app) {
    HWND chooser = nullptr;
    WaitUntil([&] {
      for (HWND w : FindTopLevel({std::string(kDialogClass), std::nullopt, app.process().id(), true}))
        if (GetDlgItem(w, kRedField)) chooser = w;
      return chooser != nullptr;
    });
    return chooser;
  }
  // Types a colour into the chooser's fields and confirms it.
  bool ChooseRgb(HWND chooser, int r, int g, int b) {
    SetDlgItemInt(chooser, kRedField, r, FALSE);
    SetDlgItemInt(chooser, kGreenField, g, FALSE);
    SetDlgItemInt(chooser, kBlueField, b, FALSE);
    return PressMessageBoxButton(chooser, IDOK) &&
           WaitUntil([&] { return !IsWindow(chooser) || !IsWindowVisible(chooser); });
  }
  // The visible colour panel of the dialog's page (the page panels are larger).
  HWND ColourPanel(HWND dialog) {
    for (HWND child : ChildrenOf(dialog, "TPanel")) {
      RECT r = ScreenRect(child);
      if (IsWindowVisible(child) && r.right - r.left < 140) return child;
    }
    return nullptr;
  }
};

TEST_F(ColorsDialog, ColourPickedInTheSystemDialogIsStoredByOk) {
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  HWND dialog = OpenColors(app);
  ASSERT_NE(dialog, nullptr) << "View > Colors opened no colours dialog";
  EXPECT_EQ(ReadString(kSettingsKey, "Gridcolor"), std::optional<std::string>("clWindow"));
  HWND panel = ColourPanel(dialog);
  ASSERT_NE(panel, nullptr);
  SaveDocsShot("colors-dialog.bmp", dialog);

  ClickAt(CentreOf(ScreenRect(panel)));
  HWND chooser = WaitForColourChooser(app);
  ASSERT_NE(chooser, nullptr) << "the panel opened no colour dialog";
  ASSERT_TRUE(ChooseRgb(chooser, 255, 0, 0));

  ASSERT_TRUE(Activate(dialog));
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog) && IsWindowEnabled(main); }))
      << "Enter did not close the dialog by OK";
  EXPECT_EQ(ReadString(kSettingsKey, "Gridcolor"), std::optional<std::string>("clRed"));
  EXPECT_EQ(ReadString(kSettingsKey, "GridFontcolor"), std::optional<std::string>("clWindowText"));
}

TEST_F(ColorsDialog, KeyboardAloneTurnsToTheTextPageAndStoresACustomColour) {
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  HWND dialog = OpenColors(app);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }));
  PressKey(VK_TAB, kCtrl);
  PressKey(' ');
  HWND chooser = WaitForColourChooser(app);
  ASSERT_NE(chooser, nullptr) << "Ctrl+Tab and the space bar opened no colour dialog";
  ASSERT_TRUE(ChooseRgb(chooser, 0x00, 0x80, 0xC0));
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }));
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog) && IsWindowEnabled(main); }));
  EXPECT_EQ(ReadString(kSettingsKey, "GridFontcolor"), std::optional<std::string>("$00C08000"));
  EXPECT_EQ(ReadString(kSettingsKey, "Gridcolor"), std::optional<std::string>("clWindow"));
}

}  // namespace
}  // namespace nimbul::e2e

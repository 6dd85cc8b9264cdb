// An icon file dropped into the icon folder is offered by the chooser after a
// start, and choosing it stores its place.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "desktop.h"
#include "e2e_test.h"
#include "input.h"
#include "main_window_driver.h"
#include "message_boxes.h"
#include "registry_state.h"
#include "screenshot.h"

namespace nimbul::e2e {
namespace {

// A 16x16 icon file with one 32-bit image: a green square on transparent ground.
std::string GreenSquareIcon() {
  auto put = [](std::string& s, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  const std::uint32_t imageSize = 40 + 16 * 16 * 4 + 16 * 4;
  std::string f;
  put(f, 0, 2), put(f, 1, 2), put(f, 1, 2);
  f.push_back(16), f.push_back(16), f.push_back(0), f.push_back(0);
  put(f, 1, 2), put(f, 32, 2), put(f, imageSize, 4), put(f, 22, 4);
  put(f, 40, 4), put(f, 16, 4), put(f, 32, 4), put(f, 1, 2), put(f, 32, 2);
  for (int i = 0; i < 6; ++i) put(f, 0, 4);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) put(f, (x > 2 && x < 13 && y > 2 && y < 13) ? 0xFF20A040u : 0u, 4);
  for (int y = 0; y < 16; ++y) put(f, (y > 2 && y < 13) ? 0xE007E007u : 0xFFFFFFFFu, 4);
  return f;
}

class IconChooser : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    std::string exe = NimbulExePath();
    folder_ = exe.substr(0, exe.find_last_of("\\/") + 1) + "Icons\\";
    CreateDirectoryA(folder_.c_str(), nullptr);
    std::ofstream(folder_ + "zz e2e.ico", std::ios::binary) << GreenSquareIcon();
  }
  void TearDown() override {
    E2eTest::TearDown();
    for (const char* name : {"zz e2e.ico", "zy bad.ico", "zx e2e.ico"}) DeleteFileA((folder_ + name).c_str());
    RemoveDirectoryA(folder_.c_str());
  }
  // Opens "Choose Systemtray Icon" from the keyboard: two up from the start
  // of "&Options". The chooser, or null when it did not open.
  static HWND OpenChooser(NimbulApp& app, HWND main) {
    if (!Activate(main)) return nullptr;
    PressKey('O', kAlt);
    PressKey(VK_UP);
    PressKey(VK_UP);
    PressKey(VK_RETURN);
    return WaitForTopLevel({std::string("TForm5"), std::nullopt, app.process().id(), true});
  }
  std::string folder_;
};

TEST_F(IconChooser, ADroppedIconIsOfferedAndCanBeChosen) {
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  HWND chooser = OpenChooser(app, main);
  ASSERT_NE(chooser, nullptr) << "the chooser did not open";
  EXPECT_FALSE(IsWindowEnabled(main));
  auto lists = ChildrenOf(chooser, "SysListView32");
  ASSERT_EQ(lists.size(), 1u);
  RemoteListView list(lists[0]);
  ASSERT_GE(list.RowCount(), 29);
  const int last = list.RowCount() - 1;
  EXPECT_EQ(list.Text(0, 0), "Standard");
  EXPECT_EQ(list.Text(27, 0), "Chip");
  EXPECT_EQ(list.Text(last, 0), "zz e2e");
  EXPECT_NE(ChildWithText(chooser, std::to_string(last - 27) + " Icons added"), nullptr);
  SaveDocsShot("icon-chooser.bmp", chooser);

  // By keyboard: the list has the focus; End selects the last icon, Enter confirms it.
  ASSERT_TRUE(Activate(chooser));
  PressKey(VK_END);
  ASSERT_TRUE(WaitUntil([&] { return list.SelectedRow() == last; }));
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return ReadDword(kSettingsKey, "SystrayIcon") == std::optional<DWORD>(last); }));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(chooser); }));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }));
}

// A file that is no icon, between two good ones: the start names it in one
// error box, the good ones are offered, the stored choice past the bad file
// holds, and the tray takes the icon.
TEST_F(IconChooser, AFileThatIsNoIconIsNamedAndTheOthersStillLoad) {
  std::ofstream(folder_ + "zx e2e.ico", std::ios::binary) << GreenSquareIcon();
  std::ofstream(folder_ + "zy bad.ico", std::ios::binary) << "not an icon";
  // The choice is the icon after the bad file: it is found only if the scan went on.
  PresetDword(kSettingsKey, "SysTrayIcon", 29);
  NimbulApp& app = StartNimbul();
  HWND box = WaitForMessageBox(kApplicationTitle, app.process().id());
  ASSERT_NE(box, nullptr) << "no error box for the bad file";
  EXPECT_EQ(MessageBoxTextOf(box), "Icon image is not valid.\r\nzy bad.ico");
  ASSERT_TRUE(PressMessageBoxButton(box));
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(FindMessageBox(kApplicationTitle, app.process().id()), nullptr) << "a second box";

  // The good files after the bad one are offered, and the stored choice held.
  HWND chooser = OpenChooser(app, main);
  ASSERT_NE(chooser, nullptr);
  auto lists = ChildrenOf(chooser, "SysListView32");
  ASSERT_EQ(lists.size(), 1u);
  RemoteListView list(lists[0]);
  ASSERT_EQ(list.RowCount(), 30);
  EXPECT_EQ(list.Text(28, 0), "zx e2e");
  EXPECT_EQ(list.Text(29, 0), "zz e2e");
  EXPECT_EQ(list.SelectedRow(), 29);
  EXPECT_NE(ChildWithText(chooser, "2 Icons added"), nullptr);
  EXPECT_EQ(ReadDword(kSettingsKey, "SysTrayIcon"), std::optional<DWORD>(29));
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }));

  // To the tray: the icon is taken.
  const int icons = TrayIconCount();
  ASSERT_TRUE(Activate(main));
  PressKey(VK_F4);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main) && TrayIconCount() > icons; }));
}

}  // namespace
}  // namespace nimbul::e2e

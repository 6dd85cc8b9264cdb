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
    DeleteFileA((folder_ + "zz e2e.ico").c_str());
    RemoveDirectoryA(folder_.c_str());
  }
  std::string folder_;
};

TEST_F(IconChooser, ADroppedIconIsOfferedAndCanBeChosen) {
  NimbulApp& app = StartNimbul();
  HWND main = app.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  // "Choose Systemtray Icon": two up from the start of "&Options".
  ASSERT_TRUE(Activate(main));
  PressKey('O', kAlt);
  PressKey(VK_UP);
  PressKey(VK_UP);
  PressKey(VK_RETURN);
  HWND chooser = WaitForTopLevel({std::string("TForm5"), std::nullopt, app.process().id(), true});
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

}  // namespace
}  // namespace nimbul::e2e

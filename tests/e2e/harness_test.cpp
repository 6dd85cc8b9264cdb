// The bench itself: the target-window helper, the registry reset and the
// input helpers must do what the end-to-end tests rely on.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "desktop.h"
#include "e2e_test.h"
#include "input.h"
#include "registry_state.h"
#include "screenshot.h"

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
  EXPECT_TRUE(WaitUntil([&] { return SendMessageTimeoutA(t[0], WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &ignored) == 0; },
                        Millis(1000)))
      << "the target still answered while hanging";
  EXPECT_EQ(TitleOf(t[0]), "Hangs") << "a hung window's title must stay readable";
  EXPECT_TRUE(
      WaitUntil([&] { return SendMessageTimeoutA(t[0], WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &ignored) != 0; }));
}

TEST_F(Harness, RegistryResetRemovesTheVendorTreeAndOnlyOurRunValue) {
  PresetDword(kSettingsKey, "SchonXgestartet", 1);
  PresetString(std::string(kSettingsKey) + "\\Deeper\\Deepest", "Leaf", "x");
  PresetString(kRunKey, kRunValue, "C:\\Nimbul.exe /systray");
  PresetString(kRunKey, "NimbulBenchNeighbour", "C:\\other.exe");
  ASSERT_EQ(ReadString(std::string(kSettingsKey) + "\\Deeper\\Deepest", "Leaf"), std::optional<std::string>("x"));

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
  EXPECT_TRUE(WaitUntil([&] { return (key = t.LastKey()) && key->virtualKey == 'K'; })) << "no K arrived";
  if (key) {
    EXPECT_EQ(key->virtualKey, 'K');
    EXPECT_EQ(key->modifiers, targets::kKeyCtrl | targets::kKeyShift);
  }
  PressKey(VK_F6);
  EXPECT_TRUE(WaitUntil([&] { return (key = t.LastKey()) && key->virtualKey == VK_F6; }));
  EXPECT_EQ(key ? key->modifiers : 99u, 0u) << "a modifier stayed down";
}

TEST_F(Harness, ScreenshotIsABitmapOfTheWholeScreen) {
  const std::string path = DriverFolder() + "harness-screenshot.bmp";
  ASSERT_TRUE(SaveScreenshot(path));
  std::FILE* f = std::fopen(path.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  const bool read = std::fread(&file, sizeof file, 1, f) == 1 && std::fread(&info, sizeof info, 1, f) == 1;
  std::fseek(f, 0, SEEK_END);
  const long size = std::ftell(f);
  std::fclose(f);
  DeleteFileA(path.c_str());
  ASSERT_TRUE(read);
  EXPECT_EQ(file.bfType, 0x4D42);
  EXPECT_EQ(info.biWidth, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(info.biHeight, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(info.biBitCount, 24);
  EXPECT_EQ(static_cast<DWORD>(size), file.bfSize);
}

TEST_F(Harness, ListViewReaderReadsNimbulonsColumnsRowsAndRowPositions) {
  Targets& t = OpenTargets({{"Row for the reader"}});
  NimbulApp& app = StartNimbul();
  ASSERT_NE(app.WaitForMainWindow(), nullptr);
  const RemoteListView visible = app.VisibleList();
  // The empty hidden list clears its header texts, so only its columns count.
  EXPECT_EQ(app.HiddenList().ColumnTitles().size(), 2u);
  EXPECT_EQ(visible.ColumnTitles(), (std::vector<std::string>{"Name", "Handle"}));

  const std::string handleText = std::to_string(reinterpret_cast<UINT_PTR>(t[0]));
  int row = -1;
  EXPECT_TRUE(WaitUntil([&] {
    auto rows = visible.Rows(2);
    for (size_t i = 0; i < rows.size(); ++i) {
      if (rows[i][0] == "Row for the reader") row = static_cast<int>(i);
    }
    return row >= 0;
  })) << "the target is not in the visible list";
  if (row < 0) return;
  EXPECT_EQ(visible.Text(row, 1), handleText);

  const POINT p = visible.RowPointOnScreen(row);
  const RECT list = ScreenRect(visible.handle());
  EXPECT_TRUE(PtInRect(&list, p)) << "row point " << p.x << "," << p.y << " lies outside the list";
}

}  // namespace
}  // namespace nimbul::e2e

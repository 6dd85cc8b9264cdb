// Start and end of the program: one instance per logon, the refusal of a
// second one, a clean exit, the first-start notice and the version.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <string>
#include <vector>

#include "desktop.h"
#include "e2e_test.h"
#include "input.h"
#include "message_boxes.h"
#include "registry_state.h"
#include "version_resource.h"

namespace nimbul::e2e {
namespace {

constexpr const char* kRefusalText = "Nimbulon cannot be opened twice !!!";
constexpr const char* kVersion = "1.7.1.6";

bool Answers(HWND window) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored) != 0;
}

// The full paths of the modules loaded into process `id`, in lower case.
std::vector<std::string> ModulePaths(DWORD id) {
  std::vector<std::string> paths;
  // The snapshot reports failure as INVALID_HANDLE_VALUE, as CreateFileA does.
  const platform::win32::FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, id));
  if (!snapshot) return paths;
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Module32First(snapshot.get(), &entry); more; more = Module32Next(snapshot.get(), &entry)) {
    std::string path = entry.szExePath;
    CharLowerBuffA(path.data(), static_cast<DWORD>(path.size()));
    paths.push_back(path);
  }
  return paths;
}

// Shows the version in the status bar, which reads the program's own version
// resource through the version library.
void HoverTheVisibleWindowsLabel(NimbulApp& app) {
  HWND label = WaitFor([&] { return app.Control(" Visible Windows"); });
  ASSERT_NE(label, nullptr) << "no control with the text \" Visible Windows\"";
  const POINT centre = CentreOf(ScreenRect(label));
  // Two positions, so the label sees a movement even if the pointer
  // already rested on its centre.
  MoveMouseTo({centre.x - 2, centre.y});
  MoveMouseTo(centre);
}

class ProgramEntry : public E2eTest {};

TEST_F(ProgramEntry, SecondStartIsRefusedWithAMessageAndTheFirstRunsOnUnchanged) {
  NimbulApp& first = StartNimbul();
  HWND main = first.WaitForMainWindow();
  ASSERT_NE(main, nullptr) << "the first instance shows no main window";
  const RECT before = ScreenRect(main);

  NimbulApp& second = StartNimbul();
  const DWORD secondId = second.process().id();
  HWND box = WaitForMessageBox(kApplicationTitle, secondId);
  ASSERT_NE(box, nullptr) << "no message box captioned \"Nimbul\" from the second start";
  EXPECT_EQ(MessageBoxTextOf(box), kRefusalText);
  EXPECT_NE(GetDlgItem(box, IDOK), nullptr) << "the refusal has no OK button";
  EXPECT_TRUE(FindTopLevel({std::nullopt, std::string(kMainCaption), secondId, false}).empty())
      << "the refused instance created a main window";

  ASSERT_TRUE(PressMessageBoxButton(box, IDOK));
  EXPECT_EQ(second.process().WaitForExit(), std::optional<DWORD>(0));

  EXPECT_TRUE(first.process().Running());
  EXPECT_EQ(first.MainWindow(), main);
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(TitleOf(main), kMainCaption);
  const RECT after = ScreenRect(main);
  EXPECT_TRUE(EqualRect(&before, &after)) << "the first instance's main window moved or resized";
  EXPECT_TRUE(Answers(main)) << "the first instance stopped answering";
}

TEST_F(ProgramEntry, ClosingTheMainWindowEndsWithCodeZeroAndANewStartSucceeds) {
  NimbulApp& first = StartNimbul();
  ASSERT_NE(first.WaitForMainWindow(), nullptr);
  first.Close();
  ASSERT_EQ(first.process().WaitForExit(), std::optional<DWORD>(0));

  NimbulApp& again = StartNimbul();
  EXPECT_NE(again.WaitForMainWindow(), nullptr) << "no main window after a clean exit and a new start";
  EXPECT_EQ(FindMessageBox(kApplicationTitle, again.process().id()), nullptr) << "the new start was refused";
  EXPECT_TRUE(again.process().Running());
}

TEST_F(ProgramEntry, FreshProfileShowsTheFirstStartNoticeBeforeTheMainWindow) {
  NimbulApp& app = StartNimbul({"", /*skipFirstStartNotice=*/false});
  const DWORD id = app.process().id();
  HWND notice = WaitForMessageBox(kFirstStartCaption, id);
  ASSERT_NE(notice, nullptr) << "no \"Caution\" notice on a fresh profile";
  EXPECT_EQ(MessageBoxTextOf(notice),
            "This is the first time, that you start this Program!\r\n"
            "Please read the Licence in Help->Licence\r\n"
            "\r\n"
            "We hope you'll enjoy this Software");
  EXPECT_TRUE(FindTopLevel({std::nullopt, std::string(kMainCaption), id, true}).empty())
      << "the main window is shown while the notice is open";

  ASSERT_TRUE(PressMessageBoxButton(notice, IDOK));
  EXPECT_NE(app.WaitForMainWindow(), nullptr);
  EXPECT_EQ(ReadDword(kSettingsKey, kFirstStartFlag), std::optional<DWORD>(1));
}

TEST_F(ProgramEntry, StatusBarShowsTheVersionWhileTheMouseMovesOverTheVisibleWindowsLabel) {
  NimbulApp& app = StartNimbul();
  ASSERT_NE(app.WaitForMainWindow(), nullptr);
  HoverTheVisibleWindowsLabel(app);
  const std::string expected = std::string("Nimbulon ") + kVersion;
  EXPECT_TRUE(WaitUntil([&] { return app.StatusText() == expected; })) << "status text: \"" << app.StatusText() << "\"";
}

TEST_F(ProgramEntry, AVersionLibraryBesideTheProgramIsNeverLoaded) {
  const std::string folder = DriverFolder() + "planted\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string exe = folder + "Nimbul.exe", planted = folder + "version.dll";
  ASSERT_TRUE(CopyFileA(NimbulExePath().c_str(), exe.c_str(), FALSE));
  ASSERT_TRUE(CopyFileA((DriverFolder() + "planted-version.dll").c_str(), planted.c_str(), FALSE));

  // Wine takes its own version library even from the program's folder unless
  // told for this program to prefer a file found there, as Windows does. Wine's
  // own advapi32 then loads the planted file too (its other functions pass on
  // to the system), so what is asked is which one Nimbulon reads its version with.
  constexpr const char* kWineAppKey = "Software\\Wine\\AppDefaults\\Nimbul.exe";
  PresetString(std::string(kWineAppKey) + "\\DllOverrides", "version", "native,builtin");
  struct Undo {
    ~Undo() { DeleteKeyTree(HKEY_CURRENT_USER, kWineAppKey); }
  } undo;
  NimbulApp& app = StartNimbul({"", true, exe});
  ASSERT_NE(app.WaitForMainWindow(), nullptr);

  // The status bar's version is read through the version library; the
  // planted one knows none.
  HoverTheVisibleWindowsLabel(app);
  const std::string expected = std::string("Nimbulon ") + kVersion;
  EXPECT_TRUE(WaitUntil([&] { return app.StatusText() == expected; })) << "status text: \"" << app.StatusText() << "\"";
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  std::string systemCopy = std::string(system) + "\\version.dll";
  CharLowerBuffA(systemCopy.data(), static_cast<DWORD>(systemCopy.size()));
  const std::vector<std::string> modules = ModulePaths(app.process().id());
  std::string listed;
  for (const std::string& m : modules) listed += "\n  " + m;
  EXPECT_EQ(std::count(modules.begin(), modules.end(), systemCopy), 1)
      << "the system's version library is not among the loaded modules:" << listed;

  app.Close();
  app.process().WaitForExit();
  DeleteFileA(planted.c_str());
  DeleteFileA(exe.c_str());
  RemoveDirectoryA(folder.c_str());
}

TEST_F(ProgramEntry, ExecutableCarriesVersionResource1716) {
  const std::string exe = NimbulExePath();
  EXPECT_EQ(FixedFileVersion(exe), std::optional<std::string>(kVersion));
  EXPECT_EQ(FixedProductVersion(exe), std::optional<std::string>(kVersion));
  EXPECT_EQ(VersionString(exe, "FileVersion"), std::optional<std::string>(kVersion));
  EXPECT_EQ(VersionString(exe, "ProductName"), std::optional<std::string>("Nimbulon"));
}

}  // namespace
}  // namespace nimbul::e2e

// The installer and the uninstaller as a user meets them: a silent install
// for the user who runs it (the default) or for everyone (/ALLUSERS), the
// installed program, and an uninstall that ends a running Nimbulon, removes
// what its install put in place and what the program registered, and keeps
// the user's settings unless asked.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "desktop.h"
#include "e2e_test.h"
#include "message_boxes.h"
#include "platform/win32/handle.h"
#include "registry_state.h"
#include "version_resource.h"

namespace nimbul::e2e {
namespace {

constexpr const char* kVersion = "1.7.1.6";
constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Nimbulon";
constexpr const char* kAppPathsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Nimbul.exe";
constexpr Millis kInstallPatience{60000};

std::string SpecialFolder(int csidl) {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

platform::win32::RegKey OpenKey(HKEY root, const std::string& key) {
  HKEY raw = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return {};
  return platform::win32::RegKey(raw);
}

bool KeyExistsIn(HKEY root, const std::string& key) { return static_cast<bool>(OpenKey(root, key)); }

std::optional<std::string> StringIn(HKEY root, const std::string& key, const std::string& name) {
  const platform::win32::RegKey k = OpenKey(root, key);
  char value[1024] = {};
  DWORD size = sizeof value - 1, type = 0;
  if (!k ||
      RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return std::nullopt;
  }
  return std::string(value);
}

// Who an install is for, and where each of its traces goes.
struct Mode {
  const char* name;
  const char* arguments;
  int programsFolder;  // the parent of "Programs\Nimbulon" or of "Nimbulon"
  const char* below;
  int startMenu;
  HKEY root;   // its uninstall entry
  HKEY other;  // the root it never writes
  std::string Folder() const { return SpecialFolder(programsFolder) + below; }
  std::string Shortcut() const { return SpecialFolder(startMenu) + "\\Nimbulon.lnk"; }
};

const Mode kJustMe{
    "JustMe",          "/S", CSIDL_LOCAL_APPDATA, "\\Programs\\Nimbulon\\", CSIDL_PROGRAMS, HKEY_CURRENT_USER,
    HKEY_LOCAL_MACHINE};
const Mode kEveryone{"Everyone",         "/S /ALLUSERS",   CSIDL_PROGRAM_FILES, "\\Nimbulon\\", CSIDL_COMMON_PROGRAMS,
                     HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER};

class Installer : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    const char* setup = std::getenv("NIMBUL_SETUP");
    ASSERT_TRUE(setup && *setup) << "NIMBUL_SETUP names no installer";
    setup_ = setup;
  }

  void TearDown() override {
    E2eTest::TearDown();
    // A failed test may leave the installer's or the uninstaller's window
    // waiting for a user; nobody will come.
    for (const char* caption : {"Nimbulon Uninstall", "Nimbulon 1.7.1.6 Setup"}) {
      for (HWND w : FindTopLevel({std::nullopt, std::string(caption), 0, false})) {
        const platform::win32::KernelHandle p(OpenProcess(PROCESS_TERMINATE, FALSE, ProcessOf(w)));
        if (p) TerminateProcess(p.get(), 1);
      }
    }
    for (const Mode* mode : {&kJustMe, &kEveryone}) {
      if (Exists(mode->Folder() + "Uninstall.exe"))
        Uninstall(*mode, "/S /REMOVESETTINGS",
                  [mode] { return !KeyExistsIn(mode->root, kUninstallKey) && !KeyExists(kSettingsKey); });
    }
  }

  // Installs silently; the program the tests start is then the installed one.
  void InstallSilently(const Mode& mode) {
    Process setup = Process::Start(setup_, mode.arguments);
    ASSERT_EQ(setup.WaitForExit(kInstallPatience), std::optional<DWORD>(0)) << "the silent install failed";
    installedExe_ = mode.Folder() + "Nimbul.exe";
    _putenv_s("NIMBUL_EXE", installedExe_.c_str());
  }

  // The uninstaller hands over to a copy of itself and returns at once, so
  // the test waits for what the copy does last.
  template <typename Done>
  bool Uninstall(const Mode& mode, const std::string& arguments, Done done) {
    Process uninstaller = Process::Start(mode.Folder() + "Uninstall.exe", arguments);
    return uninstaller.WaitForExit(kInstallPatience).has_value() && WaitUntil(done, kInstallPatience);
  }

  std::string setup_;
  std::string installedExe_;
};

class EachMode : public Installer, public ::testing::WithParamInterface<Mode> {};

TEST_P(EachMode, SilentInstallPutsProgramShortcutAndEntryInItsPlacesAndItsUninstallerRemovesThem) {
  const Mode& mode = GetParam();
  InstallSilently(mode);
  for (const char* file : {"Nimbul.exe", "License.txt", "Readme.txt", "Uninstall.exe", "Icons"})
    EXPECT_TRUE(Exists(mode.Folder() + file)) << file << " is not in " << mode.Folder();
  EXPECT_TRUE(Exists(mode.Shortcut())) << "no Start-menu shortcut " << mode.Shortcut();
  EXPECT_EQ(StringIn(mode.root, kUninstallKey, "DisplayName"), std::optional<std::string>("Nimbulon"));
  EXPECT_EQ(StringIn(mode.root, kUninstallKey, "DisplayVersion"), std::optional<std::string>(kVersion));
  EXPECT_EQ(StringIn(mode.root, kUninstallKey, "Publisher"), std::optional<std::string>("Quendel-Soft"));
  EXPECT_EQ(StringIn(mode.root, kAppPathsKey, ""), std::optional<std::string>(installedExe_));
  EXPECT_FALSE(KeyExistsIn(mode.other, kUninstallKey)) << "an uninstall entry in the other root";
  EXPECT_FALSE(KeyExistsIn(mode.other, kAppPathsKey)) << "an App Paths key in the other root";
  EXPECT_EQ(FixedFileVersion(installedExe_), std::optional<std::string>(kVersion));

  NimbulApp& app = StartNimbul();
  ASSERT_NE(app.WaitForMainWindow(), nullptr) << "the installed program shows no main window";
  // What "Run on Startup" writes.
  PresetString(kRunKey, kRunValue, "\"" + installedExe_ + "\" /systray");
  // The program registers itself under the root it may write; either may
  // hold a registration when the uninstaller runs.
  PresetString(kAppPathsKey, "", installedExe_);

  ASSERT_TRUE(Uninstall(mode, "/S", [&] { return !KeyExistsIn(mode.root, kUninstallKey); }))
      << "the uninstall did not finish";
  EXPECT_EQ(app.process().WaitForExit(), std::optional<DWORD>(0)) << "Nimbulon was not ended by its own close";
  EXPECT_TRUE(WaitUntil([&] { return !Exists(mode.Folder()); })) << mode.Folder() << " is still there";
  EXPECT_FALSE(Exists(mode.Shortcut()));
  EXPECT_EQ(ReadString(kRunKey, kRunValue), std::nullopt);
  EXPECT_FALSE(KeyExistsIn(HKEY_CURRENT_USER, kAppPathsKey));
  EXPECT_FALSE(KeyExistsIn(HKEY_LOCAL_MACHINE, kAppPathsKey));
  EXPECT_TRUE(KeyExists(kSettingsKey)) << "the settings went without being asked to";
}

INSTANTIATE_TEST_SUITE_P(Installer, EachMode, ::testing::Values(kJustMe, kEveryone),
                         [](const ::testing::TestParamInfo<Mode>& info) { return std::string(info.param.name); });

TEST_F(Installer, UninstallAsksBeforeEndingARunningNimbulonAndLeavesEverythingWhenDeclined) {
  InstallSilently(kJustMe);
  NimbulApp& app = StartNimbul();
  ASSERT_NE(app.WaitForMainWindow(), nullptr);

  Process uninstaller = Process::Start(kJustMe.Folder() + "Uninstall.exe");
  HWND box = WaitForMessageBox("Nimbulon Uninstall", 0, kInstallPatience);
  ASSERT_NE(box, nullptr) << "the uninstaller did not ask about the running Nimbulon";
  EXPECT_NE(MessageBoxTextOf(box).find("Nimbulon is running"), std::string::npos) << MessageBoxTextOf(box);
  ASSERT_TRUE(PressMessageBoxButton(box, IDCANCEL));

  EXPECT_TRUE(WaitUntil([&] { return FindMessageBox("Nimbulon Uninstall") == nullptr; }));
  EXPECT_TRUE(app.process().Running()) << "Nimbulon was ended although the user declined";
  EXPECT_TRUE(Exists(installedExe_));
  EXPECT_TRUE(KeyExistsIn(HKEY_CURRENT_USER, kUninstallKey));
}

TEST_F(Installer, UninstallAskedToRemoveTheSettingsRemovesThem) {
  InstallSilently(kJustMe);
  PresetDword(kSettingsKey, kFirstStartFlag, 1);
  ASSERT_TRUE(Uninstall(kJustMe, "/S /REMOVESETTINGS", [] { return !KeyExists(kSettingsKey); }))
      << "the settings key is still there";
  EXPECT_FALSE(KeyExists(kVendorKey)) << "the empty vendor key stayed";
}

}  // namespace
}  // namespace nimbul::e2e

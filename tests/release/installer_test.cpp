// The installer and the uninstaller as a user meets them: a silent install,
// the installed program, and an uninstall that ends a running Nimbulon,
// removes what the installer put in place and what the program registered,
// and keeps the user's settings unless asked.
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

std::string InstallFolder() { return SpecialFolder(CSIDL_PROGRAM_FILES) + "\\Nimbulon\\"; }
std::string Shortcut() { return SpecialFolder(CSIDL_COMMON_PROGRAMS) + "\\Nimbulon.lnk"; }

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

platform::win32::RegKey OpenMachineKey(const std::string& key) {
  HKEY raw = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return {};
  return platform::win32::RegKey(raw);
}

bool MachineKeyExists(const std::string& key) { return static_cast<bool>(OpenMachineKey(key)); }

std::optional<std::string> MachineString(const std::string& key, const std::string& name) {
  const platform::win32::RegKey k = OpenMachineKey(key);
  char value[1024] = {};
  DWORD size = sizeof value - 1, type = 0;
  if (!k ||
      RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return std::nullopt;
  }
  return std::string(value);
}

class Installer : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    const char* setup = std::getenv("NIMBUL_SETUP");
    ASSERT_TRUE(setup && *setup) << "NIMBUL_SETUP names no installer";
    setup_ = setup;
    installedExe_ = InstallFolder() + "Nimbul.exe";
    // The program the tests start is the installed one.
    _putenv_s("NIMBUL_EXE", installedExe_.c_str());
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
    if (Exists(InstallFolder() + "Uninstall.exe"))
      Uninstall("/S /REMOVESETTINGS", [] { return !MachineKeyExists(kUninstallKey) && !KeyExists(kSettingsKey); });
  }

  void InstallSilently() {
    Process setup = Process::Start(setup_, "/S");
    ASSERT_EQ(setup.WaitForExit(kInstallPatience), std::optional<DWORD>(0)) << "the silent install failed";
  }

  // The uninstaller hands over to a copy of itself and returns at once, so
  // the test waits for what the copy does last.
  template <typename Done>
  bool Uninstall(const std::string& arguments, Done done) {
    Process uninstaller = Process::Start(InstallFolder() + "Uninstall.exe", arguments);
    return uninstaller.WaitForExit(kInstallPatience).has_value() && WaitUntil(done, kInstallPatience);
  }

  std::string setup_;
  std::string installedExe_;
};

TEST_F(Installer, SilentInstallPutsProgramShortcutAndEntryInPlaceAndTheProgramStarts) {
  InstallSilently();
  for (const char* file : {"Nimbul.exe", "License.txt", "Readme.txt", "Uninstall.exe", "Icons"})
    EXPECT_TRUE(Exists(InstallFolder() + file)) << file << " is not in " << InstallFolder();
  EXPECT_TRUE(Exists(Shortcut())) << "no Start-menu shortcut " << Shortcut();
  EXPECT_EQ(MachineString(kUninstallKey, "DisplayName"), std::optional<std::string>("Nimbulon"));
  EXPECT_EQ(MachineString(kUninstallKey, "DisplayVersion"), std::optional<std::string>(kVersion));
  EXPECT_EQ(MachineString(kUninstallKey, "Publisher"), std::optional<std::string>("Quendel-Soft"));
  EXPECT_EQ(FixedFileVersion(installedExe_), std::optional<std::string>(kVersion));

  NimbulApp& app = StartNimbul();
  ASSERT_NE(app.WaitForMainWindow(), nullptr) << "the installed program shows no main window";
  EXPECT_EQ(MachineString(kAppPathsKey, ""), std::optional<std::string>(installedExe_));
  app.Close();
  EXPECT_EQ(app.process().WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(Installer, UninstallAsksBeforeEndingARunningNimbulonAndLeavesEverythingWhenDeclined) {
  InstallSilently();
  NimbulApp& app = StartNimbul();
  ASSERT_NE(app.WaitForMainWindow(), nullptr);

  Process uninstaller = Process::Start(InstallFolder() + "Uninstall.exe");
  HWND box = WaitForMessageBox("Nimbulon Uninstall", 0, kInstallPatience);
  ASSERT_NE(box, nullptr) << "the uninstaller did not ask about the running Nimbulon";
  EXPECT_NE(MessageBoxTextOf(box).find("Nimbulon is running"), std::string::npos) << MessageBoxTextOf(box);
  ASSERT_TRUE(PressMessageBoxButton(box, IDCANCEL));

  EXPECT_TRUE(WaitUntil([&] { return FindMessageBox("Nimbulon Uninstall") == nullptr; }));
  EXPECT_TRUE(app.process().Running()) << "Nimbulon was ended although the user declined";
  EXPECT_TRUE(Exists(installedExe_));
  EXPECT_TRUE(MachineKeyExists(kUninstallKey));
}

TEST_F(Installer, SilentUninstallEndsNimbulonRemovesItsTracesAndKeepsTheSettings) {
  InstallSilently();
  NimbulApp& app = StartNimbul();
  ASSERT_NE(app.WaitForMainWindow(), nullptr);
  // What "Run on Startup" writes.
  PresetString(kRunKey, kRunValue, "\"" + installedExe_ + "\" /systray");

  ASSERT_TRUE(Uninstall("/S", [] { return !MachineKeyExists(kUninstallKey); })) << "the uninstall did not finish";
  EXPECT_EQ(app.process().WaitForExit(), std::optional<DWORD>(0)) << "Nimbulon was not ended by its own close";
  EXPECT_TRUE(WaitUntil([] { return !Exists(InstallFolder()); })) << InstallFolder() << " is still there";
  EXPECT_FALSE(Exists(Shortcut()));
  EXPECT_EQ(ReadString(kRunKey, kRunValue), std::nullopt);
  EXPECT_FALSE(MachineKeyExists(kAppPathsKey));
  EXPECT_TRUE(KeyExists(kSettingsKey)) << "the settings went without being asked to";
}

TEST_F(Installer, UninstallAskedToRemoveTheSettingsRemovesThem) {
  InstallSilently();
  PresetDword(kSettingsKey, kFirstStartFlag, 1);
  ASSERT_TRUE(Uninstall("/S /REMOVESETTINGS", [] { return !KeyExists(kSettingsKey); }))
      << "the settings key is still there";
  EXPECT_FALSE(KeyExists(kVendorKey)) << "the empty vendor key stayed";
}

}  // namespace
}  // namespace nimbul::e2e

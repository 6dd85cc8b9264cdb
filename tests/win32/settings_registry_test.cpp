// The settings accessor on the real registry: what it writes is what the
// system holds, byte for byte, and what the system holds reads as it should.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../unit/error_of.h"
#include "settings/color_text.h"
#include "settings/settings_layout.h"
#include "platform/win32/win32_platform.h"
#include "base/error.h"

namespace settings = nimbul::settings;
namespace {

using nimbul::testing::ErrorOf;

using nimbul::platform::kHkeyCurrentUser;
using nimbul::platform::kHkeyLocalMachine;
using nimbul::settings::SettingsAccessor;
using Bytes = std::vector<BYTE>;

constexpr const char* kTestRoot = "Software\\NimbulonTest";

// Removes a key and everything below it; the system of this era has no call for it.
void DeleteTree(HKEY parent, const std::string& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(parent, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char name[256];
  for (;;) {
    DWORD size = sizeof name;
    if (::RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    DeleteTree(key, name);
  }
  ::RegCloseKey(key);
  ::RegDeleteKeyA(parent, path.c_str());
}

class SettingsRegistry : public ::testing::Test {
 protected:
  SettingsRegistry() : path_(std::string(kTestRoot) + "\\Settings" + std::to_string(::GetCurrentProcessId())) {}
  ~SettingsRegistry() override {
    DeleteTree(HKEY_CURRENT_USER, kTestRoot);
    DeleteTree(HKEY_LOCAL_MACHINE, kTestRoot);
  }

  // The raw type and bytes the system holds, or type REG_NONE with "missing".
  struct Raw {
    DWORD type = REG_NONE;
    Bytes data;
    bool missing = true;
  };
  Raw Read(HKEY root, const std::string& name) const {
    Raw raw;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return raw;
    BYTE buffer[512];
    DWORD size = sizeof buffer;
    if (::RegQueryValueExA(key, name.c_str(), nullptr, &raw.type, buffer, &size) == ERROR_SUCCESS) {
      raw.missing = false;
      raw.data.assign(buffer, buffer + size);
    }
    ::RegCloseKey(key);
    return raw;
  }
  void Write(const std::string& name, DWORD type, const Bytes& data) const {
    HKEY key = nullptr;
    ASSERT_EQ(
        ::RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExA(key, name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
    ::RegCloseKey(key);
  }

  std::string path_;
  nimbul::platform::win32::Win32Platform system_;
  nimbul::platform::Registry& registry_ = system_.platform.registry;
};

TEST_F(SettingsRegistry, WritesEachKindWithItsTypeAndEncoding) {
  {
    settings::SettingsAccessor s(registry_);
    ASSERT_TRUE(s.OpenKey(path_, true));
    s.SetFlag("Toolbar", true);
    s.SetFlag("Status", false);
    s.SetNumber("SysTrayIcon", -2);
    s.SetTextValue("SystrayToolTip", "Nimbulon by Quendel-Soft!");
    s.SetTextValue("Empty", "");
    nimbul::settings::WriteColor(s, nimbul::settings::Gridcolor, 0x000000FF);
    nimbul::settings::WriteColor(s, nimbul::settings::GridFontcolor, 0x00C08000);
  }
  Raw toolbar = Read(HKEY_CURRENT_USER, "Toolbar");
  EXPECT_EQ(toolbar.type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(toolbar.data, (Bytes{1, 0, 0, 0}));
  EXPECT_EQ(Read(HKEY_CURRENT_USER, "Status").data, (Bytes{0, 0, 0, 0}));
  EXPECT_EQ(Read(HKEY_CURRENT_USER, "SysTrayIcon").data, (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
  Raw tip = Read(HKEY_CURRENT_USER, "SystrayToolTip");
  EXPECT_EQ(tip.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::string(tip.data.begin(), tip.data.end()), std::string("Nimbulon by Quendel-Soft!") + '\0');
  EXPECT_EQ(Read(HKEY_CURRENT_USER, "Empty").data, (Bytes{0}));
  Raw grid = Read(HKEY_CURRENT_USER, "Gridcolor");
  EXPECT_EQ(std::string(grid.data.begin(), grid.data.end()), std::string("clRed") + '\0');
  Raw font = Read(HKEY_CURRENT_USER, "GridFontcolor");
  EXPECT_EQ(std::string(font.data.begin(), font.data.end()), std::string("$00C08000") + '\0');
}

TEST_F(SettingsRegistry, ReadsWhatTheSystemHoldsUnderAnySpellingOfTheNames) {
  Write("Systray_Min", REG_DWORD, {7, 0, 0, 0});
  Write("Gridcolor", REG_SZ, {'C', 'L', 'R', 'E', 'D', 0});
  Write("GridFontcolor", REG_SZ, {'$', '0', '0', '0', '0', '0', '0', 'F', 'F', 0});
  Write("Expand", REG_EXPAND_SZ, {'%', 'P', '%', 0});
  Write("Unterminated", REG_SZ, {'F', '9'});
  std::string upper = path_;
  for (char& c : upper) c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
  settings::SettingsAccessor s(registry_);
  ASSERT_TRUE(s.OpenKey(upper, true));
  EXPECT_TRUE(s.GetFlag("systray_min"));
  EXPECT_TRUE(nimbul::settings::EnsureFlag(s, {"SYSTRAY_MIN", nimbul::settings::ValueKind::Flag, nullptr, 0}));
  EXPECT_EQ(nimbul::settings::EnsureColor(s, nimbul::settings::Gridcolor), 0x000000FFu);
  EXPECT_EQ(nimbul::settings::EnsureColor(s, nimbul::settings::GridFontcolor), 0x000000FFu);
  EXPECT_EQ(s.GetTextValue("EXPAND"), "%P%");
  EXPECT_EQ(s.GetTextValue("Unterminated"), "F9");
  EXPECT_EQ(s.GetTextValue("Missing"), "");
  EXPECT_FALSE(s.HasValue("Missing"));
}

TEST_F(SettingsRegistry, MalformedValuesFailWithTheirTexts) {
  Write("Toolbar", REG_SZ, {'1', 0});
  Write("Short", REG_DWORD, {1, 0});
  Write("Number", REG_BINARY, {1, 0, 0, 0});
  Write("HKAkt", REG_DWORD, {0x78, 0, 0, 0});
  Write("Gridcolor", REG_SZ, {'G', 'e', 'l', 'b', 0});
  settings::SettingsAccessor s(registry_);
  ASSERT_TRUE(s.OpenKey(path_, true));
  EXPECT_EQ(ErrorOf([&] { nimbul::settings::EnsureFlag(s, nimbul::settings::Toolbar); }),
            "Invalid data type for 'Toolbar'");
  EXPECT_EQ(ErrorOf([&] { s.GetFlag("Short"); }), "Invalid data type for 'Short'");
  EXPECT_EQ(ErrorOf([&] { s.GetNumber("Number"); }), "Invalid data type for 'Number'");
  EXPECT_EQ(ErrorOf([&] { s.GetTextValue("HKAkt"); }), "Invalid data type for 'HKAkt'");
  EXPECT_EQ(ErrorOf([&] { s.GetNumber("Missing"); }), "Failed to get data for 'Missing'");
  EXPECT_EQ(ErrorOf([&] { nimbul::settings::EnsureColor(s, nimbul::settings::Gridcolor); }),
            "'Gelb' is not a valid integer value");
}

TEST_F(SettingsRegistry, FreshKeyGetsTheDefaultsWritten) {
  {
    settings::SettingsAccessor s(registry_);
    s.OpenKey(path_, true);
    EXPECT_TRUE(nimbul::settings::EnsureFlag(s, nimbul::settings::Status));
    EXPECT_EQ(nimbul::settings::EnsureNumber(s, nimbul::settings::SysTrayIcon), 0);
    EXPECT_EQ(nimbul::settings::EnsureText(s, nimbul::settings::KHTASK), "F4");
    EXPECT_EQ(nimbul::settings::EnsureColor(s, nimbul::settings::Gridcolor), 0x80000005u);
  }
  EXPECT_EQ(Read(HKEY_CURRENT_USER, "Status").data, (Bytes{1, 0, 0, 0}));
  EXPECT_EQ(Read(HKEY_CURRENT_USER, "SysTrayIcon").type, static_cast<DWORD>(REG_DWORD));
  Raw hk = Read(HKEY_CURRENT_USER, "KHTASK");
  EXPECT_EQ(std::string(hk.data.begin(), hk.data.end()), std::string("F4") + '\0');
  Raw grid = Read(HKEY_CURRENT_USER, "Gridcolor");
  EXPECT_EQ(std::string(grid.data.begin(), grid.data.end()), std::string("clWindow") + '\0');
}

TEST_F(SettingsRegistry, LeadingBackslashStartsFromTheRootAndSwitchingRootsKeepsThemApart) {
  settings::SettingsAccessor s(registry_);
  ASSERT_TRUE(s.OpenKey(kTestRoot, true));
  ASSERT_TRUE(s.OpenKey(path_.substr(std::string(kTestRoot).size() + 1), true));
  EXPECT_EQ(s.CurrentPath(), path_);
  s.SetNumber("Nested", 1);
  ASSERT_TRUE(s.OpenKey("\\" + path_, true));
  EXPECT_EQ(s.CurrentPath(), path_);
  EXPECT_EQ(s.GetNumber("Nested"), 1);

  s.SetRoot(kHkeyLocalMachine);
  ASSERT_TRUE(s.OpenKey(path_, true));
  s.SetTextValue("", "C:\\Tools\\Nimbul.exe");
  s.SetTextValue("Path", "C:\\Tools\\");
  EXPECT_FALSE(s.HasValue("Nested"));
  s.SetRoot(kHkeyCurrentUser);
  s.OpenKey(path_, true);
  EXPECT_FALSE(s.HasValue("Path"));
  EXPECT_TRUE(s.RemoveValue("Nested"));
  EXPECT_FALSE(s.RemoveValue("Nested"));
  s.CloseKey();

  Raw def = Read(HKEY_LOCAL_MACHINE, "");
  EXPECT_EQ(std::string(def.data.begin(), def.data.end()), std::string("C:\\Tools\\Nimbul.exe") + '\0');
  EXPECT_TRUE(Read(HKEY_CURRENT_USER, "Nested").missing);
}

TEST_F(SettingsRegistry, TheSystemRefusesALeadingBackslashSoTheAccessorStripsIt) {
  HKEY key = nullptr;
  EXPECT_NE(::RegCreateKeyExA(HKEY_CURRENT_USER, ("\\" + path_).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
            ERROR_SUCCESS);
  settings::SettingsAccessor s(registry_);
  EXPECT_TRUE(s.OpenKey("\\" + path_, true));
  s.SetFlag("Toolbar", false);
  EXPECT_EQ(Read(HKEY_CURRENT_USER, "Toolbar").data, (Bytes{0, 0, 0, 0}));
}

TEST_F(SettingsRegistry, AKeyThatCannotBeOpenedMakesTheNextWriteFail) {
  settings::SettingsAccessor s(registry_);
  ASSERT_TRUE(s.OpenKey(path_, true));
  // A name the registry refuses stands in for a key the user may not write.
  EXPECT_FALSE(s.OpenKey(std::string(300, 'x'), true));
  EXPECT_EQ(ErrorOf([&] { s.SetTextValue("", "C:\\Nimbul.exe"); }), "Failed to set data for ''");
  EXPECT_TRUE(Read(HKEY_CURRENT_USER, "").missing);
}

}  // namespace

// The settings accessor against the fake registry: keys, the five value kinds
// and the failure texts.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "error_of.h"
#include "settings/settings.h"
#include "platform/fake/fake_desktop.h"
#include "base/error.h"

namespace settings = nimbul::settings;
namespace {

using nimbul::testing::ErrorOf;

using nimbul::platform::Hkey;
using nimbul::platform::KeyOwner;
using nimbul::platform::kHkeyCurrentUser;
using nimbul::platform::kHkeyLocalMachine;
using nimbul::platform::kRegBinary;
using nimbul::platform::kRegDword;
using nimbul::platform::kRegExpandSz;
using nimbul::platform::kRegSz;
using nimbul::platform::fake::FakeRegistry;
using nimbul::settings::SettingsAccessor;
using Bytes = std::vector<std::uint8_t>;

constexpr const char* kKey = "Software\\Quendel-Soft\\Nimbul";

// Passes every call on to the fake and remembers how it was asked.
class RecordingRegistry : public nimbul::platform::Registry {
 public:
  explicit RecordingRegistry(FakeRegistry& inner) : inner_(inner) {}
  struct Call {
    std::string what;
    Hkey key;
    std::string arg;
    std::uint32_t access;
    bool withData;
  };
  std::vector<Call> calls;

  std::uint32_t RegCreateKeyExA(Hkey root, const std::string& path, std::uint32_t access, KeyOwner* result) override {
    calls.push_back({"create", root, path, access, false});
    return Recorded(inner_.RegCreateKeyExA(root, path, access, result), result);
  }
  std::uint32_t RegOpenKeyExA(Hkey root, const std::string& path, std::uint32_t access, KeyOwner* result) override {
    calls.push_back({"open", root, path, access, false});
    return Recorded(inner_.RegOpenKeyExA(root, path, access, result), result);
  }
  std::uint32_t RegCreateVolatileKeyA(Hkey root, const std::string& path, std::uint32_t access,
                                      KeyOwner* result) override {
    calls.push_back({"create volatile", root, path, access, false});
    return Recorded(inner_.RegCreateVolatileKeyA(root, path, access, result), result);
  }
  std::uint32_t RegQueryValueExA(Hkey key, const std::string& name, std::uint32_t* type, Bytes* data) override {
    calls.push_back({"query", key, name, 0, data != nullptr});
    return inner_.RegQueryValueExA(key, name, type, data);
  }
  std::uint32_t RegSetValueExA(Hkey key, const std::string& name, std::uint32_t type, const Bytes& data) override {
    calls.push_back({"set", key, name, 0, true});
    return inner_.RegSetValueExA(key, name, type, data);
  }
  std::uint32_t RegDeleteValueA(Hkey key, const std::string& name) override {
    calls.push_back({"delete", key, name, 0, false});
    return inner_.RegDeleteValueA(key, name);
  }

 private:
  // The key's owner notes its closing before it lets the fake's key go.
  std::uint32_t Recorded(std::uint32_t status, KeyOwner* result) {
    if (*result) {
      auto inner = std::make_shared<KeyOwner>(std::move(*result));
      *result = KeyOwner(inner->get(), [this, inner](Hkey k) {
        calls.push_back({"close", k, "", 0, false});
        inner->reset();
      });
    }
    return status;
  }
  FakeRegistry& inner_;
};

class SettingsAccessorTest : public ::testing::Test {
 protected:
  FakeRegistry reg;
};

TEST_F(SettingsAccessorTest, OpensBelowTheCurrentUserWithFullAccessAndCreatesTheKey) {
  RecordingRegistry rec(reg);
  {
    settings::SettingsAccessor s(rec);
    EXPECT_TRUE(s.OpenKey(kKey, true));
    EXPECT_EQ(s.CurrentPath(), kKey);
  }
  ASSERT_EQ(rec.calls.size(), 2u);
  EXPECT_EQ(rec.calls[0].what, "create");
  EXPECT_EQ(rec.calls[0].key, kHkeyCurrentUser);
  EXPECT_EQ(rec.calls[0].access, 0xF003Fu);
  EXPECT_EQ(rec.calls[1].what, "close");
  EXPECT_TRUE(reg.KeyExists(kHkeyCurrentUser, kKey));
  EXPECT_TRUE(reg.KeyExists(kHkeyCurrentUser, "Software\\Quendel-Soft"));
  EXPECT_FALSE(reg.KeyExists(kHkeyLocalMachine, kKey));
  EXPECT_EQ(reg.OpenHandles(), 0);
}

TEST_F(SettingsAccessorTest, OpeningWithoutCreateLeavesAMissingKeyMissing) {
  RecordingRegistry rec(reg);
  settings::SettingsAccessor s(rec);
  EXPECT_FALSE(s.OpenKey(kKey, false));
  EXPECT_EQ(rec.calls.at(0).what, "open");
  EXPECT_EQ(rec.calls.at(0).access, 0xF003Fu);
  EXPECT_FALSE(reg.KeyExists(kHkeyCurrentUser, kKey));
  reg.PutDword(kHkeyCurrentUser, kKey, "Toolbar", 0);
  EXPECT_TRUE(s.OpenKey(kKey, false));
  EXPECT_FALSE(s.GetFlag("Toolbar"));
}

TEST_F(SettingsAccessorTest, SwitchingTheRootClosesTheOpenKey) {
  settings::SettingsAccessor s(reg);
  s.OpenKey(kKey, true);
  EXPECT_EQ(reg.OpenHandles(), 1);
  s.SetRoot(kHkeyLocalMachine);
  EXPECT_EQ(reg.OpenHandles(), 0);
  EXPECT_EQ(ErrorOf([&] { s.SetFlag("Toolbar", true); }), "Failed to set data for 'Toolbar'");
  s.OpenKey(kKey, true);
  s.SetNumber("Where", 2);
  EXPECT_NE(reg.Find(kHkeyLocalMachine, kKey, "Where"), nullptr);
  EXPECT_EQ(reg.Find(kHkeyCurrentUser, kKey, "Where"), nullptr);
}

TEST_F(SettingsAccessorTest, PathsNestUnderTheOpenKeyUnlessTheyStartWithABackslash) {
  RecordingRegistry rec(reg);
  settings::SettingsAccessor s(rec);
  s.OpenKey("Software", true);
  s.OpenKey("Quendel-Soft", true);
  EXPECT_EQ(s.CurrentPath(), "Software\\Quendel-Soft");
  const auto lastCreate = [&] {
    for (auto c = rec.calls.rbegin(); c != rec.calls.rend(); ++c)
      if (c->what == "create") return *c;
    return RecordingRegistry::Call{};
  };
  EXPECT_EQ(lastCreate().arg, "Quendel-Soft");
  EXPECT_NE(lastCreate().key, kHkeyCurrentUser);
  s.OpenKey("\\Software\\Microsoft", true);
  EXPECT_EQ(s.CurrentPath(), "Software\\Microsoft");
  // The system never sees the leading backslash.
  EXPECT_EQ(lastCreate().key, kHkeyCurrentUser);
  EXPECT_EQ(lastCreate().arg, "Software\\Microsoft");
  EXPECT_TRUE(reg.KeyExists(kHkeyCurrentUser, "Software\\Quendel-Soft"));
  EXPECT_FALSE(reg.KeyExists(kHkeyCurrentUser, "Software\\Quendel-Soft\\Software\\Microsoft"));
  EXPECT_EQ(reg.OpenHandles(), 1);
}

TEST_F(SettingsAccessorTest, AFailedOpenLetsGoOfThePreviousKeySoWritesFail) {
  reg.DenyWrites(kHkeyLocalMachine, "SOFTWARE\\Microsoft");
  settings::SettingsAccessor s(reg);
  s.SetRoot(kHkeyLocalMachine);
  s.OpenKey("SOFTWARE\\Other", true);
  EXPECT_FALSE(s.OpenKey("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Nimbul.exe", true));
  EXPECT_EQ(reg.OpenHandles(), 0);
  EXPECT_EQ(ErrorOf([&] { s.SetTextValue("", "C:\\Nimbul.exe"); }), "Failed to set data for ''");
  EXPECT_EQ(ErrorOf([&] { s.SetTextValue("Path", "C:\\"); }), "Failed to set data for 'Path'");
  EXPECT_TRUE(reg.ValueNames(kHkeyLocalMachine, "SOFTWARE\\Other").empty());
  EXPECT_FALSE(s.HasValue("Path"));
  EXPECT_FALSE(s.RemoveValue("Path"));
}

TEST_F(SettingsAccessorTest, AnExistingKeyWithoutWriteRightRefusesFullAccess) {
  reg.PutString(kHkeyLocalMachine, "SOFTWARE\\Locked", "", "x");
  reg.DenyWrites(kHkeyLocalMachine, "SOFTWARE\\Locked");
  settings::SettingsAccessor s(reg);
  s.SetRoot(kHkeyLocalMachine);
  EXPECT_FALSE(s.OpenKey("SOFTWARE\\Locked", true));
  EXPECT_FALSE(s.OpenKey("SOFTWARE\\Locked", false));
  EXPECT_EQ(ErrorOf([&] { s.SetTextValue("", "y"); }), "Failed to set data for ''");
  EXPECT_EQ(reg.Find(kHkeyLocalMachine, "SOFTWARE\\Locked", "")->data, (Bytes{'x', 0}));
}

TEST_F(SettingsAccessorTest, HasValueAsksWithoutADataBuffer) {
  RecordingRegistry rec(reg);
  settings::SettingsAccessor s(rec);
  s.OpenKey(kKey, true);
  EXPECT_FALSE(s.HasValue("Toolbar"));
  reg.Put(kHkeyCurrentUser, kKey, "toolBAR", kRegBinary, {});
  EXPECT_TRUE(s.HasValue("Toolbar"));
  EXPECT_EQ(rec.calls.back().what, "query");
  EXPECT_FALSE(rec.calls.back().withData);
}

TEST_F(SettingsAccessorTest, FlagsAreWrittenAsOneOrZeroAndAnyNonZeroDwordReadsTrue) {
  settings::SettingsAccessor s(reg);
  s.OpenKey(kKey, true);
  s.SetFlag("Toolbar", true);
  s.SetFlag("Status", false);
  EXPECT_EQ(reg.Find(kHkeyCurrentUser, kKey, "Toolbar")->type, kRegDword);
  EXPECT_EQ(reg.Find(kHkeyCurrentUser, kKey, "Toolbar")->data, (Bytes{1, 0, 0, 0}));
  EXPECT_EQ(reg.Find(kHkeyCurrentUser, kKey, "Status")->data, (Bytes{0, 0, 0, 0}));
  EXPECT_TRUE(s.GetFlag("toolbar"));
  EXPECT_FALSE(s.GetFlag("STATUS"));
  reg.PutDword(kHkeyCurrentUser, kKey, "Systray_Min", 7);
  EXPECT_TRUE(s.GetFlag("Systray_min"));
  reg.PutDword(kHkeyCurrentUser, kKey, "High", 0x01000000);
  EXPECT_TRUE(s.GetFlag("High"));
}

TEST_F(SettingsAccessorTest, NumbersAreSignedLittleEndianDwords) {
  settings::SettingsAccessor s(reg);
  s.OpenKey(kKey, true);
  s.SetNumber("SysTrayIcon", 0x01020304);
  EXPECT_EQ(reg.Find(kHkeyCurrentUser, kKey, "SysTrayIcon")->data, (Bytes{4, 3, 2, 1}));
  s.SetNumber("SystrayIcon", -2);
  EXPECT_EQ(reg.Find(kHkeyCurrentUser, kKey, "SysTrayIcon")->data, (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(reg.ValueNames(kHkeyCurrentUser, kKey).size(), 1u);
  EXPECT_EQ(s.GetNumber("SYSTRAYICON"), -2);
  reg.PutDword(kHkeyCurrentUser, kKey, "Big", 0x80000000u);
  EXPECT_EQ(s.GetNumber("Big"), INT32_MIN);
}

TEST_F(SettingsAccessorTest, DwordReadersRefuseOtherTypesAndOtherLengths) {
  settings::SettingsAccessor s(reg);
  s.OpenKey(kKey, true);
  reg.PutString(kHkeyCurrentUser, kKey, "Toolbar", "1");
  EXPECT_EQ(ErrorOf([&] { s.GetFlag("Toolbar"); }), "Invalid data type for 'Toolbar'");
  EXPECT_EQ(ErrorOf([&] { s.GetNumber("Toolbar"); }), "Invalid data type for 'Toolbar'");
  reg.Put(kHkeyCurrentUser, kKey, "Short", kRegDword, {1, 0});
  EXPECT_EQ(ErrorOf([&] { s.GetFlag("Short"); }), "Invalid data type for 'Short'");
  reg.Put(kHkeyCurrentUser, kKey, "Empty", kRegDword, {});
  EXPECT_EQ(ErrorOf([&] { s.GetNumber("Empty"); }), "Invalid data type for 'Empty'");
  reg.Put(kHkeyCurrentUser, kKey, "Long", kRegDword, {1, 0, 0, 0, 0});
  EXPECT_EQ(ErrorOf([&] { s.GetNumber("Long"); }), "Invalid data type for 'Long'");
  reg.Put(kHkeyCurrentUser, kKey, "Bin", kRegBinary, {1, 0, 0, 0});
  EXPECT_EQ(ErrorOf([&] { s.GetFlag("Bin"); }), "Invalid data type for 'Bin'");
}

TEST_F(SettingsAccessorTest, ReadingAMissingValueOrWithNoKeyFailsToGetData) {
  settings::SettingsAccessor s(reg);
  EXPECT_EQ(ErrorOf([&] { s.GetFlag("Toolbar"); }), "Failed to get data for 'Toolbar'");
  EXPECT_EQ(ErrorOf([&] { s.GetTextValue("HKAkt"); }), "Failed to get data for 'HKAkt'");
  s.OpenKey(kKey, true);
  EXPECT_EQ(ErrorOf([&] { s.GetFlag("Toolbar"); }), "Failed to get data for 'Toolbar'");
  EXPECT_EQ(ErrorOf([&] { s.GetNumber("SysTrayIcon"); }), "Failed to get data for 'SysTrayIcon'");
}

TEST_F(SettingsAccessorTest, TextIsWrittenWithOneNulAndReadUpToTheFirstNul) {
  settings::SettingsAccessor s(reg);
  s.OpenKey(kKey, true);
  s.SetTextValue("SystrayToolTip", "Nimbulon by Quendel-Soft!");
  const auto* v = reg.Find(kHkeyCurrentUser, kKey, "SystrayToolTip");
  EXPECT_EQ(v->type, kRegSz);
  EXPECT_EQ(v->data.size(), 26u);
  EXPECT_EQ(v->data.back(), 0);
  EXPECT_EQ(s.GetTextValue("systraytooltip"), "Nimbulon by Quendel-Soft!");
  s.SetTextValue("Empty", "");
  EXPECT_EQ(reg.Find(kHkeyCurrentUser, kKey, "Empty")->data, (Bytes{0}));
  EXPECT_EQ(s.GetTextValue("Empty"), "");
  reg.Put(kHkeyCurrentUser, kKey, "Cut", kRegSz, {'a', 'b', 0, 'c', 0});
  EXPECT_EQ(s.GetTextValue("Cut"), "ab");
  reg.Put(kHkeyCurrentUser, kKey, "Unterminated", kRegSz, {'F', '9'});
  EXPECT_EQ(s.GetTextValue("Unterminated"), "F9");
  reg.Put(kHkeyCurrentUser, kKey, "Expand", kRegExpandSz, {'%', 'X', '%', 0});
  EXPECT_EQ(s.GetTextValue("Expand"), "%X%");
  reg.Put(kHkeyCurrentUser, kKey, "High", kRegSz, {0xE4, 0xFC, 0});
  EXPECT_EQ(s.GetTextValue("High"), "\xE4\xFC");
}

TEST_F(SettingsAccessorTest, AMissingTextReadsEmptyButAWrongTypeFails) {
  settings::SettingsAccessor s(reg);
  s.OpenKey(kKey, true);
  EXPECT_EQ(s.GetTextValue("Nothing"), "");
  EXPECT_FALSE(s.HasValue("Nothing"));
  reg.PutDword(kHkeyCurrentUser, kKey, "HKAkt", 120);
  EXPECT_EQ(ErrorOf([&] { s.GetTextValue("HKAkt"); }), "Invalid data type for 'HKAkt'");
  reg.Put(kHkeyCurrentUser, kKey, "Bin", kRegBinary, {'F', '9', 0});
  EXPECT_EQ(ErrorOf([&] { s.GetTextValue("Bin"); }), "Invalid data type for 'Bin'");
}

TEST_F(SettingsAccessorTest, RemoveValueReportsWhetherItDeleted) {
  settings::SettingsAccessor s(reg);
  s.OpenKey(nimbul::settings::kRunKey, true);
  s.SetTextValue("Nimbulon", "C:\\Tools\\Nimbul.exe /systray");
  EXPECT_TRUE(s.RemoveValue("NIMBULON"));
  EXPECT_FALSE(s.HasValue("Nimbulon"));
  EXPECT_FALSE(s.RemoveValue("Nimbulon"));
}

TEST_F(SettingsAccessorTest, TheDefaultValueHasAnEmptyNameAndDeniedWritesFailWithIt) {
  reg.DenyWrites(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths");
  settings::SettingsAccessor s(reg);
  s.SetRoot(kHkeyLocalMachine);
  EXPECT_FALSE(s.OpenKey(nimbul::settings::kAppPathsKey, true));
  EXPECT_EQ(ErrorOf([&] { s.SetTextValue("", "C:\\Program Files\\Nimbulon\\Nimbul.exe"); }),
            "Failed to set data for ''");
  EXPECT_FALSE(reg.KeyExists(kHkeyLocalMachine, nimbul::settings::kAppPathsKey));
}

TEST_F(SettingsAccessorTest, WritesIntoAKeyDeniedAfterOpeningFailWithTheValueName) {
  settings::SettingsAccessor s(reg);
  s.OpenKey(kKey, true);
  reg.DenyWrites(kHkeyCurrentUser, kKey);
  EXPECT_EQ(ErrorOf([&] { s.SetFlag("Toolbar", true); }), "Failed to set data for 'Toolbar'");
  EXPECT_EQ(ErrorOf([&] { s.SetNumber("SysTrayIcon", 1); }), "Failed to set data for 'SysTrayIcon'");
  EXPECT_FALSE(s.HasValue("Toolbar"));
}

}  // namespace

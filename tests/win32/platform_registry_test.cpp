// The registry service against the real registry, under a scratch key of the
// current user that each test creates and removes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/handle_ids.h"
#include "platform/win32/win32_registry.h"

namespace nimbul::platform::win32 {
namespace {

using Bytes = std::vector<std::uint8_t>;

void DeleteTree(HKEY root, const std::string& path) {
  HKEY key;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char name[256];
  for (;;) {
    DWORD length = sizeof name;
    if (::RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    DeleteTree(key, name);
  }
  ::RegCloseKey(key);
  ::RegDeleteKeyA(root, path.c_str());
}

Bytes Text(const std::string& s) {
  Bytes b(s.begin(), s.end());
  b.push_back(0);
  return b;
}

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = "Software\\NimbulonPlatformTest\\" + std::to_string(::GetCurrentProcessId());
    ASSERT_EQ(reg_.RegCreateKeyExA(kHkeyCurrentUser, base_, kKeyAllAccess, &key_), kErrorSuccess);
  }
  void TearDown() override {
    key_.reset();
    DeleteTree(HKEY_CURRENT_USER, "Software\\NimbulonPlatformTest");
  }
  std::uint32_t ValueCount(Hkey key) {
    DWORD values = 0;
    ::RegQueryInfoKeyA(FromId<HKEY>(key), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                       nullptr, nullptr, nullptr);
    return values;
  }

  Win32Registry reg_;
  std::string base_;
  KeyOwner key_;
};

TEST_F(RegistryTest, KeysAreCreatedOnceAndOpenedWhateverTheLetterCase) {
  KeyOwner created, again, opened;
  ASSERT_EQ(reg_.RegCreateKeyExA(kHkeyCurrentUser, base_ + "\\Quendel\\Nimbul", kKeyAllAccess, &created),
            kErrorSuccess);
  ASSERT_EQ(reg_.RegSetValueExA(created.get(), "Toolbar", kRegDword, {1, 0, 0, 0}), kErrorSuccess);
  // Creating an existing key opens it and keeps its values.
  ASSERT_EQ(reg_.RegCreateKeyExA(kHkeyCurrentUser, base_ + "\\QUENDEL\\NIMBUL", kKeyAllAccess, &again), kErrorSuccess);
  ASSERT_EQ(reg_.RegOpenKeyExA(kHkeyCurrentUser, base_ + "\\quendel\\nimbul", kKeyAllAccess, &opened), kErrorSuccess);
  Bytes data;
  std::uint32_t type = 0;
  EXPECT_EQ(reg_.RegQueryValueExA(again.get(), "Toolbar", &type, &data), kErrorSuccess);
  EXPECT_EQ(reg_.RegQueryValueExA(opened.get(), "Toolbar", &type, &data), kErrorSuccess);
  EXPECT_EQ(type, kRegDword);
  EXPECT_EQ(data, (Bytes{1, 0, 0, 0}));
}

TEST_F(RegistryTest, OpeningAMissingKeyFailsAndCreatesNothing) {
  KeyOwner opened;
  EXPECT_EQ(reg_.RegOpenKeyExA(kHkeyCurrentUser, base_ + "\\Missing", kKeyAllAccess, &opened), kErrorFileNotFound);
  EXPECT_FALSE(opened) << "nothing is handed out on failure";
  EXPECT_EQ(reg_.RegOpenKeyExA(kHkeyCurrentUser, base_ + "\\Missing", kKeyAllAccess, &opened), kErrorFileNotFound);
}

TEST_F(RegistryTest, TypedValuesRoundTripByteForByte) {
  Bytes large(5000);
  for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<std::uint8_t>(i * 7);
  const struct {
    const char* name;
    std::uint32_t type;
    Bytes data;
  } cases[] = {
      {"Number", kRegDword, {0xFE, 0xFF, 0xFF, 0xFF}},
      {"Text", kRegSz, Text("Nimbulon by Quendel-Soft!")},
      {"Expandable", kRegExpandSz, Text("%TEMP%\\x")},
      {"EmptyText", kRegSz, Text("")},
      {"Binary", kRegBinary, {0, 1, 0, 2, 0}},
      {"EmptyBinary", kRegBinary, {}},
      {"Large", kRegBinary, large},
  };
  for (const auto& c : cases)
    ASSERT_EQ(reg_.RegSetValueExA(key_.get(), c.name, c.type, c.data), kErrorSuccess) << c.name;
  for (const auto& c : cases) {
    std::uint32_t type = 0xDEAD;
    Bytes data{9, 9, 9};
    ASSERT_EQ(reg_.RegQueryValueExA(key_.get(), c.name, &type, &data), kErrorSuccess) << c.name;
    EXPECT_EQ(type, c.type) << c.name;
    EXPECT_EQ(data, c.data) << c.name;
  }
}

TEST_F(RegistryTest, ValueNamesCompareWithoutRegardToCase) {
  ASSERT_EQ(reg_.RegSetValueExA(key_.get(), "Systray_Min", kRegDword, {1, 0, 0, 0}), kErrorSuccess);
  ASSERT_EQ(reg_.RegSetValueExA(key_.get(), "SYSTRAY_MIN", kRegDword, {0, 0, 0, 0}), kErrorSuccess);
  EXPECT_EQ(ValueCount(key_.get()), 1u) << "one value under both spellings";
  Bytes data;
  ASSERT_EQ(reg_.RegQueryValueExA(key_.get(), "systray_min", nullptr, &data), kErrorSuccess);
  EXPECT_EQ(data, (Bytes{0, 0, 0, 0}));
  EXPECT_EQ(reg_.RegDeleteValueA(key_.get(), "SysTray_Min"), kErrorSuccess);
  EXPECT_EQ(ValueCount(key_.get()), 0u);
}

TEST_F(RegistryTest, QueryWithoutBufferTellsTypeAndExistenceOnly) {
  ASSERT_EQ(reg_.RegSetValueExA(key_.get(), "SystrayToolTip", kRegSz, Text("tip")), kErrorSuccess);
  std::uint32_t type = 0;
  EXPECT_EQ(reg_.RegQueryValueExA(key_.get(), "SystrayToolTip", &type, nullptr), kErrorSuccess);
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(reg_.RegQueryValueExA(key_.get(), "SystrayToolTip", nullptr, nullptr), kErrorSuccess);

  type = 0xDEAD;
  Bytes untouched{7};
  EXPECT_EQ(reg_.RegQueryValueExA(key_.get(), "Missing", &type, nullptr), kErrorFileNotFound);
  EXPECT_EQ(reg_.RegQueryValueExA(key_.get(), "Missing", &type, &untouched), kErrorFileNotFound);
  EXPECT_EQ(type, 0xDEADu);
  EXPECT_EQ(untouched, Bytes{7});
}

TEST_F(RegistryTest, DeletedValueIsGoneAndASecondDeleteFails) {
  ASSERT_EQ(reg_.RegSetValueExA(key_.get(), "Nimbulon", kRegSz, Text("C:\\Tools\\Nimbul.exe /systray")), kErrorSuccess);
  EXPECT_EQ(reg_.RegDeleteValueA(key_.get(), "Nimbulon"), kErrorSuccess);
  EXPECT_EQ(reg_.RegQueryValueExA(key_.get(), "Nimbulon", nullptr, nullptr), kErrorFileNotFound);
  EXPECT_EQ(reg_.RegDeleteValueA(key_.get(), "Nimbulon"), kErrorFileNotFound);
}

TEST_F(RegistryTest, DefaultValueHasTheEmptyName) {
  ASSERT_EQ(reg_.RegSetValueExA(key_.get(), "", kRegSz, Text("C:\\Tools\\Nimbul.exe")), kErrorSuccess);
  char data[64] = {};
  LONG size = sizeof data;
  HKEY raw;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, base_.c_str(), 0, KEY_READ, &raw), ERROR_SUCCESS);
  EXPECT_EQ(::RegQueryValueA(raw, nullptr, data, &size), ERROR_SUCCESS);
  ::RegCloseKey(raw);
  EXPECT_STREQ(data, "C:\\Tools\\Nimbul.exe");
}

TEST_F(RegistryTest, AccessAskedForIsEnforced) {
  KeyOwner readOnly;
  ASSERT_EQ(reg_.RegOpenKeyExA(kHkeyCurrentUser, base_, KEY_READ, &readOnly), kErrorSuccess);
  EXPECT_EQ(reg_.RegSetValueExA(readOnly.get(), "Status", kRegDword, {1, 0, 0, 0}), kErrorAccessDenied);
  EXPECT_EQ(reg_.RegQueryValueExA(key_.get(), "Status", nullptr, nullptr), kErrorFileNotFound);
}

TEST_F(RegistryTest, RootsAreTheSystemsPredefinedKeys) {
  // A value written through the service is where the system's own HKCU says.
  ASSERT_EQ(reg_.RegSetValueExA(key_.get(), "HKAkt", kRegSz, Text("F9")), kErrorSuccess);
  HKEY raw;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, base_.c_str(), 0, KEY_READ, &raw), ERROR_SUCCESS);
  char text[16] = {};
  DWORD size = sizeof text;
  EXPECT_EQ(::RegQueryValueExA(raw, "HKAkt", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
  ::RegCloseKey(raw);
  EXPECT_STREQ(text, "F9");

  KeyOwner machine;
  EXPECT_EQ(reg_.RegOpenKeyExA(kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion", KEY_READ, &machine),
            kErrorSuccess);
  EXPECT_TRUE(machine);
}

TEST_F(RegistryTest, ClosedKeyIsNoLongerUsable) {
  KeyOwner key;
  ASSERT_EQ(reg_.RegOpenKeyExA(kHkeyCurrentUser, base_, kKeyAllAccess, &key), kErrorSuccess);
  const Hkey closed = key.get();
  key.reset();
  EXPECT_NE(reg_.RegSetValueExA(closed, "Gridcolor", kRegSz, Text("clRed")), kErrorSuccess);
  EXPECT_EQ(reg_.RegQueryValueExA(key_.get(), "Gridcolor", nullptr, nullptr), kErrorFileNotFound);
}

}  // namespace
}  // namespace nimbul::platform::win32

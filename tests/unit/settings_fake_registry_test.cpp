// The fake registry keeps the rules of the real one that the program's
// settings depend on.
#include <gtest/gtest.h>

#include <vector>

#include "platform/fake/fake_desktop.h"

namespace {

using nimbul::platform::Hkey;
using nimbul::platform::kErrorAccessDenied;
using nimbul::platform::kErrorFileNotFound;
using nimbul::platform::kErrorSuccess;
using nimbul::platform::KeyOwner;
using nimbul::platform::kHkeyCurrentUser;
using nimbul::platform::kHkeyLocalMachine;
using nimbul::platform::kKeyAllAccess;
using nimbul::platform::kRegDword;
using nimbul::platform::kRegSz;
using nimbul::platform::fake::FakeRegistry;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kKeyRead = 0x20019;

TEST(SettingsFakeRegistry, KeyAndValueNamesIgnoreCaseAndKeepTheirFirstSpelling) {
  FakeRegistry reg;
  KeyOwner a, b;
  ASSERT_EQ(reg.RegCreateKeyExA(kHkeyCurrentUser, "SOFTWARE\\Quendel-Soft\\NIMBUL", kKeyAllAccess, &a), kErrorSuccess);
  ASSERT_EQ(reg.RegOpenKeyExA(kHkeyCurrentUser, "Software\\Quendel-Soft\\Nimbul", kKeyAllAccess, &b), kErrorSuccess);
  EXPECT_EQ(reg.RegSetValueExA(a.get(), "Systray_Min", kRegDword, {1, 0, 0, 0}), kErrorSuccess);
  EXPECT_EQ(reg.RegSetValueExA(b.get(), "Systray_min", kRegDword, {0, 0, 0, 0}), kErrorSuccess);
  std::uint32_t type = 0;
  Bytes data;
  EXPECT_EQ(reg.RegQueryValueExA(a.get(), "SYSTRAY_MIN", &type, &data), kErrorSuccess);
  EXPECT_EQ(data, (Bytes{0, 0, 0, 0}));
  EXPECT_EQ(reg.ValueNames(kHkeyCurrentUser, "software\\quendel-soft\\nimbul"),
            (std::vector<std::string>{"Systray_Min"}));
  a.reset();
  b.reset();
  EXPECT_EQ(reg.OpenHandles(), 0);
}

TEST(SettingsFakeRegistry, ASubKeyPathWithALeadingBackslashIsRefusedAsTheSystemDoes) {
  FakeRegistry reg;
  KeyOwner k;
  EXPECT_NE(reg.RegCreateKeyExA(kHkeyCurrentUser, "\\Software\\X", kKeyAllAccess, &k), kErrorSuccess);
  EXPECT_FALSE(reg.KeyExists(kHkeyCurrentUser, "Software\\X"));
  reg.PutDword(kHkeyCurrentUser, "Software\\X", "v", 1);
  EXPECT_NE(reg.RegOpenKeyExA(kHkeyCurrentUser, "\\Software\\X", kKeyRead, &k), kErrorSuccess);
  EXPECT_EQ(reg.OpenHandles(), 0);
}

TEST(SettingsFakeRegistry, TheTwoRootsAreKeptApart) {
  FakeRegistry reg;
  reg.PutString(kHkeyLocalMachine, "SOFTWARE\\X", "", "machine");
  KeyOwner k;
  EXPECT_EQ(reg.RegOpenKeyExA(kHkeyCurrentUser, "SOFTWARE\\X", kKeyAllAccess, &k), kErrorFileNotFound);
  EXPECT_EQ(reg.Find(kHkeyCurrentUser, "SOFTWARE\\X", ""), nullptr);
  EXPECT_NE(reg.Find(kHkeyLocalMachine, "software\\x", ""), nullptr);
}

TEST(SettingsFakeRegistry, CreatingAKeyCreatesItsParents) {
  FakeRegistry reg;
  KeyOwner k;
  ASSERT_EQ(reg.RegCreateKeyExA(kHkeyCurrentUser, "A\\B\\C", kKeyAllAccess, &k), kErrorSuccess);
  EXPECT_TRUE(reg.KeyExists(kHkeyCurrentUser, "A"));
  EXPECT_TRUE(reg.KeyExists(kHkeyCurrentUser, "a\\b"));
  KeyOwner parent, child;
  ASSERT_EQ(reg.RegOpenKeyExA(kHkeyCurrentUser, "A", kKeyRead, &parent), kErrorSuccess);
  ASSERT_EQ(reg.RegOpenKeyExA(parent.get(), "b\\c", kKeyRead, &child), kErrorSuccess);
  reg.PutDword(kHkeyCurrentUser, "P\\Q", "v", 1);
  EXPECT_TRUE(reg.KeyExists(kHkeyCurrentUser, "P"));
}

TEST(SettingsFakeRegistry, DeniedKeysRefuseWritesCreationAndFullAccessButAllowReading) {
  FakeRegistry reg;
  reg.PutString(kHkeyLocalMachine, "SOFTWARE\\Locked", "Path", "C:\\");
  reg.DenyWrites(kHkeyLocalMachine, "SOFTWARE\\Locked");
  KeyOwner k;
  EXPECT_EQ(reg.RegCreateKeyExA(kHkeyLocalMachine, "SOFTWARE\\Locked", kKeyAllAccess, &k), kErrorAccessDenied);
  EXPECT_EQ(reg.RegCreateKeyExA(kHkeyLocalMachine, "SOFTWARE\\Locked\\New", kKeyAllAccess, &k), kErrorAccessDenied);
  EXPECT_FALSE(reg.KeyExists(kHkeyLocalMachine, "SOFTWARE\\Locked\\New"));
  EXPECT_EQ(reg.RegOpenKeyExA(kHkeyLocalMachine, "SOFTWARE\\Locked", kKeyAllAccess, &k), kErrorAccessDenied);
  ASSERT_EQ(reg.RegOpenKeyExA(kHkeyLocalMachine, "SOFTWARE\\Locked", kKeyRead, &k), kErrorSuccess);
  std::uint32_t type = 0;
  Bytes data;
  EXPECT_EQ(reg.RegQueryValueExA(k.get(), "path", &type, &data), kErrorSuccess);
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(reg.RegSetValueExA(k.get(), "Path", kRegSz, {'D', 0}), kErrorAccessDenied);
  EXPECT_EQ(reg.RegDeleteValueA(k.get(), "Path"), kErrorAccessDenied);
  EXPECT_EQ(reg.Find(kHkeyLocalMachine, "SOFTWARE\\Locked", "Path")->data, (Bytes{'C', ':', '\\', 0}));
  // Its neighbours are not affected.
  EXPECT_EQ(reg.RegCreateKeyExA(kHkeyLocalMachine, "SOFTWARE\\LockedNot", kKeyAllAccess, &k), kErrorSuccess);
}

TEST(SettingsFakeRegistry, ValuesOfARootAndClosedHandles) {
  FakeRegistry reg;
  EXPECT_EQ(reg.RegSetValueExA(kHkeyCurrentUser, "Top", kRegDword, {1, 0, 0, 0}), kErrorSuccess);
  std::uint32_t type = 0;
  EXPECT_EQ(reg.RegQueryValueExA(kHkeyCurrentUser, "top", &type, nullptr), kErrorSuccess);
  EXPECT_EQ(reg.RegDeleteValueA(kHkeyCurrentUser, "TOP"), kErrorSuccess);
  EXPECT_EQ(reg.RegDeleteValueA(kHkeyCurrentUser, "Top"), kErrorFileNotFound);
  KeyOwner k;
  reg.RegCreateKeyExA(kHkeyCurrentUser, "A", kKeyAllAccess, &k);
  const Hkey closed = k.get();
  k.reset();
  EXPECT_EQ(reg.OpenHandles(), 0);
  EXPECT_NE(reg.RegSetValueExA(closed, "v", kRegDword, {1, 0, 0, 0}), kErrorSuccess);
  EXPECT_NE(reg.RegQueryValueExA(closed, "v", &type, nullptr), kErrorSuccess);
}

}  // namespace

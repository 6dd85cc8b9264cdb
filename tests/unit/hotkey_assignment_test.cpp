// Loading the four global hotkeys from the settings, and the rule that keeps
// two of them from sharing a combination.
#include <gtest/gtest.h>

#include "hotkey_test_desk.h"
#include "base/error.h"

namespace settings = nimbul::settings;
namespace {

using namespace hotkey_test;
using nimbul::hotkeys::HotkeysConflict;
using nimbul::hotkeys::kScCtrl;
using nimbul::hotkeys::kScShift;
using nimbul::platform::kModControl;

class HotkeyAssignment : public ::testing::Test, public Desk {};

TEST_F(HotkeyAssignment, AFreshRegistryGetsTheDefaultsAndTheMenuShowsThem) {
  RefreshHKeys();
  EXPECT_EQ(Stored("HKAkt"), "F9");
  EXPECT_EQ(Stored("KHAFV"), "F8");
  EXPECT_EQ(Stored("AFSM"), "F7");
  EXPECT_EQ(Stored("KHTASK"), "F4");
  EXPECT_EQ(AktivesFensterverstecken1.ShortCutText(), "F9");
  EXPECT_EQ(AlleFensterVerstecken1.ShortCutText(), "F8");
  EXPECT_EQ(AlleFenstersichtbarmachen1.ShortCutText(), "F7");
  EXPECT_EQ(NimbulonzurTaskleiste1.ShortCutText(), "F4");
  EXPECT_EQ(AktivesFensterverstecken1.ShortCut(), 120);
  EXPECT_EQ(NimbulonzurTaskleiste1.ShortCut(), 115);
  EXPECT_EQ(desktop.registry.OpenHandles(), 0);
  // Each press reaches its own component only.
  const unsigned keysInOrder[] = {kF9, kF8, kF7, kF4};
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(PressElsewhere(0, keysInOrder[i]));
    EXPECT_EQ(events[static_cast<std::size_t>(i)], 1) << i;
  }
  EXPECT_EQ(TotalEvents(), 4);
}

TEST_F(HotkeyAssignment, StoredCombinationsReplaceTheBuiltInOnes) {
  Store("HKAkt", "Ctrl+F9");
  Store("KHTASK", "shift+f4");
  RefreshHKeys();
  EXPECT_EQ(HKAkt.ShortCut(), kScCtrl | kF9);
  EXPECT_EQ(AktivesFensterverstecken1.ShortCutText(), "Ctrl+F9");
  EXPECT_EQ(NimbulonzurTaskleiste1.ShortCutText(), "Shift+F4");
  // The stored text itself is left as the user wrote it.
  EXPECT_EQ(Stored("KHTASK"), "shift+f4");
  EXPECT_FALSE(PressElsewhere(0, kF9));
  EXPECT_TRUE(PressElsewhere(kModControl, kF9));
  EXPECT_EQ(events[0], 1);
}

TEST_F(HotkeyAssignment, LowerCaseTextReadsAsTheKey) {
  Store("HKAkt", "f9");
  RefreshHKeys();
  EXPECT_EQ(HKAkt.ShortCut(), kF9);
  EXPECT_EQ(AktivesFensterverstecken1.ShortCutText(), "F9");
  EXPECT_TRUE(PressElsewhere(0, kF9));
  EXPECT_EQ(events[0], 1);
}

TEST_F(HotkeyAssignment, TextNamingNoKeySwitchesThatHotkeyOff) {
  Store("AFSM", "Hyper+Q");
  Store("KHAFV", "");
  RefreshHKeys();
  EXPECT_EQ(AFSM.ShortCut(), 0);
  EXPECT_EQ(AlleFenstersichtbarmachen1.ShortCut(), 0);
  EXPECT_EQ(AlleFenstersichtbarmachen1.ShortCutText(), "");
  EXPECT_EQ(AlleFensterVerstecken1.ShortCutText(), "");
  EXPECT_FALSE(PressElsewhere(0, kF7));
  EXPECT_FALSE(PressElsewhere(0, kF8));
  EXPECT_EQ(TotalEvents(), 0);
  // No message about it, and nothing rewritten.
  EXPECT_TRUE(desktop.wm.boxes.empty());
  EXPECT_EQ(Stored("AFSM"), "Hyper+Q");
}

TEST_F(HotkeyAssignment, RefreshingAgainLeaksNoIdentifiers) {
  for (int i = 0; i < 5; ++i) RefreshHKeys();
  EXPECT_EQ(desktop.hotkeys.AtomRefs(HKAkt.HotKeyId()), 4);
  EXPECT_EQ(desktop.hotkeys.Registrations().size(), 4u);
  for (auto* k : keys) EXPECT_EQ(k->HotKeyId(), HKAkt.HotKeyId());
}

TEST_F(HotkeyAssignment, AnUnreadableValueLeavesTheRemainingHotkeysOff) {
  desktop.registry.PutDword(nimbul::platform::kHkeyCurrentUser, settings::kSettingsKey, "KHAFV", 119);
  try {
    RefreshHKeys();
    FAIL() << "no error";
  } catch (const nimbul::Error& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for 'KHAFV'");
  }
  // Everything was withdrawn first; only the value read before the failure is back.
  EXPECT_TRUE(PressElsewhere(0, kF9));
  EXPECT_FALSE(PressElsewhere(0, kF8));
  EXPECT_FALSE(PressElsewhere(0, kF7));
  EXPECT_FALSE(PressElsewhere(0, kF4));
  EXPECT_EQ(desktop.registry.OpenHandles(), 0);
}

TEST_F(HotkeyAssignment, DuplicatesAndReservedKeysConflict) {
  auto& wm = desktop.wm;
  EXPECT_FALSE(HotkeysConflict({kF9, kF8, kF7, kF4}, wm));
  EXPECT_TRUE(HotkeysConflict({kF9, kF8, kF9, kF4}, wm));
  EXPECT_TRUE(HotkeysConflict({kF9, kF8, kF7, kF9}, wm));
  EXPECT_TRUE(HotkeysConflict({kScCtrl | kF9, kF8, kF7, kScCtrl | kF9}, wm));
  // Two fields without a key read the same empty text.
  EXPECT_TRUE(HotkeysConflict({0, kF8, 0, kF4}, wm));
  EXPECT_FALSE(HotkeysConflict({kF9, 0, kF7, kF4}, wm));
  // A value whose key has no name writes as the empty text too.
  EXPECT_TRUE(HotkeysConflict({kF9, 0, kF7, 0x91}, wm));
  for (unsigned reserved : {kF1, kF1 + 1, kF5})
    for (std::size_t slot = 0; slot < 4; ++slot) {
      std::array<nimbul::hotkeys::TShortCut, 4> values{kF9, kF8, kF7, kF4};
      values[slot] = static_cast<nimbul::hotkeys::TShortCut>(reserved);
      EXPECT_TRUE(HotkeysConflict(values, wm)) << reserved << " in " << slot;
    }
  // Only the bare keys are reserved.
  EXPECT_FALSE(HotkeysConflict({kScShift | kF5, kScCtrl | kF1, kF7, kF4}, wm));
  EXPECT_FALSE(HotkeysConflict({kF1 + 2, kF8, kF7, kF4}, wm));  // F3
}

}  // namespace

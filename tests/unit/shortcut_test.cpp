// The shortcut value's text form in both directions, against the fake
// desktop's keyboard layout.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

#include "hotkeys/shortcut.h"
#include "platform/fake/fake_desktop.h"

namespace {

using nimbul::hotkeys::FormatShortCut;
using nimbul::hotkeys::kScAlt;
using nimbul::hotkeys::kScCtrl;
using nimbul::hotkeys::kScShift;
using nimbul::hotkeys::ParseShortCut;
using nimbul::hotkeys::TShortCut;
using nimbul::platform::fake::FakeWindowManager;

// The fake maps a virtual key to the scan code key + 0x100 when the layout names it.
constexpr unsigned kScanOffset = 0x100;
constexpr unsigned kVkScroll = 0x91;

// Counts how often the layout is asked for each key.
class CountingWindowManager : public FakeWindowManager {
 public:
  unsigned MapVirtualKeyA(unsigned code, unsigned mapType) override {
    ++asked[code];
    return FakeWindowManager::MapVirtualKeyA(code, mapType);
  }
  std::map<unsigned, int> asked;
};

class Shortcut : public ::testing::Test {
 protected:
  std::string Format(unsigned v) { return FormatShortCut(static_cast<TShortCut>(v), wm); }
  TShortCut Parse(const std::string& t) { return ParseShortCut(t, wm); }
  void NameKey(unsigned vk, const std::string& name) { wm.keyNames[vk + kScanOffset] = name; }
  CountingWindowManager wm;
};

TEST_F(Shortcut, EmptyValueAndEmptyTextMeanNoShortcut) {
  EXPECT_EQ(Format(0), "");
  EXPECT_EQ(Parse(""), 0);
  // Modifiers without a key are no shortcut, however many.
  EXPECT_EQ(Parse("Ctrl+"), 0);
  EXPECT_EQ(Parse("Shift+Ctrl+Alt+"), 0);
  EXPECT_EQ(Parse("^"), 0);
  // A key without a name takes its modifiers down with it.
  EXPECT_EQ(Format(kScShift | kScCtrl | kVkScroll), "");
}

TEST_F(Shortcut, ModifiersAreWrittenShiftCtrlAltAndReadInAnyOrderAndCase) {
  EXPECT_EQ(Parse("shift+ctrl+a"), 24641);
  EXPECT_EQ(Format(24641), "Shift+Ctrl+A");
  EXPECT_EQ(Parse("^F9"), 16504);
  EXPECT_EQ(Format(16504), "Ctrl+F9");
  EXPECT_EQ(Format(41072), "Shift+Alt+F1");
  EXPECT_EQ(Format(kScShift | kScCtrl | 0x70), "Shift+Ctrl+F1");
  EXPECT_EQ(Format(16472), "Ctrl+X");
  EXPECT_EQ(Parse("ALT+SHIFT+CTRL+DEL"), kScAlt | kScShift | kScCtrl | 0x2E);
  EXPECT_EQ(Parse("Alt+^x"), kScAlt | kScCtrl | 0x58);
  // A repeated prefix sets its bit again.
  EXPECT_EQ(Parse("Ctrl+Ctrl+^x"), 0x4058);
  // A prefix needs its plus sign and no blank before it.
  EXPECT_EQ(Parse("Ctrl X"), 0);
  EXPECT_EQ(Parse("Ctrl +X"), 0);
}

TEST_F(Shortcut, FixedKeyNames) {
  const std::map<unsigned, std::string> table{
      {0x08, "BkSp"}, {0x09, "Tab"}, {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"}, {0x21, "PgUp"},
      {0x22, "PgDn"}, {0x23, "End"}, {0x24, "Home"},  {0x25, "Left"}, {0x26, "Up"},    {0x27, "Right"},
      {0x28, "Down"}, {0x2D, "Ins"}, {0x2E, "Del"},   {0x30, "0"},    {0x39, "9"},     {0x41, "A"},
      {0x5A, "Z"},    {0x70, "F1"},  {0x78, "F9"},    {0x87, "F24"},
  };
  for (const auto& [vk, name] : table) {
    EXPECT_EQ(Format(vk), name) << vk;
    EXPECT_EQ(Parse(name), vk) << name;
  }
  EXPECT_EQ(Parse("f9"), 120);
  EXPECT_EQ(Parse("F9"), 120);
  EXPECT_EQ(Parse("bksp"), 8);
}

TEST_F(Shortcut, KeypadDigitsReadBackAsMainRowDigits) {
  EXPECT_EQ(Format(0x65), "5");
  EXPECT_EQ(Format(0x60), "0");
  EXPECT_EQ(Format(0x69), "9");
  EXPECT_EQ(Parse("5"), 53);
  EXPECT_EQ(Parse("Ctrl+5"), kScCtrl | 0x35);
}

TEST_F(Shortcut, TextsNamingNoKeyGiveZero) {
  EXPECT_EQ(Parse("F25"), 0);
  EXPECT_EQ(Parse("F0"), 0);
  EXPECT_EQ(Parse("Banana"), 0);
  EXPECT_EQ(Parse("Shift+Banana"), 0);
  EXPECT_EQ(Parse("F9 "), 0);
  EXPECT_EQ(Parse(std::string("F9\0", 3)), 0);
}

TEST_F(Shortcut, OtherKeysUseTheLayoutsNames) {
  NameKey(kVkScroll, "Scroll Lock");
  EXPECT_EQ(Format(kVkScroll), "Scroll Lock");
  EXPECT_EQ(Format(kScCtrl | kVkScroll), "Ctrl+Scroll Lock");
  EXPECT_EQ(Parse("scroll lock"), kVkScroll);
  EXPECT_EQ(Parse("Alt+Scroll Lock"), kScAlt | kVkScroll);
  // A layout that calls some key F25 makes that text a key.
  NameKey(0x88, "F25");
  EXPECT_EQ(Parse("F25"), 0x88);
  // The fixed table wins over the layout for the keys it names.
  NameKey(0x78, "Layout F9");
  EXPECT_EQ(Format(0x78), "F9");
  EXPECT_EQ(Parse("Layout F9"), 0);
}

TEST_F(Shortcut, TheFirstCodeWithTheNameWins) {
  NameKey(0xBA, "Dup");
  NameKey(0xBB, "Dup");
  EXPECT_EQ(Parse("dup"), 0xBA);
}

TEST_F(Shortcut, OnlyTheLowByteIsTheKey) {
  // Bits 8 to 12 never carry a key: the text ignores them.
  EXPECT_EQ(Format(0x0130), "0");
  EXPECT_EQ(Format(kScCtrl | 0x1F78), "Ctrl+F9");
  // Codes above 255 stand for their low byte, so a key that only the
  // layout names below code 8 reads back without stray bits.
  NameKey(0x03, "Break");
  EXPECT_EQ(Format(0x03), "Break");
  EXPECT_EQ(Parse("Break"), 0x03);
  EXPECT_EQ(Parse("Shift+Break"), kScShift | 0x03);
}

TEST_F(Shortcut, AParseAsksTheLayoutOncePerKey) {
  NameKey(kVkScroll, "Scroll Lock");
  EXPECT_EQ(Parse("no such key"), 0);
  EXPECT_FALSE(wm.asked.empty());
  EXPECT_LE(wm.asked.size(), 256u);
  for (const auto& [code, count] : wm.asked) {
    EXPECT_LT(code, 256u);
    EXPECT_EQ(count, 1) << code;
  }
}

TEST_F(Shortcut, FuzzRandomTextsGiveSaneValues) {
  NameKey(kVkScroll, "Scroll Lock");
  NameKey(0x03, "Break");
  const std::string pieces[] = {"Shift+", "shift+", "^", "Ctrl+", "ALT+", "alt",         "+", "F",     "f", "1",
                                "2",      "5",      "9", "x",     "Del",  "Scroll Lock", " ", "Break", ""};
  std::mt19937 rng(20261208);
  std::uniform_int_distribution<int> count(0, 5), piece(0, static_cast<int>(std::size(pieces)) - 1), byte(0, 255),
      coin(0, 3);
  for (int i = 0; i < 5000; ++i) {
    std::string text;
    for (int n = count(rng); n > 0; --n) {
      if (coin(rng) == 0)
        text += static_cast<char>(byte(rng));
      else
        text += pieces[piece(rng)];
    }
    TShortCut v = Parse(text);
    EXPECT_EQ(v & 0x1F00, 0) << text;
    if (v != 0) {
      EXPECT_NE(v & 0xFF, 0) << text;
      // Whatever reads as a key writes as a text that reads the same.
      std::string canonical = Format(v);
      EXPECT_EQ(Parse(canonical), v) << text << " -> " << canonical;
    }
  }
}

TEST_F(Shortcut, EveryNamedValueSurvivesTheRoundTrip) {
  NameKey(kVkScroll, "Scroll Lock");
  // Layout names that begin like a modifier.
  NameKey(0xDC, "^");
  NameKey(0xE2, "Shift+Lock");
  int checked = 0;
  for (unsigned v = 0; v <= 0xFFFF; ++v) {
    if (v & 0x1F00) continue;
    std::string text = Format(v);
    if (text.empty()) continue;
    unsigned key = v & 0xFF;
    unsigned expected = key >= 0x60 && key <= 0x69 ? v - 0x30 : v;
    ASSERT_EQ(Parse(text), expected) << text;
    ++checked;
  }
  // 8 modifier combinations of 15 named keys, 10 + 10 digits, 26 letters, 24 F keys and 3 layout names.
  EXPECT_EQ(checked, 8 * (15 + 20 + 26 + 24 + 3));
}

}  // namespace

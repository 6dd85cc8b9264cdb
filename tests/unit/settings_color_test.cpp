// The stored colour form and the settings readers built on the accessor.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "error_of.h"
#include "settings/color_text.h"
#include "settings/settings_layout.h"
#include "platform/fake/fake_desktop.h"
#include "base/error.h"

namespace settings = nimbul::settings;
namespace {

using nimbul::testing::ErrorOf;

using nimbul::platform::kHkeyCurrentUser;
using nimbul::platform::fake::FakeRegistry;
using nimbul::settings::ColorToText;
using nimbul::settings::SettingsAccessor;
using nimbul::settings::TextToColor;

constexpr const char* kKey = "Software\\Quendel-Soft\\Nimbul";
constexpr std::uint32_t kPureRed = 0x000000FF;

std::string ColorError(const std::string& text) {
  try {
    settings::TextToColor(text);
  } catch (const nimbul::Error& e) {
    return e.what();
  }
  return "no error";
}

struct Named {
  const char* name;
  std::uint32_t value;
};

// Written out from the colour table, independently of the program's copy.
const std::vector<Named> kTable = {
    {"clBlack", 0x00000000},         {"clMaroon", 0x00000080},
    {"clGreen", 0x00008000},         {"clOlive", 0x00008080},
    {"clNavy", 0x00800000},          {"clPurple", 0x00800080},
    {"clTeal", 0x00808000},          {"clGray", 0x00808080},
    {"clSilver", 0x00C0C0C0},        {"clRed", 0x000000FF},
    {"clLime", 0x0000FF00},          {"clYellow", 0x0000FFFF},
    {"clBlue", 0x00FF0000},          {"clFuchsia", 0x00FF00FF},
    {"clAqua", 0x00FFFF00},          {"clWhite", 0x00FFFFFF},
    {"clScrollBar", 0x80000000},     {"clBackground", 0x80000001},
    {"clActiveCaption", 0x80000002}, {"clInactiveCaption", 0x80000003},
    {"clMenu", 0x80000004},          {"clWindow", 0x80000005},
    {"clWindowFrame", 0x80000006},   {"clMenuText", 0x80000007},
    {"clWindowText", 0x80000008},    {"clCaptionText", 0x80000009},
    {"clActiveBorder", 0x8000000A},  {"clInactiveBorder", 0x8000000B},
    {"clAppWorkSpace", 0x8000000C},  {"clHighlight", 0x8000000D},
    {"clHighlightText", 0x8000000E}, {"clBtnFace", 0x8000000F},
    {"clBtnShadow", 0x80000010},     {"clGrayText", 0x80000011},
    {"clBtnText", 0x80000012},       {"clInactiveCaptionText", 0x80000013},
    {"clBtnHighlight", 0x80000014},  {"cl3DDkShadow", 0x80000015},
    {"cl3DLight", 0x80000016},       {"clInfoText", 0x80000017},
    {"clInfoBk", 0x80000018},        {"clNone", 0x1FFFFFFF},
};

TEST(ColorText, EveryNamedColourIsWrittenByNameAndReadBackInAnyCase) {
  ASSERT_EQ(kTable.size(), 42u);
  for (const Named& c : kTable) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(settings::ColorToText(c.value), c.name);
    EXPECT_EQ(settings::TextToColor(c.name), c.value);
    std::string upper, lower;
    for (const char* p = c.name; *p; ++p) {
      upper += static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
      lower += static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
    }
    EXPECT_EQ(settings::TextToColor(upper), c.value);
    EXPECT_EQ(settings::TextToColor(lower), c.value);
  }
}

TEST(ColorText, ColoursWithoutANameAreWrittenAsDollarAndEightUpperCaseDigits) {
  EXPECT_EQ(settings::ColorToText(0x00C08000), "$00C08000");
  EXPECT_EQ(settings::ColorToText(0x00000001), "$00000001");
  EXPECT_EQ(settings::ColorToText(0x80000019), "$80000019");
  EXPECT_EQ(settings::ColorToText(0xFFFFFFFF), "$FFFFFFFF");
  EXPECT_EQ(settings::ColorToText(0x00abcdef), "$00ABCDEF");
  for (std::uint32_t v : {0x00C08000u, 0x12345678u, 0xFFFFFFFFu, 0x80000019u})
    EXPECT_EQ(settings::TextToColor(settings::ColorToText(v)), v);
}

TEST(ColorText, IntegerTextsAreDecimalOrDollarHexadecimal) {
  EXPECT_EQ(settings::TextToColor("255"), kPureRed);
  EXPECT_EQ(settings::TextToColor("$000000FF"), kPureRed);
  EXPECT_EQ(settings::TextToColor("$ff"), kPureRed);
  EXPECT_EQ(settings::TextToColor("+255"), kPureRed);
  EXPECT_EQ(settings::TextToColor("000255"), kPureRed);
  EXPECT_EQ(settings::TextToColor("0"), 0u);
  EXPECT_EQ(settings::TextToColor("-1"), 0xFFFFFFFFu);
  EXPECT_EQ(settings::TextToColor("2147483647"), 0x7FFFFFFFu);
  EXPECT_EQ(settings::TextToColor("-2147483648"), 0x80000000u);
  EXPECT_EQ(settings::TextToColor("-2147483643"), 0x80000005u);
  EXPECT_EQ(settings::TextToColor("$FFFFFFFF"), 0xFFFFFFFFu);
  EXPECT_EQ(settings::TextToColor("$0"), 0u);
}

TEST(ColorText, AnythingElseIsNotAValidIntegerValue) {
  EXPECT_EQ(ColorError("Gelb"), "'Gelb' is not a valid integer value");
  EXPECT_EQ(ColorError(""), "'' is not a valid integer value");
  for (const char* bad : {"clRedd",
                          "clRe",
                          "cl",
                          "red",
                          "$",
                          "$1FFFFFFFF",
                          "$000000000",
                          "$12G4",
                          "2147483648",
                          "-2147483649",
                          "99999999999999999999",
                          "-",
                          "+",
                          "+-1",
                          "1-",
                          "0x10",
                          "$-1",
                          "-$1",
                          " 255",
                          "255 ",
                          "25 5",
                          "\t1",
                          "1e3",
                          "1.0",
                          "clRed ",
                          " clRed",
                          "%s",
                          "\xFF"}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(ColorError(bad), std::string("'") + bad + "' is not a valid integer value");
  }
}

class SettingsLayoutTest : public ::testing::Test {
 protected:
  SettingsLayoutTest() { s.OpenKey(kKey, true); }
  std::string Stored(const char* name) const {
    const auto* v = reg.Find(kHkeyCurrentUser, kKey, name);
    return v ? std::string(v->data.begin(), v->data.end()) : "<missing>";
  }

  FakeRegistry reg;
  settings::SettingsAccessor s{reg};
};

TEST_F(SettingsLayoutTest, GridcolorStoredInAnyAcceptedFormReadsPureRed) {
  for (const char* text : {"clRed", "CLRED", "255", "$000000FF"}) {
    SCOPED_TRACE(text);
    reg.PutString(kHkeyCurrentUser, kKey, "Gridcolor", text);
    EXPECT_EQ(nimbul::settings::EnsureColor(s, settings::Gridcolor), kPureRed);
    EXPECT_EQ(Stored("Gridcolor"), std::string(text) + '\0');
  }
  nimbul::settings::WriteColor(s, settings::Gridcolor, kPureRed);
  EXPECT_EQ(Stored("Gridcolor"), std::string("clRed") + '\0');
  nimbul::settings::WriteColor(s, settings::GridFontcolor, 0x00C08000);
  EXPECT_EQ(Stored("GridFontcolor"), std::string("$00C08000") + '\0');
}

TEST_F(SettingsLayoutTest, AColourTextThatIsNeitherNameNorNumberFailsWithThatText) {
  reg.PutString(kHkeyCurrentUser, kKey, "GRIDCOLOR", "Himmelblau");
  EXPECT_EQ(ErrorOf([&] { nimbul::settings::EnsureColor(s, settings::Gridcolor); }),
            "'Himmelblau' is not a valid integer value");
}

TEST_F(SettingsLayoutTest, MissingValuesGetTheirDefaultsWrittenWithTheirKinds) {
  EXPECT_TRUE(nimbul::settings::EnsureFlag(s, settings::SystrayMin));
  EXPECT_TRUE(nimbul::settings::EnsureFlag(s, settings::Toolbar));
  EXPECT_TRUE(nimbul::settings::EnsureFlag(s, settings::Status));
  EXPECT_EQ(nimbul::settings::EnsureColor(s, settings::Gridcolor), 0x80000005u);
  EXPECT_EQ(nimbul::settings::EnsureColor(s, settings::GridFontcolor), 0x80000008u);
  EXPECT_TRUE(nimbul::settings::EnsureFlag(s, settings::EMailanzeigen));
  EXPECT_EQ(nimbul::settings::EnsureNumber(s, settings::SysTrayIcon), 0);
  EXPECT_EQ(nimbul::settings::EnsureText(s, settings::SystrayToolTip), "Nimbulon by Quendel-Soft!");
  EXPECT_EQ(nimbul::settings::EnsureText(s, settings::HKAkt), "F9");
  EXPECT_EQ(nimbul::settings::EnsureText(s, settings::KHAFV), "F8");
  EXPECT_EQ(nimbul::settings::EnsureText(s, settings::AFSM), "F7");
  EXPECT_EQ(nimbul::settings::EnsureText(s, settings::KHTASK), "F4");

  using nimbul::platform::kRegDword;
  using nimbul::platform::kRegSz;
  const auto* toolbar = reg.Find(kHkeyCurrentUser, kKey, "Toolbar");
  ASSERT_NE(toolbar, nullptr);
  EXPECT_EQ(toolbar->type, kRegDword);
  EXPECT_EQ(toolbar->data, (std::vector<std::uint8_t>{1, 0, 0, 0}));
  const auto* icon = reg.Find(kHkeyCurrentUser, kKey, "SysTrayIcon");
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->type, kRegDword);
  EXPECT_EQ(icon->data, (std::vector<std::uint8_t>{0, 0, 0, 0}));
  EXPECT_EQ(reg.Find(kHkeyCurrentUser, kKey, "Gridcolor")->type, kRegSz);
  EXPECT_EQ(Stored("Gridcolor"), std::string("clWindow") + '\0');
  EXPECT_EQ(Stored("GridFontcolor"), std::string("clWindowText") + '\0');
  EXPECT_EQ(Stored("HKAkt"), std::string("F9") + '\0');
  EXPECT_EQ(reg.ValueNames(kHkeyCurrentUser, kKey).size(), 12u);
  EXPECT_EQ(Stored("Strg_alt_entf"), "<missing>");
  EXPECT_EQ(Stored("SchonXgestartet"), "<missing>");
}

TEST_F(SettingsLayoutTest, PresentValuesAreReadAsTheyAreAndNotRewritten) {
  reg.PutDword(kHkeyCurrentUser, kKey, "toolbar", 0);
  reg.PutDword(kHkeyCurrentUser, kKey, "Systray_min", 7);
  reg.PutString(kHkeyCurrentUser, kKey, "HKAKT", "Ctrl+F9");
  reg.PutDword(kHkeyCurrentUser, kKey, "SystrayIcon", 3);
  EXPECT_FALSE(nimbul::settings::EnsureFlag(s, settings::Toolbar));
  EXPECT_TRUE(nimbul::settings::EnsureFlag(s, settings::SystrayMin));
  EXPECT_EQ(nimbul::settings::EnsureText(s, settings::HKAkt), "Ctrl+F9");
  EXPECT_EQ(nimbul::settings::EnsureNumber(s, settings::SysTrayIcon), 3);
  EXPECT_EQ(reg.Find(kHkeyCurrentUser, kKey, "Systray_Min")->data, (std::vector<std::uint8_t>{7, 0, 0, 0}));
  EXPECT_EQ(reg.ValueNames(kHkeyCurrentUser, kKey).size(), 4u);
}

TEST_F(SettingsLayoutTest, EnsureDefaultWritesOnlyWhatIsMissing) {
  reg.PutString(kHkeyCurrentUser, kKey, "Toolbar", "1");
  nimbul::settings::EnsureDefault(s, settings::Toolbar);
  nimbul::settings::EnsureDefault(s, settings::StrgAltEntf);
  nimbul::settings::EnsureDefault(s, settings::SchonXgestartet);
  EXPECT_EQ(Stored("Toolbar"), std::string("1") + '\0');
  EXPECT_EQ(reg.Find(kHkeyCurrentUser, kKey, "Strg_alt_entf")->data, (std::vector<std::uint8_t>{0, 0, 0, 0}));
  EXPECT_EQ(reg.Find(kHkeyCurrentUser, kKey, "SchonXgestartet")->data, (std::vector<std::uint8_t>{1, 0, 0, 0}));
  EXPECT_EQ(ErrorOf([&] { nimbul::settings::EnsureFlag(s, settings::Toolbar); }), "Invalid data type for 'Toolbar'");
}

TEST_F(SettingsLayoutTest, WithoutAWritableKeyTheDefaultCannotBeWritten) {
  s.CloseKey();
  EXPECT_EQ(ErrorOf([&] { nimbul::settings::EnsureFlag(s, settings::Toolbar); }), "Failed to set data for 'Toolbar'");
  EXPECT_EQ(ErrorOf([&] { nimbul::settings::EnsureColor(s, settings::Gridcolor); }),
            "Failed to set data for 'Gridcolor'");
  EXPECT_EQ(ErrorOf([&] { nimbul::settings::WriteColor(s, settings::Gridcolor, kPureRed); }),
            "Failed to set data for 'Gridcolor'");
}

}  // namespace

// Random bytes and random types through the readers: nothing crashes, nothing
// is read out of bounds (the sanitizers watch), and the only failures are the
// four texts the program shows.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "settings/color_text.h"
#include "settings/settings_layout.h"
#include "platform/fake/fake_desktop.h"
#include "base/error.h"

namespace settings = nimbul::settings;
namespace {

using nimbul::platform::kHkeyCurrentUser;
using Bytes = std::vector<std::uint8_t>;

constexpr const char* kKey = "Software\\Quendel-Soft\\Nimbul";
constexpr int kCases = 4000;

// Whether `text` is one of the four failures, for the value `name` or the
// stored text `stored`.
bool IsKnownFailure(const std::string& text, const std::string& name, const std::string& stored) {
  return text == "Failed to set data for '" + name + "'" || text == "Failed to get data for '" + name + "'" ||
         text == "Invalid data type for '" + name + "'" || text == "'" + stored + "' is not a valid integer value";
}

class SettingsFuzz : public ::testing::Test {
 protected:
  std::mt19937 rng{20261208};

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

  // Mostly texts close to valid ones, so the parser's edges get exercised.
  std::string RandomText() {
    static const char* const kSeeds[] = {"clRed", "CLWINDOW",   "cl3DLight",   "$",  "$000000FF", "255", "-",
                                         "+",     "2147483647", "-2147483648", "0x", "clNone",    ""};
    static const char kAlphabet[] = "0123456789abcdefABCDEF$+-xXcl \t%s.\xFF\x80";
    std::string text = Pick(2) ? kSeeds[Pick(sizeof kSeeds / sizeof *kSeeds)] : "";
    for (int n = Pick(12); n > 0; --n) {
      // No NUL: a stored text is cut there before it is ever parsed.
      const char c = Pick(4) ? kAlphabet[Pick(sizeof kAlphabet - 1)] : static_cast<char>(1 + Pick(255));
      const int op = text.empty() ? 0 : Pick(3);
      const std::size_t at = text.empty() ? 0 : static_cast<std::size_t>(Pick(static_cast<int>(text.size())));
      if (op == 0)
        text.insert(at, 1, c);
      else if (op == 1)
        text[at] = c;
      else
        text.erase(at, 1);
    }
    return text;
  }

  Bytes RandomBytes() {
    Bytes data(static_cast<std::size_t>(Pick(10)));
    for (auto& b : data) b = static_cast<std::uint8_t>(Pick(4) ? Pick(256) : 0);
    if (Pick(3) == 0) {
      const std::string t = RandomText();
      data.assign(t.begin(), t.end());
      if (Pick(2)) data.push_back(0);
    }
    return data;
  }

  std::uint32_t RandomType() {
    static const std::uint32_t kTypes[] = {0, 1, 2, 3, 4, 5, 7, 11, 0xFFFFFFFFu};
    return kTypes[Pick(sizeof kTypes / sizeof *kTypes)];
  }
};

TEST_F(SettingsFuzz, ColourParsingOfRandomTextsFailsOnlyWithTheIntegerMessage) {
  int accepted = 0;
  for (int i = 0; i < kCases; ++i) {
    const std::string text = RandomText();
    try {
      const std::uint32_t v = nimbul::settings::TextToColor(text);
      ++accepted;
      // Whatever was accepted is written in a form that reads back the same.
      EXPECT_EQ(nimbul::settings::TextToColor(nimbul::settings::ColorToText(v)), v) << text;
    } catch (const nimbul::Error& e) {
      EXPECT_EQ(e.what(), "'" + text + "' is not a valid integer value");
    }
  }
  // The generator reaches both sides of the parser.
  EXPECT_GT(accepted, kCases / 20);
  EXPECT_LT(accepted, kCases - kCases / 20);
}

TEST_F(SettingsFuzz, ReadingRandomValuesOfRandomTypesFailsOnlyWithTheKnownTexts) {
  nimbul::platform::fake::FakeRegistry reg;
  const nimbul::settings::SettingValue* const kValues[] = {&nimbul::settings::Toolbar, &nimbul::settings::SysTrayIcon,
                                                           &nimbul::settings::SystrayToolTip,
                                                           &nimbul::settings::Gridcolor};
  int failures = 0;
  for (int i = 0; i < kCases; ++i) {
    const auto& v = *kValues[Pick(4)];
    const std::uint32_t type = RandomType();
    const Bytes data = RandomBytes();
    reg.Put(kHkeyCurrentUser, kKey, v.name, type, data);
    nimbul::settings::SettingsAccessor s(reg);
    s.OpenKey(kKey, true);
    const std::string raw(data.begin(), data.end());
    const std::string stored = raw.substr(0, raw.find('\0'));
    try {
      switch (Pick(5)) {
        case 0:
          EXPECT_EQ(s.GetFlag(v.name), data != Bytes(4, 0));
          EXPECT_EQ(type, nimbul::platform::kRegDword);
          break;
        case 1:
          s.GetNumber(v.name);
          EXPECT_EQ(data.size(), 4u);
          break;
        case 2: EXPECT_EQ(s.GetTextValue(v.name), stored); break;
        case 3:
          nimbul::settings::EnsureColor(s, v);
          EXPECT_TRUE(type == nimbul::platform::kRegSz || type == nimbul::platform::kRegExpandSz);
          break;
        default:
          EXPECT_TRUE(s.HasValue(v.name));
          s.RemoveValue(v.name);
          EXPECT_FALSE(s.HasValue(v.name));
          break;
      }
    } catch (const nimbul::Error& e) {
      ++failures;
      EXPECT_TRUE(IsKnownFailure(e.what(), v.name, stored)) << e.what();
    }
  }
  EXPECT_GT(failures, 0);
  EXPECT_EQ(reg.OpenHandles(), 0);
}

}  // namespace

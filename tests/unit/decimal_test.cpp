// The one decimal reader under journal records, HTTP lengths, colours and versions.
#include <gtest/gtest.h>

#include "base/decimal.h"

namespace nimbul::base {
namespace {

TEST(Decimal, TakesWholeTextsOfDigitsWithASignOnlyWhereAllowed) {
  struct Case {
    const char* text;
    std::optional<std::int64_t> refused, allowed;  // with Sign::Refused, Sign::Allowed
  };
  const Case cases[] = {
      {"0", 0, 0},
      {"007", 7, 7},
      {"4294967295", 4294967295, 4294967295},
      {"-4294967295", std::nullopt, -4294967295},
      {"+12", std::nullopt, 12},
      {"4294967296", std::nullopt, std::nullopt},
      {"00000000000000000000042", 42, 42},
      {"99999999999999999999999", std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseDecimal(c.text), c.refused);
    EXPECT_EQ(ParseDecimal(c.text, Sign::Allowed), c.allowed);
  }
  for (const char* bad : {"", "-", "+", "+-1", "--1", "1-", " 1", "1 ", "1.0", "0x10", "1e3", "\xB9"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(ParseDecimal(bad, Sign::Allowed));
  }
}

}  // namespace
}  // namespace nimbul::base

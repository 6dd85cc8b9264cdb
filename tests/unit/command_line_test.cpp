#include <gtest/gtest.h>

#include <random>

#include "app/command_line.h"

namespace nimbul::app {
namespace {

TEST(CommandTail, SkipsTheProgramPathQuotedOrNot) {
  EXPECT_EQ(CommandTail("C:\\Tools\\Nimbul.exe /systray"), "/systray");
  EXPECT_EQ(CommandTail("\"C:\\Program Files\\Nimbul.exe\"  /systray x"), "/systray x");
  EXPECT_EQ(CommandTail("\"C:\\Program Files\\Nimbul.exe\""), "");
  EXPECT_EQ(CommandTail("  Nimbul.exe\t\"/upgedatet"), "\"/upgedatet");
  EXPECT_EQ(CommandTail(""), "");
  EXPECT_EQ(CommandTail("\"unterminated path with blanks"), "");
}

TEST(FirstParameter, BlanksSeparateQuotesGroupAndAreDropped) {
  const struct {
    const char* tail;
    const char* first;
  } cases[] = {
      {"\"/upgedatet", "/upgedatet"},  // a lone quote reaches to the end of the line
      {"/SYSTRAY second", "/SYSTRAY"},
      {"  \t\x01/systray\x1f x", "/systray"},  // every code up to 32 is a blank
      {"\"a b\"c d", "a bc"},
      {"x\"y z\"w", "xy zw"},
      {"\"two words", "two words"},
      {"\"\" second", ""},
      {"", ""},
      {"   ", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FirstParameter(c.tail), c.first) << c.tail;
}

TEST(FirstParameter, RandomTailsNeverKeepQuotesOrOutgrowTheirInput) {
  std::mt19937 random(13);
  const std::string alphabet = "\" \t\x01/aZ7\xff";
  for (int i = 0; i < 5000; ++i) {
    std::string tail(random() % 24, ' ');
    for (char& c : tail) c = alphabet[random() % alphabet.size()];
    const std::string first = FirstParameter(tail);
    EXPECT_EQ(first.find('"'), std::string::npos) << tail;
    EXPECT_LE(first.size(), tail.size());
  }
}

TEST(StartSwitch, AnyLetterCaseWithOrWithoutOneSlash) {
  const struct {
    const char* parameter;
    StartSwitch expected;
  } cases[] = {
      {"/systray", StartSwitch::Systray},
      {"SYSTRAY", StartSwitch::Systray},
      {"sysTray", StartSwitch::Systray},
      {"/7k52r", StartSwitch::ToggleSystemHotkeys},
      {"7K52R", StartSwitch::ToggleSystemHotkeys},
      {"/QuOrM", StartSwitch::Credits},
      {"quorm", StartSwitch::Credits},
      {"/UPGEDATET", StartSwitch::Updated},
      {"upgedatet", StartSwitch::Updated},
      {"//systray", StartSwitch::None},
      {"systray2", StartSwitch::None},
      {"2QUORM", StartSwitch::None},
      {"C:\\notes.txt", StartSwitch::None},
      {"", StartSwitch::None},
      {"/", StartSwitch::None},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseStartSwitch(c.parameter), c.expected) << c.parameter;
}

}  // namespace
}  // namespace nimbul::app

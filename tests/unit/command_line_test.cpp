#include <gtest/gtest.h>

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

}  // namespace
}  // namespace nimbul::app

#include <gtest/gtest.h>

#include "ui/application.h"

TEST(ErrorBox, AppendsFullStopOnlyAfterCharactersSortingAfterIt) {
  using nimbul::ui::ErrorBoxText;
  EXPECT_EQ(ErrorBoxText("Invalid data type for 'Toolbar'"), "Invalid data type for 'Toolbar'");
  EXPECT_EQ(ErrorBoxText("Something failed"), "Something failed.");
  EXPECT_EQ(ErrorBoxText("Done."), "Done.");
  EXPECT_EQ(ErrorBoxText("Oops!"), "Oops!");
  EXPECT_EQ(ErrorBoxText(""), "");
}

// The list colours dialog, opened from the main window's "Colors".
#include <gtest/gtest.h>

#include <functional>

#include "main_window_fixture.h"
#include "windows/colors_dialog.h"

namespace nimbul::windows {
namespace {

constexpr ui::Color kRed = 0x000000FF;
constexpr ui::Color kCustom = 0x00C08000;  // blue 0xC0, green 0x80, red 0x00

class ColorsDialog : public testing::MainWindowTest {
 protected:
  TForm8* dialog = nullptr;

  void SetUp() override {
    MainWindowTest::SetUp();
    dialog = &app.CreateForm<TForm8>();
    dialog->SetHost(main, &main->StringGrid1, &main->StringGrid2);
    app::MainWindowPeers peers;
    peers.colors = dialog;
    main->SetPeers(peers);
  }
  void Open() { main->Farben1.Click(); }
  // The user picks `c` in the colour dialog (or cancels it when nothing is given).
  void UserPicks(std::optional<std::uint32_t> c) {
    desktop.colorDialogs.user = [c](std::uint32_t* rgb, platform::CustomColors*) {
      if (c) *rgb = *c;
      return c.has_value();
    };
  }
  std::string Stored(const char* name) {
    auto* v = desktop.registry.Find(platform::kHkeyCurrentUser, settings::kSettingsKey, name);
    return v ? std::string(v->data.begin(), v->data.end() - 1) : "(none)";
  }
  std::pair<ui::Color, ui::Color> Lists() {
    EXPECT_EQ(main->StringGrid1.BackColor(), main->StringGrid2.BackColor());
    EXPECT_EQ(main->StringGrid1.FontColor(), main->StringGrid2.FontColor());
    return {main->StringGrid1.BackColor(), main->StringGrid1.FontColor()};
  }
};

TEST_F(ColorsDialog, OpensOnTheStoredColoursOverADisabledMainWindow) {
  Open();
  EXPECT_TRUE(dialog->Visible());
  EXPECT_FALSE(main->Enabled());
  EXPECT_EQ(dialog->Panel1.FillColor(), ui::kClWindow);
  EXPECT_EQ(dialog->Panel2.FillColor(), ui::kClWindowText);
  EXPECT_EQ(Stored("Gridcolor"), "clWindow");
  EXPECT_EQ(Stored("GridFontcolor"), "clWindowText");
  EXPECT_EQ(dialog->PageControl1.ActivePageIndex(), 0);
  dialog->SystemCloseRequest();
  EXPECT_TRUE(main->Enabled());
}

TEST_F(ColorsDialog, EachWayOutLeavesListsAndSettingsAsTheUserExpects) {
  enum class Way { Ok, Cancel, Esc, CloseBox };
  const struct {
    const char* name;
    std::function<void(TForm8&)> edit;
    Way way;
    std::string storedBack, storedText;
    ui::Color listBack, listText;
  } cases[] = {
      {"red background, OK",
       [&](TForm8& d) {
         UserPicks(kRed);
         d.Panel1.Click();
       },
       Way::Ok, "clRed", "clWindowText", kRed, ui::kClWindowText},
      {"custom text colour, OK",
       [&](TForm8& d) {
         UserPicks(kCustom);
         d.Panel2.Click();
       },
       Way::Ok, "clRed", "$00C08000", kRed, kCustom},
      {"defaults, OK",
       [&](TForm8& d) {
         d.BitBtn1.Click();
         d.BitBtn2.Click();
       },
       Way::Ok, "clWindow", "clWindowText", ui::kClWindow, ui::kClWindowText},
      {"pick, Cancel",
       [&](TForm8& d) {
         UserPicks(kRed);
         d.Panel1.Click();
       },
       Way::Cancel, "clWindow", "clWindowText", ui::kClWindow, ui::kClWindowText},
      {"pick, Esc",
       [&](TForm8& d) {
         UserPicks(kCustom);
         d.Panel1.Click();
       },
       Way::Esc, "clWindow", "clWindowText", kCustom, ui::kClWindowText},
      {"reopened, close box", [&](TForm8&) {}, Way::CloseBox, "clWindow", "clWindowText", kCustom, ui::kClWindowText},
      {"colour dialog cancelled, OK",
       [&](TForm8& d) {
         UserPicks(std::nullopt);
         d.Panel2.Click();
       },
       Way::Ok, "clWindow", "clWindowText", ui::kClWindow, ui::kClWindowText},
  };
  for (const auto& c : cases) {
    Open();
    c.edit(*dialog);
    switch (c.way) {
      case Way::Ok: dialog->Button3.Click(); break;
      case Way::Cancel: dialog->Button1.Click(); break;
      case Way::Esc: dialog->KeyPress('\x1b'); break;
      case Way::CloseBox: dialog->SystemCloseRequest(); break;
    }
    EXPECT_FALSE(dialog->Visible()) << c.name;
    EXPECT_TRUE(main->Enabled()) << c.name;
    EXPECT_EQ(Stored("Gridcolor"), c.storedBack) << c.name;
    EXPECT_EQ(Stored("GridFontcolor"), c.storedText) << c.name;
    EXPECT_EQ(Lists(), std::make_pair(c.listBack, c.listText)) << c.name;
  }
}

TEST_F(ColorsDialog, PickShowsAtOnceAndTheDialogStartsFromTheCurrentRgb) {
  Open();
  UserPicks(kRed);
  dialog->Panel1.Click();
  EXPECT_EQ(Lists(), std::make_pair(kRed, ui::kClWindowText));
  dialog->Panel2.Click();
  ASSERT_EQ(desktop.colorDialogs.openings.size(), 2u);
  // clWindow goes in as the white of the fake system, clWindowText as its black.
  EXPECT_EQ(desktop.colorDialogs.openings[0].preset, 0x00FFFFFFu);
  EXPECT_EQ(desktop.colorDialogs.openings[1].preset, 0x00000000u);
  EXPECT_EQ(desktop.colorDialogs.openings[0].owner, dialog->Handle());
}

TEST_F(ColorsDialog, CustomColoursAndTheLastPageStayForTheRun) {
  Open();
  desktop.colorDialogs.user = [](std::uint32_t*, platform::CustomColors* custom) {
    (*custom)[3] = kCustom;
    return false;
  };
  dialog->Panel1.Click();
  dialog->PageControl1.UserSelectsNext(false);  // round the start to the last page
  dialog->Button1.Click();
  Open();
  EXPECT_EQ(dialog->PageControl1.ActivePageIndex(), 1);
  EXPECT_TRUE(dialog->TabSheet2.Visible());
  EXPECT_FALSE(dialog->TabSheet1.Visible());
  platform::CustomColors seen{};
  desktop.colorDialogs.user = [&](std::uint32_t*, platform::CustomColors* custom) {
    seen = *custom;
    return false;
  };
  dialog->Panel2.Click();
  EXPECT_EQ(seen[3], kCustom);
}

TEST_F(ColorsDialog, BadStoredColourIsReportedAndThePanelsKeepTheirColours) {
  Open();
  UserPicks(kRed);
  dialog->Panel1.Click();
  desktop.registry.PutString(platform::kHkeyCurrentUser, settings::kSettingsKey, "GridFontcolor", "purple-ish");
  dialog->Button1.Click();
  ASSERT_EQ(desktop.wm.boxes.size(), 1u);
  EXPECT_EQ(desktop.wm.boxes[0].text, "'purple-ish' is not a valid integer value.");
  EXPECT_EQ(dialog->Panel1.FillColor(), kRed);
  EXPECT_TRUE(dialog->Visible());
}

}  // namespace
}  // namespace nimbul::windows

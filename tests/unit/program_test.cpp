#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/program.h"
#include "dialogs/credits_window.h"
#include "settings/settings.h"
#include "platform/fake/fake_desktop.h"
#include "ui/fake/fake_backend.h"

namespace nimbul::app {
namespace {

struct ProgramTest : ::testing::Test {
  platform::fake::FakeDesktop desktop;
  ui::fake::FakeBackend backend{desktop};
  ui::Application app{desktop.platform, backend};
  void SetUp() override { backend.SetApplication(&app); }
};

TEST_F(ProgramTest, SecondInstanceIsRefusedWithoutAnyWindow) {
  desktop.mutexes.names.insert("Nimbulon");
  EXPECT_EQ(RunProgram(app, ""), 0);
  ASSERT_EQ(desktop.wm.boxes.size(), 1u);
  EXPECT_EQ(desktop.wm.boxes[0].text, "Nimbulon cannot be opened twice !!!");
  // The caption is the executable's name up to its first dot, as the title
  // has not been set yet.
  EXPECT_EQ(desktop.wm.boxes[0].caption, "Nimbul");
  EXPECT_EQ(desktop.wm.boxes[0].flags, platform::kMbOk);
  EXPECT_EQ(desktop.mutexes.closed.size(), 1u);
  EXPECT_EQ(app.MainForm(), nullptr);
  EXPECT_EQ(backend.loopRuns, 0);
}

TEST_F(ProgramTest, RefusalCaptionFollowsTheExecutableName) {
  desktop.files.exePath = "C:\\x.y\\NIMBUL.EXE.old";
  desktop.mutexes.names.insert("Nimbulon");
  RunProgram(app, "");
  EXPECT_EQ(desktop.wm.boxes.at(0).caption, "Nimbul");
  desktop.files.exePath = "D:\\apps\\nimbulon.exe";
  RunProgram(app, "");
  EXPECT_EQ(desktop.wm.boxes.at(1).caption, "nimbulon");  // the first letter is kept as it is
}

TEST_F(ProgramTest, NormalStartCreatesEveryWindowSetsTheTitleAndShowsTheMainWindow) {
  desktop.registry.PutDword(platform::kHkeyCurrentUser, settings::kSettingsKey, "SchonXgestartet", 1);
  EXPECT_EQ(RunProgram(app, ""), 0);
  EXPECT_EQ(app.Title(), "Nimbul");
  EXPECT_EQ(desktop.wm.GetWindowTextA(app.Handle()), "Nimbul");
  ASSERT_NE(app.MainForm(), nullptr);
  EXPECT_TRUE(app.MainForm()->Visible());
  EXPECT_EQ(backend.loopRuns, 1);
  EXPECT_TRUE(desktop.mutexes.names.count("Nimbulon"));
  EXPECT_TRUE(desktop.mutexes.closed.empty());
  // Every window exists, hidden but the main one.
  int forms = 0;
  for (platform::Hwnd h : desktop.wm.ZOrder()) {
    auto& w = desktop.wm.Get(h);
    if (w.owner == app.Handle()) {
      ++forms;
      EXPECT_EQ(w.visible, h == app.MainForm()->Handle()) << w.className;
    }
  }
  EXPECT_EQ(forms, 11);
  // The chooser's stored choice is written on the first run too.
  EXPECT_NE(desktop.registry.Find(platform::kHkeyCurrentUser, settings::kSettingsKey, "SysTrayIcon"), nullptr);
  EXPECT_NE(desktop.registry.Find(platform::kHkeyCurrentUser, settings::kSettingsKey, "SystrayToolTip"), nullptr);
}

TEST_F(ProgramTest, FirstStartNoticeComesBeforeTheMainWindowShows) {
  bool mainVisibleAtNotice = true;
  desktop.wm.answerBox = [&](const platform::fake::MessageBoxRecord& b) {
    if (b.caption == "Caution") mainVisibleAtNotice = app.MainForm() && app.MainForm()->Visible();
    return platform::kIdOk;
  };
  RunProgram(app, "");
  ASSERT_EQ(desktop.wm.boxes.size(), 1u);
  EXPECT_EQ(desktop.wm.boxes[0].caption, "Caution");
  EXPECT_FALSE(mainVisibleAtNotice);
}

struct StartSwitchTest : ProgramTest {
  // A start on a profile that has seen the program before.
  int Start(const std::string& tail) {
    desktop.registry.PutDword(platform::kHkeyCurrentUser, settings::kSettingsKey, "SchonXgestartet", 1);
    return RunProgram(app, tail);
  }
  bool MainShown() { return app.MainForm() && app.MainForm()->Visible(); }
  dialogs::TForm7& Credits() { return *app.FindForm<dialogs::TForm7>(); }
  std::vector<std::string> Texts() {
    std::vector<std::string> out;
    for (auto& b : desktop.wm.boxes) out.push_back(b.text);
    return out;
  }
};

TEST_F(StartSwitchTest, SystrayHoldsTheMainWindowBackAndBuildsTheList) {
  platform::Hwnd target = desktop.wm.AddWindow("Editor");
  desktop.wm.SendToBottom(target);
  EXPECT_EQ(Start("/systray second"), 0);
  EXPECT_FALSE(MainShown());
  EXPECT_FALSE(app.ShowMainForm());
  EXPECT_EQ(backend.loopRuns, 1);
  auto& grid = static_cast<TfrmNimbulMain*>(app.MainForm())->StringGrid1;
  EXPECT_EQ(grid.Cell(0, 1), "Editor");
}

TEST_F(StartSwitchTest, ToggleReportsAfterTheFirstStartNoticeAndEndsWithoutTheLoop) {
  EXPECT_EQ(RunProgram(app, "7K52R"), 0);
  const std::vector<std::string> expected = {
      "This is the first time, that you start this Program!\r\nPlease read the Licence in "
      "Help->Licence\r\n\r\nWe hope you'll enjoy this Software",
      "The Funktion \"Disable all Hotkeys\" was enabled\r\nPlease restart Nimbulon, in order to let the changes "
      "take affect"};
  EXPECT_EQ(Texts(), expected);
  EXPECT_EQ(desktop.wm.boxes.back().caption, "Nimbul");
  EXPECT_EQ(backend.loopRuns, 0);
  EXPECT_FALSE(MainShown());
  auto* stored = desktop.registry.Find(platform::kHkeyCurrentUser, settings::kSettingsKey, "Strg_alt_entf");
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->data.at(0), 1);
}

TEST_F(StartSwitchTest, CreditsSwitchShowsTheNamesInsteadAndClosingThemEndsTheProgram) {
  EXPECT_EQ(Start("/Quorm"), 0);
  EXPECT_FALSE(MainShown());
  EXPECT_TRUE(Credits().Visible());
  desktop.timers.Advance(1500);
  EXPECT_EQ(Credits().Panel2.Caption(), Credits().Names().at(0));
  EXPECT_FALSE(backend.terminated);
  Credits().KeyPress('\x1b');
  EXPECT_FALSE(Credits().Visible());
  EXPECT_TRUE(backend.terminated);
}

TEST_F(StartSwitchTest, UpdateGreetingComesBeforeTheMainWindow) {
  bool mainShownAtGreeting = true;
  desktop.wm.answerBox = [&](const platform::fake::MessageBoxRecord&) {
    mainShownAtGreeting = MainShown();
    return platform::kIdOk;
  };
  Start("\"/upgedatet");
  EXPECT_EQ(Texts(), std::vector<std::string>{"Update erfolgreich!"});
  EXPECT_EQ(desktop.wm.boxes.at(0).caption, "Nimbul");
  EXPECT_FALSE(mainShownAtGreeting);
  EXPECT_TRUE(MainShown());
}

TEST_F(StartSwitchTest, AnythingElseIsANormalStart) {
  Start("C:\\notes.txt /systray");
  EXPECT_TRUE(MainShown());
  EXPECT_TRUE(desktop.wm.boxes.empty());
  EXPECT_FALSE(Credits().Visible());
}

}  // namespace
}  // namespace nimbul::app

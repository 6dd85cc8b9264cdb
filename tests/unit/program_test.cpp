#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/program.h"
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

}  // namespace
}  // namespace nimbul::app

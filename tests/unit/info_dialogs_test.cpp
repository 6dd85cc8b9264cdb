// Web links, the licence window and the feedback form, from the main window.
#include <gtest/gtest.h>

#include <functional>

#include "dialogs/contact.h"
#include "dialogs/feedback_form.h"
#include "dialogs/licence_window.h"
#include "main_window_fixture.h"

namespace nimbul::dialogs {
namespace {

class InfoDialogs : public testing::MainWindowTest {
 protected:
  TForm3* licence = nullptr;
  TfrmEMail* feedback = nullptr;
  ui::Form* taskbarButton = nullptr;

  void SetUp() override {
    MainWindowTest::SetUp();
    licence = &app.CreateForm<TForm3>();
    taskbarButton = &app.CreateForm<ui::Form>("Form4");
    feedback = &app.CreateForm<TfrmEMail>();
    licence->SetHost(main, taskbarButton);
    feedback->SetHost(main);
    app::MainWindowPeers peers;
    peers.licence = licence;
    peers.feedback = feedback;
    main->SetPeers(peers);
  }
  std::optional<bool> StoredLinkFlag() {
    auto* v = desktop.registry.Find(platform::kHkeyCurrentUser, settings::kSettingsKey, "EMailanzeigen");
    if (!v) return std::nullopt;
    return v->data.at(0) != 0;
  }
};

TEST_F(InfoDialogs, WebCommandsHandTheirTargetsToTheShell) {
  const std::string home = "http://" + HomePageHost() + "/quendel-soft/freeware/nimbul-info/";
  const std::string mail = "mailto:" + FeedbackAddress() + "?Subject=Nimbulon";
  const std::string help = "C:\\Program Files\\Nimbulon\\History.hlp";
  const struct {
    const char* command;
    std::function<void()> run;
    std::string file;
    int show;
  } cases[] = {
      {"Web > Webpage", [&] { main->Webpage1.Click(); }, home, platform::kSwShowNormal},
      {"tool button", [&] { main->ToolButton9.Click(); }, home, platform::kSwShowNormal},
      {"first home page entry", [&] { main->PopupMenu2.Items()[0].Click(); }, home, platform::kSwShowNormal},
      {"Write E-Mail", [&] { main->EMailschreiben1.Click(); }, mail, platform::kSwShow},
      {"Programm History", [&] { main->Histgroy1.Click(); }, help, platform::kSwShowNormal},
  };
  for (const auto& c : cases) {
    desktop.shell.calls.clear();
    c.run();
    ASSERT_EQ(desktop.shell.calls.size(), 1u) << c.command;
    const auto& call = desktop.shell.calls[0];
    EXPECT_EQ(call.file, c.file) << c.command;
    EXPECT_EQ(call.showCmd, c.show) << c.command;
    EXPECT_EQ(call.parameters + call.directory, "") << c.command;
    EXPECT_EQ(call.owner, main->Handle()) << c.command;
  }
  desktop.shell.calls.clear();
  main->PopupMenu2.Items()[1].Click();
  EXPECT_TRUE(desktop.shell.calls.empty());
}

TEST_F(InfoDialogs, LicenceOpensOverADisabledMainWindowAndEveryCloseEnablesIt) {
  const std::function<void()> closes[] = {
      [&] { licence->Button1.Click(); },        [&] { licence->Memo1.KeyPress('\r'); },
      [&] { licence->Memo1.KeyPress('\x1b'); }, [&] { licence->KeyPress('\x1b'); },
      [&] { licence->SystemCloseRequest(); },
  };
  for (const auto& close : closes) {
    taskbarButton->SetEnabled(false);
    main->Lizenbed1.Click();
    EXPECT_TRUE(licence->Visible());
    EXPECT_FALSE(main->Enabled());
    close();
    EXPECT_FALSE(licence->Visible());
    EXPECT_TRUE(main->Enabled());
    EXPECT_TRUE(taskbarButton->Enabled());
  }
  EXPECT_NE(licence->Memo1.Text().find("MIT"), std::string::npos);
}

TEST_F(InfoDialogs, FeedbackCloseStoresWhetherTheLinkShowsNextTime) {
  enum class Close { Box, SendMail, Webpage };
  const struct {
    bool ticked;
    int answer;
    Close how;
    bool stored;
    const char* shellTarget;
  } cases[] = {
      {false, platform::kIdYes, Close::Box, true, ""},
      {true, platform::kIdNo, Close::Box, true, ""},
      {true, platform::kIdYes, Close::SendMail, false, "mailto:"},
      {true, platform::kIdYes, Close::Webpage, false, "http://"},
      {false, platform::kIdYes, Close::SendMail, true, "mailto:"},
  };
  for (const auto& c : cases) {
    desktop.wm.boxes.clear();
    desktop.shell.calls.clear();
    desktop.wm.answerBox = [&](const platform::fake::MessageBoxRecord&) { return c.answer; };
    main->Label3.Click();
    EXPECT_TRUE(feedback->Visible());
    EXPECT_FALSE(main->Enabled());
    feedback->CheckBox1.SetChecked(c.ticked);
    if (c.how == Close::Box) feedback->SystemCloseRequest();
    if (c.how == Close::SendMail) feedback->Button1.Click();
    if (c.how == Close::Webpage) feedback->Button2.Click();
    EXPECT_FALSE(feedback->Visible());
    EXPECT_TRUE(main->Enabled());
    EXPECT_EQ(StoredLinkFlag(), c.stored);
    EXPECT_EQ(feedback->CheckBox1.Checked(), !c.stored);
    ASSERT_EQ(desktop.wm.boxes.size(), c.ticked ? 1u : 0u);
    if (c.ticked) {
      EXPECT_EQ(desktop.wm.boxes[0].caption, "Confirmation");
      EXPECT_EQ(desktop.wm.boxes[0].text, "Are you sure you don't want this messasge to appear again ?");
      EXPECT_EQ(desktop.wm.boxes[0].flags, 0x34u);
    }
    std::string opened = desktop.shell.calls.empty() ? "" : desktop.shell.calls[0].file;
    EXPECT_EQ(opened.substr(0, std::string(c.shellTarget).size()), c.shellTarget);
    // The link keeps showing until the next start.
    EXPECT_TRUE(main->Label3.Visible());
  }
}

class FeedbackLinkOff : public testing::MainWindowTest {
  void Prepare() override {
    MainWindowTest::Prepare();
    desktop.registry.PutDword(platform::kHkeyCurrentUser, settings::kSettingsKey, "EMailanzeigen", 0);
  }
};

TEST_F(FeedbackLinkOff, StoredFalseHidesTheLinkAtStart) { EXPECT_FALSE(main->Label3.Visible()); }

}  // namespace
}  // namespace nimbul::dialogs

// The record of hidden windows that lets the next start list them again.
#include <random>

#include "main_window_fixture.h"
#include "windows/hidden_journal.h"

namespace nimbul::testing {
namespace {

class HiddenJournalTest : public MainWindowTest {
 protected:
  void HideBySelecting(int count) {
    for (int i = 0; i < count; ++i) {
      Select(main->StringGrid1, 1);
      main->StringGrid1DblClick();
    }
  }
  // The journal's texts, in order.
  std::vector<std::string> Journal() {
    std::vector<std::string> out;
    for (int i = 0;; ++i) {
      const auto* v = desktop.registry.Find(platform::kHkeyCurrentUser, settings::kHiddenJournalKey, std::to_string(i));
      if (!v) return out;
      out.emplace_back(v->data.begin(), v->data.end() - 1);
    }
  }
  // A second start on the same desktop, after this run ended without closing.
  std::vector<Row> NextStartHidden() {
    next = std::make_unique<Run>(desktop);
    return Rows(next->main.StringGrid2);
  }
  struct Run {
    explicit Run(platform::fake::FakeDesktop& d) : backend(d), app(d.platform, backend), main(Create()) {}
    app::TfrmNimbulMain& Create() {
      backend.SetApplication(&app);
      app.Initialize();
      return app.CreateForm<app::TfrmNimbulMain>();
    }
    ui::fake::FakeBackend backend;
    ui::Application app;
    app::TfrmNimbulMain& main;
  };
  std::unique_ptr<Run> next;
  static platform::Hwnd Window(const std::string& text) {
    return platform::Hwnd{static_cast<std::uint32_t>(std::stoul(text))};
  }
};

TEST_F(HiddenJournalTest, ARunEndedWithoutClosingLeavesItsHiddenWindowsToTheNextStart) {
  main->Show();
  std::vector<platform::Hwnd> t{Target("Letter"), Target("Sheet"), Target("Mail")};
  main->RefreshWindowList();
  HideBySelecting(2);
  const auto hidden = Hidden();
  ASSERT_EQ(hidden.size(), 2u);
  EXPECT_TRUE(desktop.registry.IsVolatile(platform::kHkeyCurrentUser, settings::kHiddenJournalKey));
  desktop.wm.SetTitle(desktop.wm.FindWindowA("TargetWindow"), "renamed meanwhile");
  auto recovered = NextStartHidden();
  ASSERT_EQ(recovered.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(recovered[i].handle, hidden[i].handle);
    EXPECT_EQ(recovered[i].name, desktop.wm.GetWindowTextA(Window(hidden[i].handle)));
  }
  for (const auto& e : recovered) EXPECT_FALSE(IsVisible(Window(e.handle))) << "stays hidden";
  next->main.Close();
  for (platform::Hwnd w : t) EXPECT_TRUE(IsVisible(w));
  EXPECT_TRUE(Journal().empty()) << "a normal close leaves the journal empty";
}

TEST_F(HiddenJournalTest, AnEntryThatNoLongerProvesItsWindowIsDropped) {
  struct Case {
    const char* what;
    std::function<void(platform::Hwnd)> change;
  };
  const Case cases[] = {
      {"shown meanwhile", [&](platform::Hwnd w) { desktop.wm.ShowWindow(w, platform::kSwShow); }},
      {"another program", [&](platform::Hwnd w) { desktop.wm.Get(w).processId = 0x4242; }},
      {"another class", [&](platform::Hwnd w) { desktop.wm.Get(w).className = "OtherClass"; }},
      {"closed", [&](platform::Hwnd w) { desktop.wm.CloseWindow(w); }},
  };
  main->Show();
  for (const Case& c : cases) {
    platform::Hwnd w = Target(c.what);
    main->RefreshWindowList();
    HideBySelecting(1);
    c.change(w);
  }
  platform::Hwnd kept = Target("kept");
  main->RefreshWindowList();
  HideBySelecting(1);
  auto recovered = NextStartHidden();
  ASSERT_EQ(recovered.size(), 1u);
  EXPECT_EQ(recovered[0].handle, H(kept));
  EXPECT_EQ(Journal().size(), 1u) << "written afresh from what was proven";
}

TEST_F(HiddenJournalTest, TheJournalFollowsTheTimerAndShowAll) {
  main->Show();
  std::vector<platform::Hwnd> t{Target("One"), Target("Two"), Target("Three")};
  main->RefreshWindowList();
  HideBySelecting(3);
  ASSERT_EQ(Journal().size(), 3u);
  desktop.wm.CloseWindow(t[1]);
  main->Timer1Timer();
  EXPECT_EQ(Journal().size(), Hidden().size());
  main->ToolButton10Click();
  EXPECT_TRUE(Journal().empty());
}

TEST(HiddenJournalFuzz, RandomValuesNeverCrashAndAdoptNothingUnproven) {
  platform::fake::FakeDesktop desktop;
  platform::Hwnd hidden = desktop.wm.AddWindow("Hidden", "TargetWindow", false);
  std::mt19937 rng(7);
  const std::string alphabet = "0123456789\t-+ abcTargetWindow\xff";
  for (int round = 0; round < 300; ++round) {
    desktop.registry.LogOff();
    for (int i = 0; i < 5; ++i) {
      std::string text;
      for (int n = static_cast<int>(rng() % 40); n > 0; --n) text += alphabet[rng() % alphabet.size()];
      if (rng() % 4 == 0)
        desktop.registry.PutDword(platform::kHkeyCurrentUser, settings::kHiddenJournalKey, std::to_string(i), rng());
      else
        desktop.registry.PutString(platform::kHkeyCurrentUser, settings::kHiddenJournalKey, std::to_string(i), text);
    }
    windows::HiddenJournal journal(desktop.registry, desktop.wm);
    for (const windows::WindowEntry& e : journal.Recover()) {
      // Only a record that names the hidden window exactly may be adopted.
      EXPECT_EQ(e.window, hidden);
    }
  }
}

}  // namespace
}  // namespace nimbul::testing

#include "main_window_fixture.h"

#include <cmath>

#include "settings/settings_layout.h"

namespace nimbul::testing {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

TEST_F(MainWindowTest, WindowIsLaidOutAsDesigned) {
  EXPECT_EQ(main->Caption(), "Nimbulon");
  EXPECT_EQ(main->Width(), 532);
  EXPECT_EQ(main->Height(), 258);
  EXPECT_EQ(main->GradientSteps(), 255);
  EXPECT_FALSE(main->Visible());
  EXPECT_EQ(main->StatusBar1.SimpleText(), "  ");
  EXPECT_EQ(main->Label1.Caption(), " Visible Windows");
  EXPECT_EQ(main->Label2.Caption(), "Hidden Windows ");
  EXPECT_FALSE(main->ToolButton8.Visible());
  EXPECT_FALSE(main->Verstecken1.Enabled());
  EXPECT_FALSE(main->Anzeigen1.Enabled());
  EXPECT_FALSE(main->AktivesFensterverstecken1.Enabled());
  EXPECT_EQ(main->Verstecken1.ShortCutText(), "F1");
  EXPECT_EQ(main->Anzeigen1.ShortCutText(), "F2");
  EXPECT_EQ(main->Aktualisieren1.ShortCutText(), "F5");
  EXPECT_EQ(main->Ende1.ShortCutText(), "Ctrl+X");
  // The menu bar, in order, with the hints that go to the status bar.
  auto& bar = main->MainMenu1.Items();
  std::vector<std::string> captions;
  for (int i = 0; i < bar.Count(); ++i) captions.push_back(bar[i].Caption() + "|" + bar[i].Hint());
  EXPECT_EQ(captions,
            (std::vector<std::string>{"&Windows|Windows", "&View|View", "&Options|Options", "W&eb|Web", "&Help|Help"}));
  std::vector<std::string> windowsMenu;
  for (int i = 0; i < main->Fenster1.Count(); ++i) windowsMenu.push_back(main->Fenster1[i].Caption());
  EXPECT_EQ(windowsMenu,
            (std::vector<std::string>{"&Hide", "&Show", "-", "Hide &active Window", "-", "Sh&ow all hidden Windows",
                                      "H&ide all visible Windows", "-", "&To Systemtray", "-", "&End Program"}));
  std::vector<std::string> tray;
  for (int i = 0; i < main->PopupMenu1.Items().Count(); ++i) tray.push_back(main->PopupMenu1.Items()[i].Caption());
  EXPECT_EQ(tray, (std::vector<std::string>{"&Open Nimbulon", "-", "&Hide program", "&Show program", "-",
                                            "&Close Nimbulon"}));
  EXPECT_TRUE(main->Programmsichtabermachen1.IsDefault());
}

TEST_F(MainWindowTest, ResizeSplitsTheListsAndSizesTheColumns) {
  backend.Resize(*main, 604, 300);
  EXPECT_EQ(main->StringGrid1.Width(), 302);
  EXPECT_EQ(main->GradientSteps(), 30 * 604);
  int clientW = 604 - ui::fake::FakeBackend::kFrameW;
  EXPECT_EQ(main->StringGrid2.Width(), clientW - 302 - 3);
  // Fake metrics: border 1, scroll bar 16. W = 302 - 1 - 16 - 3 = 282; 0.8 W = 225.6 rounds up.
  EXPECT_EQ(main->StringGrid1.ColWidth(0), 226);
  EXPECT_EQ(main->StringGrid1.ColWidth(1), 56);
  int w2 = main->StringGrid2.Width() - 20;
  EXPECT_EQ(main->StringGrid2.ColWidth(0) + main->StringGrid2.ColWidth(1), w2);
  EXPECT_EQ(main->StringGrid2.ColWidth(0), static_cast<int>(std::nearbyint(w2 * 0.8)));
  // A dragged splitter holds only until the next resize.
  main->Splitter1.UserDragged(100);
  EXPECT_EQ(main->StringGrid1.Width(), 100);
  backend.Resize(*main, 700, 300);
  EXPECT_EQ(main->StringGrid1.Width(), 350);
}

TEST_F(MainWindowTest, WindowCannotBeDraggedSmallerThanItsMinimum) {
  EXPECT_EQ(main->MinTrackWidth(), 320);
  EXPECT_EQ(main->MinTrackHeight(), 180);
  backend.Resize(*main, 100, 50);
  EXPECT_EQ(main->Width(), 320);
  EXPECT_EQ(main->Height(), 180);
}

TEST_F(MainWindowTest, StatusBarShowsHintsAndTheVersionOverTheLabels) {
  app.SetHint("Refresh View");
  EXPECT_EQ(main->StatusBar1.SimpleText(), "Refresh View");
  main->Label1.MouseMove();
  EXPECT_EQ(main->StatusBar1.SimpleText(), "Nimbulon 1.7.1.6");
  app.SetHint("");
  EXPECT_EQ(main->StatusBar1.SimpleText(), "");
  main->ToolBar1.MouseMove();
  EXPECT_EQ(main->StatusBar1.SimpleText(), "Nimbulon 1.7.1.6");
  EXPECT_EQ(app::GetFileVersionText(app), "1.7.1.6");
}

TEST_F(MainWindowTest, ClosingShowsEveryHiddenWindowThenTheShell) {
  platform::Hwnd tray = desktop.wm.AddWindow("", "Shell_TrayWnd", true);
  platform::Hwnd desk = desktop.wm.AddWindow("Program Manager", "Progman", true);
  std::vector<platform::Hwnd> targets{Target("One"), Target("Two"), Target("Three")};
  for (platform::Hwnd h : targets) HideFromTray(h);
  desktop.wm.systemKeysState = 1;
  desktop.wm.showCalls.clear();
  main->Close();
  for (platform::Hwnd h : targets) EXPECT_TRUE(IsVisible(h));
  EXPECT_EQ(EntryCount(main->StringGrid2), 0);
  // Shown in the order hidden and without activation, then taskbar and desktop.
  std::vector<std::pair<platform::Hwnd, int>> calls;
  for (auto& c : desktop.wm.showCalls) calls.push_back({c.hwnd, c.cmd});
  EXPECT_EQ(calls, (std::vector<std::pair<platform::Hwnd, int>>{{targets[0], platform::kSwShowNoActivate},
                                                                {targets[1], platform::kSwShowNoActivate},
                                                                {targets[2], platform::kSwShowNoActivate},
                                                                {tray, platform::kSwShow},
                                                                {desk, platform::kSwShow}}));
  EXPECT_EQ(desktop.wm.systemKeysState, 0u);
  EXPECT_EQ(desktop.wm.spiCalls.back(), platform::kSpiSetScreenSaverRunning);
  for (platform::Hwnd fg : desktop.wm.foregroundCalls)
    EXPECT_TRUE(std::find(targets.begin(), targets.end(), fg) == targets.end());
  EXPECT_TRUE(backend.terminated);
}

TEST_F(MainWindowTest, ClosingNeverStallsOnAnEntryThatCannotBeShown) {
  platform::Hwnd gone = Target("Gone"), ok = Target("Fine");
  HideFromTray(gone);
  HideFromTray({});
  HideFromTray(ok);
  desktop.wm.CloseWindow(gone);
  main->Ende1.Click();
  EXPECT_TRUE(IsVisible(ok));
  EXPECT_EQ(EntryCount(main->StringGrid2), 0);
}

TEST_F(MainWindowTest, ToolbarAndStatusbarTogglesAreStored) {
  main->Toolbar2.Click();
  EXPECT_FALSE(main->Toolbar2.Checked());
  EXPECT_FALSE(main->ToolBar1.Visible());
  auto* v = desktop.registry.Find(kHkeyCurrentUser, settings::kSettingsKey, "Toolbar");
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->data, (std::vector<std::uint8_t>{0, 0, 0, 0}));
  main->Satusanzeige1.Click();
  main->Satusanzeige1.Click();
  EXPECT_TRUE(main->StatusBar1.Visible());
  v = desktop.registry.Find(kHkeyCurrentUser, settings::kSettingsKey, "Status");
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->data, (std::vector<std::uint8_t>{1, 0, 0, 0}));
}

TEST_F(MainWindowTest, RestoreClearsTheMinimizedFlagAndRebuilds) {
  main->MinimizedFlag = true;
  app.Minimize();
  Target("Opened meanwhile");
  app.Restore();
  EXPECT_FALSE(main->MinimizedFlag);
  EXPECT_EQ(Names(main->StringGrid1), (std::vector<std::string>{"Opened meanwhile"}));
}

TEST_F(MainWindowTest, HotkeyEntriesShowTheDefaultKeysAfterCreation) {
  EXPECT_EQ(main->AktivesFensterverstecken1.ShortCutText(), "F9");
  EXPECT_EQ(main->AlleFensterVerstecken1.ShortCutText(), "F8");
  EXPECT_EQ(main->AlleFenstersichtbarmachen1.ShortCutText(), "F7");
  EXPECT_EQ(main->NimbulonzurTaskleiste1.ShortCutText(), "F4");
}

// ---- creation against stored settings ----

class FreshProfileTest : public MainWindowTest {
 protected:
  void Prepare() override {}
};

TEST_F(FreshProfileTest, FirstStartShowsTheNoticeOnceAndWritesTheDefaults) {
  ASSERT_EQ(desktop.wm.boxes.size(), 1u);
  auto& box = desktop.wm.boxes[0];
  EXPECT_EQ(box.caption, "Caution");
  EXPECT_EQ(box.text,
            "This is the first time, that you start this Program!\r\nPlease read the Licence in "
            "Help->Licence\r\n\r\nWe hope you'll enjoy this Software");
  EXPECT_EQ(box.flags, platform::kMbOk | platform::kMbIconInformation);
  auto names = desktop.registry.ValueNames(kHkeyCurrentUser, settings::kSettingsKey);
  std::sort(names.begin(), names.end());
  std::vector<std::string> expect{"AFSM",        "EMailanzeigen",  "GridFontcolor",   "Gridcolor", "HKAkt",
                                  "KHAFV",       "KHTASK",         "SchonXgestartet", "Status",    "SysTrayIcon",
                                  "Systray_Min", "SystrayToolTip", "Toolbar"};
  std::sort(expect.begin(), expect.end());
  // SysTrayIcon and SystrayToolTip belong to the tray icon chooser; the main
  // window writes everything else it reads.
  std::vector<std::string> mainWrites;
  for (auto& n : expect)
    if (n != "SysTrayIcon" && n != "SystrayToolTip") mainWrites.push_back(n);
  EXPECT_EQ(names, mainWrites);
  EXPECT_EQ(desktop.registry.Find(kHkeyCurrentUser, settings::kSettingsKey, "Strg_alt_entf"), nullptr);
  auto* grid = desktop.registry.Find(kHkeyCurrentUser, settings::kSettingsKey, "Gridcolor");
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(std::string(grid->data.begin(), grid->data.end()), std::string("clWindow") + '\0');
  EXPECT_FALSE(main->Disablectrlaltdel1.Visible());
  EXPECT_TRUE(main->ZurSystrayminimieren1.Checked());
  EXPECT_TRUE(main->Label3.Visible());
}

TEST_F(FreshProfileTest, SecondStartShowsNoNotice) {
  ui::fake::FakeBackend backend2{desktop};
  ui::Application app2{desktop.platform, backend2};
  backend2.SetApplication(&app2);
  app2.Initialize();
  desktop.wm.boxes.clear();
  app2.CreateForm<app::TfrmNimbulMain>();
  EXPECT_TRUE(desktop.wm.boxes.empty());
}

class StoredSettingsTest : public MainWindowTest {
 protected:
  std::function<void()> preset;
  void Prepare() override {
    MainWindowTest::Prepare();
    if (preset) preset();
  }
  void SetUp() override {}
  void Start(std::function<void()> p) {
    preset = std::move(p);
    MainWindowTest::SetUp();
  }
};

TEST_F(StoredSettingsTest, ToolbarStoredFalseStaysHiddenAndFalse) {
  Start([&] {
    desktop.registry.PutDword(kHkeyCurrentUser, settings::kSettingsKey, "Toolbar", 0);
    desktop.registry.PutDword(kHkeyCurrentUser, settings::kSettingsKey, "Systray_min", 0);
    desktop.registry.PutDword(kHkeyCurrentUser, settings::kSettingsKey, "Strg_alt_entf", 1);
    desktop.registry.PutString(kHkeyCurrentUser, settings::kRunKey, "Nimbulon", "anything");
    desktop.files.Put("C:\\Program Files\\Nimbulon\\History.hlp");
    desktop.files.Put("C:\\Program Files\\Nimbulon\\newver.axe");
    desktop.files.Put("C:\\Program Files\\Nimbulon\\versnfo~.tmp");
  });
  EXPECT_FALSE(main->ToolBar1.Visible());
  EXPECT_FALSE(main->Toolbar2.Checked());
  EXPECT_TRUE(main->StatusBar1.Visible());
  EXPECT_FALSE(main->ZurSystrayminimieren1.Checked());
  EXPECT_TRUE(main->Disablectrlaltdel1.Visible());
  EXPECT_TRUE(main->IndenAutostart1.Checked());
  EXPECT_TRUE(main->Histgroy1.Visible());
  EXPECT_FALSE(desktop.files.Has("C:\\Program Files\\Nimbulon\\newver.axe"));
  EXPECT_FALSE(desktop.files.Has("C:\\Program Files\\Nimbulon\\versnfo~.tmp"));
  auto* v = desktop.registry.Find(kHkeyCurrentUser, settings::kSettingsKey, "Toolbar");
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->data, (std::vector<std::uint8_t>{0, 0, 0, 0}));
  EXPECT_TRUE(desktop.wm.boxes.empty());
  // App Paths: the executable and its folder with the trailing backslash.
  auto* path = desktop.registry.Find(kHkeyLocalMachine, settings::kAppPathsKey, "Path");
  ASSERT_NE(path, nullptr);
  EXPECT_EQ(std::string(path->data.begin(), path->data.end()), std::string("C:\\Program Files\\Nimbulon\\") + '\0');
  auto* exe = desktop.registry.Find(kHkeyLocalMachine, settings::kAppPathsKey, "");
  ASSERT_NE(exe, nullptr);
  EXPECT_EQ(std::string(exe->data.begin(), exe->data.end()),
            std::string("C:\\Program Files\\Nimbulon\\Nimbul.exe") + '\0');
}

TEST_F(StoredSettingsTest, WrongTypeEndsCreationWithTheErrorBox) {
  Start([&] {
    desktop.registry.PutString(kHkeyCurrentUser, settings::kSettingsKey, "Toolbar", "1");
    desktop.files.Put("C:\\Program Files\\Nimbulon\\History.hlp");
  });
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"Nimbul: Invalid data type for 'Toolbar'"}));
  EXPECT_EQ(desktop.wm.boxes[0].flags, platform::kMbOk | platform::kMbIconStop);
  // The later steps did not run: no status value, no App Paths, no history entry.
  EXPECT_EQ(desktop.registry.Find(kHkeyCurrentUser, settings::kSettingsKey, "Status"), nullptr);
  EXPECT_FALSE(desktop.registry.KeyExists(kHkeyLocalMachine, settings::kAppPathsKey));
  EXPECT_FALSE(main->Histgroy1.Visible());
  // The program goes on: the window works.
  Target("Still works");
  main->RefreshWindowList();
  EXPECT_EQ(Names(main->StringGrid1), (std::vector<std::string>{"Still works"}));
}

TEST_F(StoredSettingsTest, AppPathsGoToTheUsersKeyWhenTheMachinesIsRefused) {
  Start([&] {
    desktop.registry.DenyWrites(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths");
    desktop.files.Put("C:\\Program Files\\Nimbulon\\History.hlp");
  });
  EXPECT_TRUE(Boxes().empty()) << "a standard user's start shows no box";
  EXPECT_TRUE(main->Histgroy1.Visible());
  EXPECT_FALSE(desktop.registry.KeyExists(kHkeyLocalMachine, settings::kAppPathsKey));
  auto* exe = desktop.registry.Find(kHkeyCurrentUser, settings::kAppPathsKey, "");
  ASSERT_NE(exe, nullptr);
  EXPECT_EQ(std::string(exe->data.begin(), exe->data.end()),
            std::string("C:\\Program Files\\Nimbulon\\Nimbul.exe") + '\0');
  EXPECT_NE(desktop.registry.Find(kHkeyCurrentUser, settings::kAppPathsKey, "Path"), nullptr);
}

TEST_F(StoredSettingsTest, AppPathsRefusedInBothRootsReportsAnEmptyNameAndSkipsHistory) {
  Start([&] {
    desktop.registry.DenyWrites(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths");
    desktop.registry.DenyWrites(kHkeyCurrentUser, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths");
    desktop.files.Put("C:\\Program Files\\Nimbulon\\History.hlp");
  });
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"Nimbul: Failed to set data for ''"}));
  EXPECT_FALSE(main->Histgroy1.Visible());
}

TEST_F(StoredSettingsTest, GarbageColourIsReportedWithItsText) {
  Start([&] { desktop.registry.PutString(kHkeyCurrentUser, settings::kSettingsKey, "Gridcolor", "clPink"); });
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"Nimbul: 'clPink' is not a valid integer value."}));
}

TEST_F(StoredSettingsTest, StoredColoursReachBothLists) {
  Start([&] {
    desktop.registry.PutString(kHkeyCurrentUser, settings::kSettingsKey, "Gridcolor", "CLRED");
    desktop.registry.PutString(kHkeyCurrentUser, settings::kSettingsKey, "GridFontcolor", "$00C08000");
  });
  EXPECT_EQ(main->StringGrid1.BackColor(), 0x000000FFu);
  EXPECT_EQ(main->StringGrid2.BackColor(), 0x000000FFu);
  EXPECT_EQ(main->StringGrid2.FontColor(), 0x00C08000u);
}

}  // namespace
}  // namespace nimbul::testing

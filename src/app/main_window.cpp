#include "app/main_window.h"

#include <cmath>

#include "base/error.h"
#include "dialogs/contact.h"
#include "dialogs/web_links.h"
#include "settings/color_text.h"
#include "settings/settings.h"
#include "settings/settings_layout.h"
#include "hotkeys/shortcut.h"
#include "platform/shell_windows.h"
#include "update/leftovers.h"
#include "windows/window_grid.h"

namespace nimbul::app {

namespace {

constexpr hotkeys::TShortCut kF1 = 0x70, kF2 = 0x71, kF5 = 0x74, kCtrlX = 0x4058;
constexpr ui::Color kHintColor = 0x00C08000;  // blue 0xC0, green 0x80, red 0x00

ui::MenuItem& Item(ui::MenuItem& parent, const char* name, const char* caption, const char* hint,
                   bool separatorBefore = false) {
  if (separatorBefore) parent.Add(std::string("N") + name, "-");
  return parent.Add(name, caption, hint);
}

}  // namespace

TfrmNimbulMain::TfrmNimbulMain(ui::Application& app)
    : ui::Form(app, "frmNimbulMain"),
      MainMenu1(app, "MainMenu1"),
      PopupMenu1(app, "PopupMenu1"),
      PopupMenu2(app, "PopupMenu2"),
      ToolBar1(this, "ToolBar1"),
      ToolButton1(&ToolBar1, "ToolButton1", ui::ButtonStyle::Button, 0),
      ToolButton10(&ToolBar1, "ToolButton10", ui::ButtonStyle::Button, 7),
      ToolButton11(&ToolBar1, "ToolButton11", ui::ButtonStyle::Button, 8),
      ToolButton2(&ToolBar1, "ToolButton2", ui::ButtonStyle::Button, 1),
      ToolSep1(&ToolBar1, "ToolButton4", ui::ButtonStyle::Separator),
      ToolButton3(&ToolBar1, "ToolButton3", ui::ButtonStyle::Button, 2),
      ToolSep2(&ToolBar1, "ToolButton6", ui::ButtonStyle::Separator),
      ToolButton7(&ToolBar1, "ToolButton7", ui::ButtonStyle::Check, 4),
      ToolButton12(&ToolBar1, "ToolButton12", ui::ButtonStyle::Check, 9),
      ToolButton8(&ToolBar1, "ToolButton8", ui::ButtonStyle::Button, 5),
      ToolSep3(&ToolBar1, "ToolButton13", ui::ButtonStyle::Separator),
      ToolButton5(&ToolBar1, "ToolButton5", ui::ButtonStyle::Button, 3),
      ToolButton9(&ToolBar1, "ToolButton9", ui::ButtonStyle::Button, 6),
      ToolSep4(&ToolBar1, "ToolButton14", ui::ButtonStyle::Separator),
      Label3(&ToolBar1, "Label3"),
      Panel3(this, "Panel3"),
      Panel1(this, "Panel1"),
      Label1(&Panel1, "Label1"),
      Label2(&Panel1, "Label2"),
      StatusBar1(this, "StatusBar1"),
      StringGrid1(this, "StringGrid1"),
      Splitter1(this, "Splitter1"),
      StringGrid2(this, "StringGrid2"),
      Timer1(app, 1000, true),
      // The stored keys register as soon as the form is loaded.
      HKAkt(app.Sys().hotkeys, hotkeys::kHotkeyAssignments[0].defaultValue),
      KHAFV(app.Sys().hotkeys, hotkeys::kHotkeyAssignments[1].defaultValue),
      AFSM(app.Sys().hotkeys, hotkeys::kHotkeyAssignments[2].defaultValue),
      KHTASK(app.Sys().hotkeys, hotkeys::kHotkeyAssignments[3].defaultValue),
      Fenster1(Item(MainMenu1.Items(), "Fenster1", "&Windows", "Windows")),
      Verstecken1(Item(Fenster1, "Verstecken1", "&Hide", "Hide selected Window")),
      Anzeigen1(Item(Fenster1, "Anzeigen1", "&Show", "Make selected Window visible")),
      AktivesFensterverstecken1(
          Item(Fenster1, "AktivesFensterverstecken1", "Hide &active Window", "Hide top Window", true)),
      AlleFenstersichtbarmachen1(Item(Fenster1, "AlleFenstersichtbarmachen1", "Sh&ow all hidden Windows",
                                      "Make all hidden Windows visible", true)),
      AlleFensterVerstecken1(
          Item(Fenster1, "AlleFensterVerstecken1", "H&ide all visible Windows", "Hide all visible Windows")),
      NimbulonzurTaskleiste1(Item(Fenster1, "NimbulonzurTaskleiste1", "&To Systemtray", "Minimze to Systemtray", true)),
      Ende1(Item(Fenster1, "Ende1", "&End Program", "Close Program", true)),
      Ansicht1(Item(MainMenu1.Items(), "Ansicht1", "&View", "View")),
      Aktualisieren1(Item(Ansicht1, "Aktualisieren1", "&Refresh", "Refresh View")),
      Farben1(Item(Ansicht1, "Farben1", "&Colors", "Change default Colors")),
      Toolbar2(Item(Ansicht1, "Toolbar2", "&Toolbar", "Toggle Toolbar")),
      Satusanzeige1(Item(Ansicht1, "Satusanzeige1", "&Statusbar", "Toggle Statusbar")),
      Optionen1(Item(MainMenu1.Items(), "Optionen1", "&Options", "Options")),
      DesktopIconsausblenden1(
          Item(Optionen1, "DesktopIconsausblenden1", "Hide Desktop Icons", "Hide the Desktop Icons")),
      HideTaskbar1(Item(Optionen1, "HideTaskbar1", "Toggle Taskbar", "Toggle Taskbar")),
      ZurSystrayminimieren1(
          Item(Optionen1, "ZurSystrayminimieren1", "Minimize to Systemtray", "Minimize to Systemtray")),
      IndenAutostart1(Item(Optionen1, "IndenAutostart1", "Run on Startup", "Run on Startup")),
      Disablectrlaltdel1(Item(Optionen1, "Disablectrlaltdel1", "Disable all System Hotkeys",
                              "Disable the System Hotkeys (such as <CTRL><ALT><DEL>)")),
      SystrayIcon1(Item(Optionen1, "SystrayIcon1", "Choose Systemtray Icon", "Choose Systemtray Icon")),
      Hotkeysbestimmen1(Item(Optionen1, "Hotkeysbestimmen1", "Choose Hotkey", "Choose the Hotkeys")),
      Web1(Item(MainMenu1.Items(), "Web1", "W&eb", "Web")),
      Webpage1(Item(Web1, "Webpage1", "&Webpage", "Direct browser to our webpage")),
      EMailschreiben1(Item(Web1, "EMailschreiben1", "Write E-Mail", "Write us an email")),
      NachUpdateschauen1(Item(Web1, "NachUpdateschauen1", "Update?", "Update Nimbulon")),
      Hilfe1(Item(MainMenu1.Items(), "Hilfe1", "&Help", "Help")),
      berNimbulon1(Item(Hilfe1, "berNimbulon1", "About Nimbulon", "Information about Nimbulon")),
      Histgroy1(Item(Hilfe1, "Histgroy1", "&Programm History", "Displays Program History")),
      Lizenbed1(Item(Hilfe1, "Lizenbed1", "&Licence", "Displays Licence")),
      Programmsichtabermachen1(Item(PopupMenu1.Items(), "Programmsichtabermachen1", "&Open Nimbulon", "")),
      Hideprogram1(Item(PopupMenu1.Items(), "Hideprogram1", "&Hide program", "", true)),
      Showprogram1(Item(PopupMenu1.Items(), "Showprogram1", "&Show program", "")),
      Programmschlieen1(Item(PopupMenu1.Items(), "Programmschlieen1", "&Close Nimbulon", "", true)),
      NotifyIcon1(app, *this),
      hotkeySlots_{{{hotkeys::kHotkeyAssignments[0].value, HKAkt, AktivesFensterverstecken1},
                    {hotkeys::kHotkeyAssignments[1].value, KHAFV, AlleFensterVerstecken1},
                    {hotkeys::kHotkeyAssignments[2].value, AFSM, AlleFenstersichtbarmachen1},
                    {hotkeys::kHotkeyAssignments[3].value, KHTASK, NimbulonzurTaskleiste1}}},
      lists_(app, *this,
             {*this, StringGrid1, StringGrid2, PopupMenu1, ImglistPHide, Hideprogram1, Showprogram1, Verstecken1,
              Anzeigen1}),
      tray_(app, *this, *this, NotifyIcon1, ZurSystrayminimieren1),
      switches_(
          app, *this,
          {DesktopIconsausblenden1, ToolButton7, HideTaskbar1, ToolButton12, Disablectrlaltdel1, IndenAutostart1}) {
  SetCaption("Nimbulon");
  SetPosition(ui::FormPosition::ScreenCenter);
  SetBounds(0, 0, 532, 258);
  SetMinTrackSize(320, 180);
  SetIconResource("MAINICON");
  SetMenu(&MainMenu1);
  AddMenu(&PopupMenu1);
  AddMenu(&PopupMenu2);
  BuildMenus();
  BuildTrayMenu();
  BuildToolBar();
  BuildLists();
  BindEvents();
  // The shell switches own the desktop and taskbar toggles; each rebuild of
  // the lists has them follow what something else did to the shell.
  lists_.OnRebuilt = [this] { switches_.ReadScreen(); };
}

TfrmNimbulMain::~TfrmNimbulMain() = default;

void TfrmNimbulMain::BuildMenus() {
  auto& wm = App().Sys().wm;
  auto shortcut = [&wm](ui::MenuItem& item, hotkeys::TShortCut value) {
    item.SetShortCut(value, hotkeys::FormatShortCut(value, wm));
  };
  Verstecken1.SetEnabled(false);
  Anzeigen1.SetEnabled(false);
  shortcut(Verstecken1, kF1);
  shortcut(Anzeigen1, kF2);
  AktivesFensterverstecken1.SetEnabled(false);
  for (std::size_t i = 0; i < hotkeySlots_.size(); ++i)
    shortcut(hotkeySlots_[i].menuItem, hotkeys::kHotkeyAssignments[i].defaultValue);
  shortcut(Ende1, kCtrlX);
  shortcut(Aktualisieren1, kF5);
  Toolbar2.SetChecked(true);
  Satusanzeige1.SetChecked(true);
  Histgroy1.SetVisible(false);
  // Shown only when the settings say so, once the creation has read them.
  Disablectrlaltdel1.SetVisible(false);
}

void TfrmNimbulMain::BuildTrayMenu() {
  Programmsichtabermachen1.SetDefault(true);
  PopupMenu1.SetImages(&ImglistPHide);
  auto& first = PopupMenu2.Items().Add("Homepage1", dialogs::HomePageHost());
  first.SetDefault(true);
  first.OnClick = [this](ui::MenuItem&) { Webpage1Click(); };
  PopupMenu2.Items().Add("Homepage2", "Mirror site");
}

void TfrmNimbulMain::BuildToolBar() {
  ToolBar1.SetAlign(ui::Align::Top);
  ToolBar1.SetHeight(26);
  ToolBar1.SetFlat(true);
  ImageList1.SetResourceName("TOOLBAR");
  ToolBar1.SetImages(&ImageList1);
  ToolButton1.SetHint("Show selected Window");
  ToolButton10.SetHint("Show all Windows");
  ToolButton11.SetHint("Hide all Windows");
  ToolButton2.SetHint("Hide selected Window");
  ToolButton3.SetHint("Refresh View");
  ToolButton7.SetHint("Hide/Show Desktop Icons");
  ToolButton12.SetHint("Hide/Show Taskbar");
  ToolButton8.SetHint("Minimize to Systemtray");
  ToolButton8.SetVisible(false);
  ToolButton5.SetHint("About Nimbulon");
  ToolButton9.SetHint("Open Nimbulon' Homepage");
  ToolButton9.SetDropdownMenu(&PopupMenu2);
  Label3.SetCaption("Tell us what you think of this program!");
  Label3.SetHint("Give us some Feedback....");
  Label3.SetLink(true);
  Label3.SetFontColor(ui::kClBlue);
  for (ui::Control* c : ToolBar1.Children()) c->SetShowHint(true);
}

void TfrmNimbulMain::BuildLists() {
  Panel3.SetAlign(ui::Align::Top);
  Panel3.SetHeight(4);
  Panel1.SetAlign(ui::Align::Top);
  Panel1.SetHeight(22);
  Panel1.SetSingleBorder(true);
  Label1.SetCaption(" Visible Windows");
  Label1.SetAlign(ui::Align::Left);
  Label1.SetWidth(90);
  Label2.SetCaption("Hidden Windows ");
  Label2.SetAlignment(ui::TextAlign::Right);
  Label2.SetAlign(ui::Align::Right);
  Label2.SetWidth(90);
  StatusBar1.SetAlign(ui::Align::Bottom);
  StatusBar1.SetHeight(19);
  StatusBar1.SetSimpleText("  ");
  StringGrid1.SetAlign(ui::Align::Left);
  StringGrid1.SetWidth(266);
  StringGrid1.SetHint("These are the currently visible Windows");
  Splitter1.SetAlign(ui::Align::Left);
  Splitter1.SetWidth(3);
  StringGrid2.SetAlign(ui::Align::Client);
  StringGrid2.SetHint("These are the Windows, that were hidden by Nimbulon");
  for (ui::StringGrid* g : {&StringGrid1, &StringGrid2}) {
    g->SetDefaultRowHeight(16);
    g->SetGridLineWidth(0);
    g->SetShowHint(true);
  }
  StringGrid1.SetColWidth(0, 181);
  StringGrid1.SetColWidth(1, 55);
  StringGrid2.SetColWidth(0, 166);
  StringGrid2.SetColWidth(1, 57);
}

void TfrmNimbulMain::BindEvents() {
  OnCreate = [this] { FormCreate(); };
  OnShow = [this] { FormShow(); };
  OnActivate = [this] { FormActivate(); };
  OnDeactivate = [this] { FormDeactivate(); };
  OnZOrderChange = [this] { FormZOrderChange(); };
  OnHide = [this] { FormHide(); };
  OnResize = [this] { FormResize(); };
  OnClose = [this] { FormClose(); };
  Timer1.OnTimer = [this] { Timer1Timer(); };
  StringGrid1.OnDblClick = [this] { StringGrid1DblClick(); };
  StringGrid2.OnDblClick = [this] { StringGrid2DblClick(); };
  ToolButton1.OnClick = [this] { ToolButton1Click(); };
  ToolButton2.OnClick = [this] { ToolButton2Click(); };
  ToolButton10.OnClick = [this] { ToolButton10Click(); };
  ToolButton11.OnClick = [this] { ToolButton11Click(); };
  ToolButton3.OnClick = [this] { ToolButton3Click(); };
  ToolButton8.OnClick = [this] { ToolButton8Click(); };
  ToolButton5.OnClick = [this] { ToolButton5Click(); };
  berNimbulon1.OnClick = [this](ui::MenuItem&) { ToolButton5Click(); };
  ToolButton9.OnClick = [this] { Webpage1Click(); };
  Webpage1.OnClick = [this](ui::MenuItem&) { Webpage1Click(); };
  EMailschreiben1.OnClick = [this](ui::MenuItem&) { EMailschreiben1Click(); };
  Histgroy1.OnClick = [this](ui::MenuItem&) { Histgroy1Click(); };
  Lizenbed1.OnClick = [this](ui::MenuItem&) { Lizenbed1Click(); };
  Label3.OnClick = [this] { Label3Click(); };
  Farben1.OnClick = [this](ui::MenuItem&) { Farben1Click(); };
  ToolBar1.OnMouseMove = [this] { GroupBox1MouseMove(); };
  Label1.OnMouseMove = [this] { GroupBox1MouseMove(); };
  Label2.OnMouseMove = [this] { GroupBox1MouseMove(); };
  Fenster1.OnClick = [this](ui::MenuItem&) { Fenster1Click(); };
  Verstecken1.OnClick = [this](ui::MenuItem&) { StringGrid1DblClick(); };
  Anzeigen1.OnClick = [this](ui::MenuItem&) { StringGrid2DblClick(); };
  NimbulonzurTaskleiste1.OnClick = [this](ui::MenuItem&) { ToolButton8Click(); };
  Ende1.OnClick = [this](ui::MenuItem&) { Ende1Click(); };
  Aktualisieren1.OnClick = [this](ui::MenuItem&) { ToolButton3Click(); };
  Toolbar2.OnClick = [this](ui::MenuItem&) { Toolbar2Click(); };
  Satusanzeige1.OnClick = [this](ui::MenuItem&) { Satusanzeige1Click(); };
  Hotkeysbestimmen1.OnClick = [this](ui::MenuItem&) { Hotkeysbestimmen1Click(); };
  NachUpdateschauen1.OnClick = [this](ui::MenuItem&) { NachUpdateschauen1Click(); };
  Programmschlieen1.OnClick = [this](ui::MenuItem&) { Programmschlieen1Click(); };
  Programmsichtabermachen1.OnClick = [this](ui::MenuItem&) { Programmsichtabermachen1Click(); };
  PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
  NotifyIcon1.PopupMenu = &PopupMenu1;
  NotifyIcon1.OnDblClick = [this](shell::TNotifyIcon&, shell::MouseButton) { NotifyIcon1DblClick(); };
  ZurSystrayminimieren1.OnClick = [this](ui::MenuItem&) { ZurSystrayminimieren1Click(); };
  SystrayIcon1.OnClick = [this](ui::MenuItem&) { SystrayIcon1Click(); };
  DesktopIconsausblenden1.OnClick = [this](ui::MenuItem&) { DesktopIconsausblenden1Click(); };
  ToolButton7.OnClick = [this] { DesktopIconsausblenden1Click(); };
  HideTaskbar1.OnClick = [this](ui::MenuItem&) { HideTaskbar1Click(); };
  ToolButton12.OnClick = [this] { HideTaskbar1Click(); };
  Disablectrlaltdel1.OnClick = [this](ui::MenuItem&) { Disablectrlaltdel1Click(); };
  IndenAutostart1.OnClick = [this](ui::MenuItem&) { IndenAutostart1Click(); };
  // The hotkey handlers run under the application's error handling like any other.
  auto bind = [this](hotkeys::TKeyHot& k, void (TfrmNimbulMain::*handler)()) {
    k.HotKeyEvent = [this, handler](hotkeys::TKeyHot&) { App().Guard([this, handler] { (this->*handler)(); }); };
  };
  bind(HKAkt, &TfrmNimbulMain::HKAktHotKeyEvent);
  bind(KHAFV, &TfrmNimbulMain::KHAFVHotKeyEvent);
  bind(AFSM, &TfrmNimbulMain::AFSMHotKeyEvent);
  bind(KHTASK, &TfrmNimbulMain::KHTASKHotKeyEvent);
}

void TfrmNimbulMain::FormCreate() {
  ui::Application& app = App();
  auto& files = app.Sys().files;
  // Leftovers of an update, and the note of one that failed.
  const std::string folder = app.ExeFolder();
  update::RemoveUpdateLeftovers(app);
  // Hints go to the status bar, which also reports a hotkey another program holds.
  app.OnHint = [this] { AppHint(); };
  RefreshHKeys();
  app.SetHintColor(kHintColor);
  app.OnRestore = [this] { AppRestore(); };
  // Neither in the tray nor with the taskbar hidden until the settings and the
  // first rebuild of the lists say otherwise.
  TaskbarHiddenFlag = false;
  MinimizedFlag = false;
  // The first start's greeting, the stored switches, bars and list colours.
  ApplySettings();
  app.OnActivate = [this] { FormActivate(); };
  app.OnMinimize = [this] { AppMinimize(); };
  // The end of the session comes in two steps. Asked, the program shows every
  // window it hid, before the other programs are asked to close, so none is
  // lost and none hides a question of its program; the rest of closing waits
  // for the end itself, since the user may still cancel.
  app.OnQueryEndSession = [this] { lists_.ShowAllForClose(); };
  app.OnEndSession = [this](bool ending) {
    if (ending)
      FormClose();
    else
      lists_.SessionGoesOn();
  };
  // Both lists are filled before the window first shows.
  RefreshWindowList();
  // Windows a run that ended without closing left hidden come back into the list.
  lists_.RecoverHidden();
  // The Run box finds the program by its name.
  WriteAppPaths();
  // The history entry is offered only where its help file was installed.
  if (files.FileExists(folder + "History.hlp")) Histgroy1.SetVisible(true);
}

void TfrmNimbulMain::ApplySettings() {
  settings::SettingsAccessor s(App().Sys().registry);
  s.OpenKey(settings::kSettingsKey, true);
  if (!s.HasValue(settings::SchonXgestartet.name)) {
    App().ShowMessageBox(
        "This is the first time, that you start this Program!\r\nPlease read the Licence in "
        "Help->Licence\r\n\r\nWe hope you'll enjoy this Software",
        "Caution", platform::kMbOk | platform::kMbIconInformation);
    s.SetFlag(settings::SchonXgestartet.name, true);
  }
  ZurSystrayminimieren1.SetChecked(settings::EnsureFlag(s, settings::SystrayMin));
  Disablectrlaltdel1.SetVisible(s.HasValue(settings::StrgAltEntf.name) && s.GetFlag(settings::StrgAltEntf.name));
  bool toolbar = settings::EnsureFlag(s, settings::Toolbar);
  s.SetFlag(settings::Toolbar.name, toolbar);
  Toolbar2.SetChecked(toolbar);
  ToolBar1.SetVisible(toolbar);
  bool status = settings::EnsureFlag(s, settings::Status);
  s.SetFlag(settings::Status.name, status);
  Satusanzeige1.SetChecked(status);
  StatusBar1.SetVisible(status);
  // Each colour takes effect as soon as it is read: a broken text colour
  // must not keep the background from being applied.
  ui::Color back = settings::EnsureColor(s, settings::Gridcolor);
  for (ui::StringGrid* g : {&StringGrid1, &StringGrid2}) g->SetColors(back, g->FontColor());
  ui::Color font = settings::EnsureColor(s, settings::GridFontcolor);
  for (ui::StringGrid* g : {&StringGrid1, &StringGrid2}) g->SetColors(back, font);
  Label3.SetVisible(settings::EnsureFlag(s, settings::EMailanzeigen));
  s.CloseKey();

  settings::SettingsAccessor run(App().Sys().registry);
  run.OpenKey(settings::kRunKey, true);
  IndenAutostart1.SetChecked(run.HasValue(settings::kRunValue));
}

void TfrmNimbulMain::WriteAppPaths() {
  // The machine's key first. A standard user may not write there, and the
  // shell reads the user's own App Paths key as well, so a refusal is met
  // there without a word; only when that fails too is the failure reported.
  for (platform::Hkey root : {platform::kHkeyLocalMachine, platform::kHkeyCurrentUser}) {
    try {
      settings::SettingsAccessor s(App().Sys().registry);
      s.SetRoot(root);
      s.OpenKey(settings::kAppPathsKey, true);
      s.SetTextValue("", App().ExeName());
      s.SetTextValue("Path", App().ExeFolder());
      return;
    } catch (const Error&) {
      if (root == platform::kHkeyCurrentUser) throw;
    }
  }
}

void TfrmNimbulMain::FormShow() {
  if (IsActive() && StringGrid1.CanFocus()) StringGrid1.SetFocus();
  RefreshWindowList();
}

void TfrmNimbulMain::FormActivate() { lists_.RefreshAfterActivation(); }
void TfrmNimbulMain::FormDeactivate() { RefreshWindowList(); }
// Raised, it has other windows below it: the list follows once the raise has settled.
void TfrmNimbulMain::FormZOrderChange() { lists_.RebuildWhenSettled(); }
void TfrmNimbulMain::FormHide() { RefreshWindowList(); }

void TfrmNimbulMain::FormResize() {
  auto& wm = App().Sys().wm;
  SetGradientSteps(30 * Width());
  StringGrid1.SetWidth(Width() / 2);
  Realign();
  RefreshWindowList();
  for (ui::StringGrid* g : {&StringGrid1, &StringGrid2}) {
    int w = g->Width() - wm.GetSystemMetrics(platform::kSmCxBorder) - wm.GetSystemMetrics(platform::kSmCxHscroll) - 3;
    int name = static_cast<int>(std::nearbyint(w * 0.8));
    g->SetColWidth(0, name);
    g->SetColWidth(1, w - name);
  }
}

void TfrmNimbulMain::FormClose() {
  // Every hidden window comes back, and the tray icon goes with the program.
  lists_.ShowAllForClose();
  tray_.RemoveIcon();
  // The shell is left as the user had it before the program touched it.
  switches_.RestoreShell();
}

void TfrmNimbulMain::Ende1Click() { Close(); }

void TfrmNimbulMain::Toolbar2Click() {
  Toolbar2.SetChecked(!Toolbar2.Checked());
  ToolBar1.SetVisible(Toolbar2.Checked());
  settings::SettingsAccessor s(App().Sys().registry);
  s.OpenKey(settings::kSettingsKey, true);
  s.SetFlag(settings::Toolbar.name, Toolbar2.Checked());
}

void TfrmNimbulMain::Satusanzeige1Click() {
  Satusanzeige1.SetChecked(!Satusanzeige1.Checked());
  StatusBar1.SetVisible(Satusanzeige1.Checked());
  settings::SettingsAccessor s(App().Sys().registry);
  s.OpenKey(settings::kSettingsKey, true);
  s.SetFlag(settings::Status.name, Satusanzeige1.Checked());
}

void TfrmNimbulMain::AppHint() {
  // Without a hint to show, a hotkey that does nothing stays reported.
  const std::string& hint = App().Hint();
  StatusBar1.SetSimpleText(hint.empty() && !hotkeysInUse_.empty() ? hotkeysInUse_ : hint);
}

void TfrmNimbulMain::GroupBox1MouseMove() { StatusBar1.SetSimpleText("Nimbulon " + GetFileVersionText(App())); }

void TfrmNimbulMain::AppRestore() {
  MinimizedFlag = false;
  tray_.AppRestore();
  RefreshWindowList();
}

void TfrmNimbulMain::SetPeers(const MainWindowPeers& p) {
  peers_ = p;
  tray_.SetForms(p.iconChooser, p.taskbarButton);
}

void TfrmNimbulMain::AppMinimize() { tray_.AppMinimize(); }
void TfrmNimbulMain::ToolButton8Click() { tray_.SendToTray(); }
void TfrmNimbulMain::NotifyIcon1DblClick() { RestoreFromTray(); }
void TfrmNimbulMain::Programmsichtabermachen1Click() { RestoreFromTray(); }
void TfrmNimbulMain::RestoreFromTray() { tray_.RestoreFromTray(); }
void TfrmNimbulMain::ZurSystrayminimieren1Click() { tray_.ToggleMinimizeToTray(); }
void TfrmNimbulMain::Programmschlieen1Click() { Close(); }
void TfrmNimbulMain::PopupMenu1Popup() { BuildTrayWindowMenus(); }
void TfrmNimbulMain::SystrayIcon1Click() {
  if (peers_.iconChooser) peers_.iconChooser->Open();
}
void TfrmNimbulMain::DesktopIconsausblenden1Click() { switches_.DesktopIconsausblenden1Click(); }
void TfrmNimbulMain::HideTaskbar1Click() { switches_.HideTaskbar1Click(); }
void TfrmNimbulMain::Disablectrlaltdel1Click() { switches_.Disablectrlaltdel1Click(); }
void TfrmNimbulMain::IndenAutostart1Click() { switches_.IndenAutostart1Click(); }

void TfrmNimbulMain::RefreshHKeys() {
  const auto refused = hotkeys::RefreshHKeys(App().Sys(), hotkeySlots_);
  hotkeysInUse_ = refused.empty() ? std::string() : hotkeys::HotkeysInUseText(refused, App().Sys().wm);
  if (!hotkeysInUse_.empty()) StatusBar1.SetSimpleText(hotkeysInUse_);
}

void TfrmNimbulMain::Hotkeysbestimmen1Click() {
  if (peers_.hotkeyDialog) hotkeys::OpenHotkeyDialog(*peers_.hotkeyDialog, hotkeySlots_, *this);
}

void TfrmNimbulMain::ToolButton5Click() {
  if (peers_.aboutBox) dialogs::OpenAboutBox(*peers_.aboutBox, *this);
}

void TfrmNimbulMain::NachUpdateschauen1Click() {
  if (peers_.updateDialog) update::OpenUpdateDialog(*peers_.updateDialog, *this);
}

void TfrmNimbulMain::Webpage1Click() { dialogs::OpenHomePage(App(), Handle()); }
void TfrmNimbulMain::EMailschreiben1Click() { dialogs::WriteFeedbackMail(App(), Handle()); }
void TfrmNimbulMain::Histgroy1Click() { dialogs::OpenHistory(App(), Handle()); }

void TfrmNimbulMain::Lizenbed1Click() {
  if (peers_.licence) dialogs::OpenLicence(*peers_.licence, *this);
}

void TfrmNimbulMain::Label3Click() {
  if (peers_.feedback) dialogs::OpenFeedback(*peers_.feedback, *this);
}

void TfrmNimbulMain::Farben1Click() {
  if (peers_.colors) windows::OpenColorsDialog(*peers_.colors, *this);
}

void TfrmNimbulMain::ToolButton3Click() { RefreshWindowList(); }

bool TfrmNimbulMain::MainCanFocus() { return Visible() && Enabled() && !App().Minimized(); }

void TfrmNimbulMain::BringToFront() { App().BringToFront(); }

void TfrmNimbulMain::KHTASKHotKeyEvent() {
  if (MinimizedFlag) {
    auto& wm = App().Sys().wm;
    const platform::Hwnd before = wm.GetForegroundWindow();
    App().SetShowMainForm(true);
    BringToFront();
    if (peers_.taskbarButton) peers_.taskbarButton->Hide();
    // Taking the icon away may wait on the shell: done before the window is
    // back on screen, so nothing slow lies between its showing and its
    // bring-to-front.
    tray_.RemoveIcon();
    Show();
    App().Restore();
    MinimizedFlag = false;
    // A window the user activated once this one was on screen keeps the
    // foreground: taken back, the F9 pressed in it would find Nimbulon active
    // and hide nothing.
    if (App().Active() || wm.GetForegroundWindow() == before) BringToFront();
  } else {
    ToolButton8Click();
    if (TaskbarHiddenFlag && peers_.taskbarButton) peers_.taskbarButton->Show();
    MinimizedFlag = true;
    BringToFront();
  }
}

}  // namespace nimbul::app

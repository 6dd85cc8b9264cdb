// The main window: the two window lists, menus, tool bar, status bar, the
// four global hotkeys and the tray menu.
#pragma once
#include <memory>
#include <set>
#include <string>

#include "dialogs/about_box.h"
#include "dialogs/feedback_form.h"
#include "dialogs/licence_window.h"
#include "hotkeys/hotkey_assignment.h"
#include "hotkeys/hotkey_dialog.h"
#include "hotkeys/key_hot.h"
#include "shell/icon_chooser.h"
#include "shell/notify_icon.h"
#include "shell/shell_switches.h"
#include "shell/taskbar_button.h"
#include "shell/tray.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/menu.h"
#include "ui/string_grid.h"
#include "ui/timer.h"
#include "ui/program_host.h"
#include "ui/tool_bar.h"
#include "update/update_dialog.h"
#include "windows/colors_dialog.h"
#include "windows/window_lists.h"

namespace nimbul::app {

// The forms the main window opens and hands work to; set by the program
// entry once every window exists.
struct MainWindowPeers {
  ui::Form* taskbarButton = nullptr;  // the taskbar substitute window
  hotkeys::TfrmHotkey* hotkeyDialog = nullptr;
  dialogs::TForm2* aboutBox = nullptr;
  update::TfrmUpdate* updateDialog = nullptr;
  dialogs::TForm3* licence = nullptr;
  dialogs::TfrmEMail* feedback = nullptr;
  windows::TForm8* colors = nullptr;
  shell::TForm5* iconChooser = nullptr;
};

class TfrmNimbulMain : public ui::Form,
                       public ui::ProgramFlags,
                       public ui::ProgramHost,
                       public ui::DialogHost,
                       public hotkeys::HotkeyHost,
                       public update::UpdateHost,
                       public shell::TaskbarButtonHost {
 public:
  explicit TfrmNimbulMain(ui::Application& app);
  ~TfrmNimbulMain() override;

  void SetPeers(const MainWindowPeers& p);

  // Controls, by their designer names.
  ui::ImageList ImageList1{16, 16};
  ui::ImageList ImglistPHide{16, 16};
  ui::MainMenu MainMenu1;
  ui::PopupMenu PopupMenu1;
  ui::PopupMenu PopupMenu2;
  ui::ToolBar ToolBar1;
  ui::ToolButton ToolButton1, ToolButton10, ToolButton11, ToolButton2, ToolSep1, ToolButton3, ToolSep2, ToolButton7,
      ToolButton12, ToolButton8, ToolSep3, ToolButton5, ToolButton9, ToolSep4;
  ui::Label Label3;
  ui::Panel Panel3;
  ui::Panel Panel1;
  ui::Label Label1, Label2;
  ui::StatusBar StatusBar1;
  ui::StringGrid StringGrid1;
  ui::Splitter Splitter1;
  ui::StringGrid StringGrid2;
  ui::Timer Timer1;
  hotkeys::TKeyHot HKAkt, KHAFV, AFSM, KHTASK;

  // Menu entries.
  ui::MenuItem &Fenster1, &Verstecken1, &Anzeigen1, &AktivesFensterverstecken1, &AlleFenstersichtbarmachen1,
      &AlleFensterVerstecken1, &NimbulonzurTaskleiste1, &Ende1;
  ui::MenuItem &Ansicht1, &Aktualisieren1, &Farben1, &Toolbar2, &Satusanzeige1;
  ui::MenuItem &Optionen1, &DesktopIconsausblenden1, &HideTaskbar1, &ZurSystrayminimieren1, &IndenAutostart1,
      &Disablectrlaltdel1, &SystrayIcon1, &Hotkeysbestimmen1;
  ui::MenuItem &Web1, &Webpage1, &EMailschreiben1, &NachUpdateschauen1;
  ui::MenuItem &Hilfe1, &berNimbulon1, &Histgroy1, &Lizenbed1;
  // Tray menu entries.
  ui::MenuItem &Programmsichtabermachen1, &Hideprogram1, &Showprogram1, &Programmschlieen1;
  shell::TNotifyIcon NotifyIcon1;

  // Life cycle and layout.
  void FormCreate();
  void FormShow();
  void FormActivate();
  void FormDeactivate();
  void FormZOrderChange();
  void FormHide();
  void FormResize();
  void FormClose();
  void Ende1Click();
  void Toolbar2Click();
  void Satusanzeige1Click();
  void AppHint();
  void AppRestore();
  void AppMinimize();
  void GroupBox1MouseMove();
  void ToolButton3Click();
  void RefreshHKeys() override;
  ui::Form& HostForm() override { return *this; }
  void OpenHomePage() override { Webpage1Click(); }
  void Hotkeysbestimmen1Click();
  void NachUpdateschauen1Click();
  // Sends the program to the tray.
  void ToolButton8Click();
  // Information dialogs and web links.
  void ToolButton5Click();
  void Webpage1Click();
  void EMailschreiben1Click();
  void Histgroy1Click();
  void Lizenbed1Click();
  void Label3Click();
  // List colours.
  void Farben1Click();

  // Tray: the tray object owns it.
  void NotifyIcon1DblClick();
  void Programmsichtabermachen1Click();
  void RestoreFromTray() override;
  void ZurSystrayminimieren1Click();
  void Programmschlieen1Click();
  void PopupMenu1Popup();
  void SystrayIcon1Click();
  // Shell switches: the switches object owns them.
  void DesktopIconsausblenden1Click();
  void HideTaskbar1Click() override;
  void Disablectrlaltdel1Click();
  void IndenAutostart1Click();

  // Window lists, hiding and showing: the window lists own them.
  void RefreshWindowList() { lists_.RefreshWindowList(); }
  void Timer1Timer() { lists_.Timer1Timer(); }
  void BuildTrayWindowMenus() { lists_.BuildTrayWindowMenus(); }
  void StringGrid1DblClick() { lists_.StringGrid1DblClick(); }
  void StringGrid2DblClick() { lists_.StringGrid2DblClick(); }
  void ToolButton1Click() { lists_.ToolButton1Click(); }
  void ToolButton2Click() { lists_.ToolButton2Click(); }
  void ToolButton10Click() { lists_.ToolButton10Click(); }
  void ToolButton11Click() { lists_.ToolButton11Click(); }
  void HKAktHotKeyEvent() { lists_.HKAktHotKeyEvent(); }
  void KHAFVHotKeyEvent() { lists_.KHAFVHotKeyEvent(); }
  void AFSMHotKeyEvent() { lists_.AFSMHotKeyEvent(); }
  void TrayHideWindowClick(const ui::MenuItem& item) { lists_.TrayHideWindowClick(item); }
  void TrayShowWindowClick(const ui::MenuItem& item) { lists_.TrayShowWindowClick(item); }
  void TrayHideAllClick() { lists_.TrayHideAllClick(); }
  void TrayShowAllClick() { lists_.TrayShowAllClick(); }
  void Fenster1Click() { lists_.Fenster1Click(); }
  void KHTASKHotKeyEvent();
  const windows::WindowLists& Lists() const { return lists_; }

  // What the subsystems reach back for.
  ui::ProgramFlags& Flags() override { return *this; }
  void BringToFront() override;
  void SendToTray() override { ToolButton8Click(); }
  // The main window can take the focus: shown, enabled, not in the tray.
  bool MainCanFocus() override;

 private:
  void BuildMenus();
  void BuildTrayMenu();
  void BuildToolBar();
  void BuildLists();
  void BindEvents();
  void ApplySettings();
  void WriteAppPaths();

  MainWindowPeers peers_;
  hotkeys::HotkeySlots hotkeySlots_;
  // What the status bar says about hotkeys another program holds; empty when none.
  std::string hotkeysInUse_;
  windows::WindowLists lists_;
  shell::Tray tray_;
  shell::ShellSwitches switches_;
};

using ui::GetFileVersionText;

}  // namespace nimbul::app

// The program in the notification area: going to the tray, minimizing to it,
// coming back, and the option that sends every minimize there.
#pragma once
#include "settings/settings.h"
#include "ui/program_host.h"
#include "shell/icon_chooser.h"
#include "shell/notify_icon.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/menu.h"

namespace nimbul::shell {

class Tray {
 public:
  // `option` is the "Minimize to Systemtray" item, `icon` the main window's tray icon.
  Tray(ui::Application& app, ui::Form& main, ui::ProgramHost& host, TNotifyIcon& icon, ui::MenuItem& option);

  // The icon chooser (picture and tooltip) and the taskbar substitute window.
  void SetForms(TForm5* chooser, ui::Form* taskbarButton) {
    chooser_ = chooser;
    taskbarButton_ = taskbarButton;
  }

  void SendToTray();
  void AppMinimize();
  void RestoreFromTray();
  // The application left the minimized state, by whatever way.
  void AppRestore();
  // Flips "Minimize to Systemtray" and stores it.
  void ToggleMinimizeToTray();
  // The icon leaves the notification area (closing, coming back by hotkey).
  void RemoveIcon() { icon_.SetVisible(false); }
  void ShowTaskbarButton(bool show);

 private:
  // Shows the icon with the chooser's current picture and tooltip.
  void ShowIcon();
  // The taskbar button goes only once the icon is there to come back by.
  void HideTaskbarButton();

  ui::Application& app_;
  ui::Form& main_;
  ui::ProgramHost& host_;
  TNotifyIcon& icon_;
  ui::MenuItem& option_;
  TForm5* chooser_ = nullptr;
  ui::Form* taskbarButton_ = nullptr;
  // The taskbar button waits for the icon to be taken by the shell.
  bool buttonWaiting_ = false;
};

}  // namespace nimbul::shell

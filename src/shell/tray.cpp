#include "shell/tray.h"

#include "settings/settings_layout.h"

namespace nimbul::shell {

Tray::Tray(ui::Application& app, ui::Form& main, ui::ProgramHost& host, TNotifyIcon& icon, ui::MenuItem& option)
    : app_(app), main_(main), host_(host), icon_(icon), option_(option) {
  icon_.OnReAdded = [this](TNotifyIcon&) {
    if (buttonWaiting_ && icon_.visible()) HideTaskbarButton();
  };
}

void Tray::ShowIcon() {
  icon_.SetVisible(true);
  icon_.SetIcon(chooser_ ? chooser_->Icon() : platform::Hicon{});
  icon_.SetTip(chooser_ ? chooser_->edtooltip.Text() : std::string());
}

void Tray::HideTaskbarButton() {
  // Without the icon the taskbar button is the user's only way back.
  buttonWaiting_ = !icon_.Added();
  if (!buttonWaiting_) app_.ShowApplicationWindow(false);
}

void Tray::SendToTray() {
  app_.Minimize();
  ShowIcon();
  HideTaskbarButton();
}

void Tray::AppMinimize() {
  host_.Flags().MinimizedFlag = true;
  if (option_.Checked()) {
    ShowIcon();
    if (!host_.Flags().TaskbarHiddenFlag) HideTaskbarButton();
  }
  if (host_.Flags().TaskbarHiddenFlag) ShowTaskbarButton(true);
  host_.BringToFront();
}

void Tray::RestoreFromTray() {
  buttonWaiting_ = false;
  app_.SetShowMainForm(true);
  app_.ShowApplicationWindow(true);
  app_.Restore();
  icon_.SetVisible(false);
  host_.BringToFront();
  main_.Show();
}

void Tray::AppRestore() {
  // Back on screen by the taskbar button that was kept while the shell did
  // not take the icon: the icon is no longer wanted, and one the shell takes
  // later must not take the button of a program that is on screen.
  if (!buttonWaiting_) return;
  buttonWaiting_ = false;
  icon_.SetVisible(false);
}

void Tray::ToggleMinimizeToTray() {
  option_.SetChecked(!option_.Checked());
  settings::SettingsAccessor s(app_.Sys().registry);
  s.OpenKey(settings::kSettingsKey, true);
  s.SetFlag(settings::SystrayMin.name, option_.Checked());
}

void Tray::ShowTaskbarButton(bool show) {
  if (!taskbarButton_) return;
  if (show)
    taskbarButton_->Show();
  else
    taskbarButton_->Hide();
}

}  // namespace nimbul::shell

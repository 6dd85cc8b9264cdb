#include "shell/shell_switches.h"

#include "platform/shell_windows.h"
#include "settings/settings.h"

namespace nimbul::shell {

std::string RunValueText(const std::string& exePath) {
  const bool blank = exePath.find(' ') != std::string::npos;
  return (blank ? "\"" + exePath + "\"" : exePath) + " /systray";
}

void ShellSwitches::ReadScreen() {
  auto& wm = app_.Sys().wm;
  const bool desktopHidden = !wm.IsWindowVisible(wm.FindWindowA(platform::kDesktopClass));
  c_.desktop.SetChecked(desktopHidden);
  c_.desktopButton.SetDown(desktopHidden);
  const bool taskbarHidden = !wm.IsWindowVisible(wm.FindWindowA(platform::kTaskbarClass));
  c_.taskbar.SetChecked(taskbarHidden);
  c_.taskbarButton.SetDown(taskbarHidden);
  host_.Flags().TaskbarHiddenFlag = taskbarHidden;
}

void ShellSwitches::DesktopIconsausblenden1Click() {
  auto& wm = app_.Sys().wm;
  const bool hide = !c_.desktop.Checked();
  wm.ShowWindow(wm.FindWindowA(platform::kDesktopClass), hide ? platform::kSwHide : platform::kSwShow);
  c_.desktop.SetChecked(hide);
  c_.desktopButton.SetDown(hide);
  host_.BringToFront();
}

void ShellSwitches::HideTaskbar1Click() {
  auto& wm = app_.Sys().wm;
  const bool hide = !c_.taskbar.Checked();
  wm.ShowWindow(wm.FindWindowA(platform::kTaskbarClass), hide ? platform::kSwHide : platform::kSwShow);
  c_.taskbar.SetChecked(hide);
  c_.taskbarButton.SetDown(hide);
  host_.Flags().TaskbarHiddenFlag = hide;
  host_.BringToFront();
}

void ShellSwitches::Disablectrlaltdel1Click() {
  std::uint32_t previous = 0;
  auto& wm = app_.Sys().wm;
  if (c_.systemKeys.Checked()) {
    wm.SystemParametersInfoA(platform::kSpiSetScreenSaverRunning, 0, &previous, 0);
    c_.systemKeys.SetChecked(false);
  } else {
    wm.SystemParametersInfoA(platform::kSpiSetScreenSaverRunning, 1, &previous, 0);
    c_.systemKeys.SetChecked(true);
    app_.ShowMessageBox("All Hotkeys are going to be disabled!", "Important!",
                        platform::kMbOk | platform::kMbIconInformation);
  }
}

void ShellSwitches::IndenAutostart1Click() {
  settings::SettingsAccessor run(app_.Sys().registry);
  run.OpenKey(settings::kRunKey, true);
  if (c_.autostart.Checked()) {
    c_.autostart.SetChecked(false);
    // A value that cannot be deleted is left; the tick follows the user.
    run.RemoveValue(settings::kRunValue);
  } else {
    run.SetTextValue(settings::kRunValue, RunValueText(app_.ExeName()));
    c_.autostart.SetChecked(true);
  }
}

}  // namespace nimbul::shell

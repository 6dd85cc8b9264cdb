// The switches of the Windows shell: desktop icons, taskbar, the system's
// own key combinations, and the start at logon.
#pragma once
#include <string>

#include "ui/program_host.h"
#include "ui/application.h"
#include "ui/menu.h"
#include "ui/tool_bar.h"

namespace nimbul::shell {

// The Run value's text: the executable's path (in quotes when it holds a
// blank, so no shorter path can be taken for it) and the tray switch.
std::string RunValueText(const std::string& exePath);

struct SwitchControls {
  ui::MenuItem& desktop;
  ui::ToolButton& desktopButton;
  ui::MenuItem& taskbar;
  ui::ToolButton& taskbarButton;
  ui::MenuItem& systemKeys;
  ui::MenuItem& autostart;
};

class ShellSwitches {
 public:
  ShellSwitches(ui::Application& app, ui::ProgramHost& host, SwitchControls controls)
      : app_(app), host_(host), c_(controls) {}

  // Sets the desktop and taskbar toggles to what the screen shows, for when
  // something else hid or showed the desktop icons or the taskbar.
  void ReadScreen();

  void DesktopIconsausblenden1Click();
  void HideTaskbar1Click();
  void Disablectrlaltdel1Click();
  void IndenAutostart1Click();
  // At the end: every taskbar and the desktop icons are shown and the system's
  // key combinations are on again, whatever the ticks say.
  void RestoreShell();

 private:
  // Shows the window that holds the desktop icons now, and the one that held
  // them when they were hidden, should the shell have moved them since;
  // `shown` is a window shown already.
  void ShowDesktopIcons(platform::Hwnd shown = {});

  ui::Application& app_;
  ui::ProgramHost& host_;
  SwitchControls c_;
  platform::Hwnd hiddenIcons_{};
};

}  // namespace nimbul::shell

#include "shell/icon_chooser.h"

#include "settings/settings.h"
#include "settings/settings_layout.h"

namespace nimbul::shell {

TForm5::TForm5(ui::Application& app) : ui::Form(app, "Form5") {
  SetCaption("Nimbulon");
  SetBorder(ui::BorderStyle::Dialog);
  SetPosition(ui::FormPosition::ScreenCenter);
  SetClientSize(299, 307);
  OnCreate = [this] { FormCreate(); };
}

void TForm5::FormCreate() { Res(); }

void TForm5::Res() {
  settings::SettingsAccessor s(App().Sys().registry);
  s.OpenKey(settings::kSettingsKey, true);
  settings::EnsureNumber(s, settings::SysTrayIcon);
  settings::EnsureText(s, settings::SystrayToolTip);
}

}  // namespace nimbul::shell

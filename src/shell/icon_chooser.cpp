#include "shell/icon_chooser.h"

#include "app/settings.h"
#include "app/settings_layout.h"

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
  app::SettingsAccessor s(App().Sys().registry);
  s.OpenKey(app::kSettingsKey, true);
  app::EnsureNumber(s, app::settings::SysTrayIcon);
  app::EnsureText(s, app::settings::SystrayToolTip);
}

}  // namespace nimbul::shell

#include "shell/taskbar_button.h"

namespace nimbul::shell {

namespace {
constexpr int kButtonWidth = 113;
constexpr int kButtonHeight = 26;
}  // namespace

TForm4::TForm4(ui::Application& app) : ui::Form(app, "Form4"), SpeedButton1(this, "SpeedButton1") {
  SetCaption("Nimbulon");
  SetBorder(ui::BorderStyle::None);
  SetTopMost(true);
  SetClientSize(kButtonWidth, kButtonHeight);
  SpeedButton1.SetBounds(0, 0, kButtonWidth, kButtonHeight);
  SpeedButton1.SetCaption("&Nimbulon");
  SpeedButton1.SetGlyph(ui::Glyph::Program);
  // Enter on the window presses the one button.
  SpeedButton1.SetDefault(true);
  SpeedButton1.OnClick = [this] { Button1Click(); };
  OnShow = [this] { FormShow(); };
}

void TForm4::FormShow() {
  const int screenHeight = App().Sys().wm.GetSystemMetrics(platform::kSmCyScreen);
  SetBounds(0, screenHeight - kButtonHeight, kButtonWidth, kButtonHeight);
}

void TForm4::Button1Click() {
  // The program comes back whole, its tray icon gone, as from the tray.
  if (host_) host_->RestoreFromTray();
  App().Restore();
  Hide();
  if (host_) host_->HideTaskbar1Click();
  App().BringToFront();
}

}  // namespace nimbul::shell

#include "dialogs/licence_window.h"

#include "dialogs/licence_text.h"

namespace nimbul::dialogs {

TForm3::TForm3(ui::Application& app) : ui::Form(app, "Form3") {
  SetCaption("Nimbulon");
  SetBorder(ui::BorderStyle::Dialog);
  SetMinimizeBox(true);
  SetPosition(ui::FormPosition::ScreenCenter);
  SetClientSize(375, 189);

  Panel1.SetAlign(ui::Align::Bottom);
  Panel1.SetHeight(29);
  Label1.SetBounds(8, 8, 180, 13);
  Label1.SetCaption("!PLEASE READ THIS CAREFULLY!");
  Label1.SetFontColor(ui::kClNavy);
  Label1.SetUnderline(true);
  Label1.SetFontHeight(13);
  Button1.SetBounds(292, 2, 75, 25);
  Button1.SetCaption("&OK");
  Button1.SetDefault(true);
  Button1.SetTabOrder(0);
  Memo1.SetAlign(ui::Align::Client);
  Memo1.SetReadOnly(true);
  Memo1.SetTabOrder(1);
  Memo1.SetText(LicenceText());

  OnShow = [this] {
    if (Button1.CanFocus()) Button1.SetFocus();
  };
  OnClose = [this] { FormClose(); };
  Button1.OnClick = [this] { Button1Click(); };
  // Enter in the text acts as OK; Esc in the text or on OK closes.
  Memo1.OnKeyPress = [this](char key) { KeyPress(key); };
  OnKeyPress = [this](char key) { KeyPress(key); };
}

void TForm3::Button1Click() { Close(); }

void TForm3::KeyPress(char key) {
  if (key == '\r') Button1Click();
  if (key == '\x1b') Close();
}

void TForm3::FormClose() {
  if (taskbarButton_) taskbarButton_->SetEnabled(true);
  if (host_) host_->HostForm().SetEnabled(true);
}

void OpenLicence(TForm3& licence, ui::Form& mainWindow) {
  mainWindow.SetEnabled(false);
  licence.Show();
}

}  // namespace nimbul::dialogs

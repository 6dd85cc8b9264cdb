#include "dialogs/feedback_form.h"

#include "dialogs/web_links.h"
#include "settings/settings.h"
#include "settings/settings_layout.h"

namespace nimbul::dialogs {

TfrmEMail::TfrmEMail(ui::Application& app) : ui::Form(app, "frmEMail") {
  SetCaption("Your opinion is important for us.");
  SetBorder(ui::BorderStyle::ToolWindow);
  SetPosition(ui::FormPosition::ScreenCenter);
  SetClientSize(335, 121);

  Label1.SetBounds(8, 8, 313, 49);
  Label1.SetAlignment(ui::TextAlign::Center);
  Label1.SetWordWrap(true);
  Label1.SetLayout(ui::TextLayout::Center);
  Label1.SetCaption(
      "Please do mail us your opinion about this Program. Report typos, bugs and etc. to us by Mail.  All "
      "Feedback is welcome!");
  Button2.SetBounds(8, 64, 97, 25);
  Button2.SetCaption("Webpage");
  Button2.SetTabOrder(1);
  Button1.SetBounds(232, 64, 97, 25);
  Button1.SetCaption("Send E-Mail");
  Button1.SetTabOrder(0);
  CheckBox1.SetBounds(8, 96, 321, 17);
  CheckBox1.SetCaption("Don't show this message agin (restart Nimbluon)");
  CheckBox1.SetTabOrder(2);

  OnClose = [this] { FormClose(); };
  Button1.OnClick = [this] { Button1Click(); };
  Button2.OnClick = [this] { Button2Click(); };
  OnKeyPress = [this](char key) {
    if (key == '\x1b') Close();
  };
}

void TfrmEMail::Button1Click() {
  Close();
  WriteFeedbackMail(FormApp(), host_ ? host_->HostForm().Handle() : platform::Hwnd{});
}

void TfrmEMail::Button2Click() {
  Close();
  OpenHomePage(FormApp(), host_ ? host_->HostForm().Handle() : platform::Hwnd{});
}

void TfrmEMail::FormClose() {
  if (host_) host_->HostForm().SetEnabled(true);
  settings::SettingsAccessor s(FormApp().Sys().registry);
  s.OpenKey(settings::kSettingsKey, true);
  // Hiding the link for good is asked once more; any answer but Yes keeps it.
  if (CheckBox1.Checked()) {
    int answer = FormApp().ShowMessageBox("Are you sure you don't want this messasge to appear again ?", "Confirmation",
                                          platform::kMbYesNo | platform::kMbIconWarning);
    if (answer != platform::kIdYes) CheckBox1.SetChecked(false);
  }
  // Written on every close, so the stored value always follows the box.
  s.SetFlag(settings::EMailanzeigen.name, !CheckBox1.Checked());
}

void OpenFeedback(TfrmEMail& feedback, ui::Form& mainWindow) {
  mainWindow.SetEnabled(false);
  feedback.Show();
}

}  // namespace nimbul::dialogs

// The feedback form: where to send an opinion, and whether the toolbar's
// feedback link shows from the next start on.
#pragma once
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/program_host.h"

namespace nimbul::dialogs {

class TfrmEMail : public ui::Form {
 public:
  explicit TfrmEMail(ui::Application& app);

  void SetHost(ui::DialogHost* host) { host_ = host; }

  ui::Label Label1{this, "Label1"};
  ui::Button Button2{this, "Button2"};
  ui::Button Button1{this, "Button1"};
  ui::CheckBox CheckBox1{this, "CheckBox1"};

  void Button1Click();
  void Button2Click();
  void FormClose();

 private:
  ui::DialogHost* host_ = nullptr;
};

// The main window's feedback link: disables the main window, shows the form.
void OpenFeedback(TfrmEMail& feedback, ui::Form& mainWindow);

}  // namespace nimbul::dialogs

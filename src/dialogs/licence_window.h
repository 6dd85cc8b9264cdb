// The licence window.
#pragma once
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/program_host.h"

namespace nimbul::dialogs {

class TForm3 : public ui::Form {
 public:
  explicit TForm3(ui::Application& app);

  void SetHost(ui::DialogHost* host, ui::Form* taskbarButton) {
    host_ = host;
    taskbarButton_ = taskbarButton;
  }

  ui::Panel Panel1{this, "Panel1"};
  ui::Label Label1{&Panel1, "Label1"};
  ui::Button Button1{&Panel1, "Button1"};
  ui::Memo Memo1{this, "Memo1"};

  void Button1Click();
  void KeyPress(char key);
  void FormClose();

 private:
  ui::DialogHost* host_ = nullptr;
  ui::Form* taskbarButton_ = nullptr;
};

// The main window's "&Licence": disables the main window, shows the licence.
void OpenLicence(TForm3& licence, ui::Form& mainWindow);

}  // namespace nimbul::dialogs

// The list colours dialog: background and text colour of both window lists,
// with a live preview.
#pragma once
#include "platform/color_dialog.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace nimbul::shell {

// What the dialog needs of the main window.
class ColorsHost {
 public:
  virtual ~ColorsHost() = default;
  // The window that is disabled while the dialog is open.
  virtual ui::Form& HostForm() = 0;
  // Both lists take the colour at once.
  virtual void SetGridBackground(ui::Color c) = 0;
  virtual void SetGridTextColor(ui::Color c) = 0;
};

class TForm8 : public ui::Form {
 public:
  explicit TForm8(ui::Application& app);

  void SetHost(ColorsHost* host) { host_ = host; }

  ui::PageControl PageControl1{this, "PageControl1"};
  ui::TabSheet TabSheet1{&PageControl1, "TabSheet1"};
  ui::Label Label1{&TabSheet1, "Label1"};
  ui::Label Label2{&TabSheet1, "Label2"};
  ui::Panel Panel1{&TabSheet1, "Panel1"};
  ui::Button BitBtn1{&TabSheet1, "BitBtn1"};
  ui::TabSheet TabSheet2{&PageControl1, "TabSheet2"};
  ui::Label Label3{&TabSheet2, "Label3"};
  ui::Label Label4{&TabSheet2, "Label4"};
  ui::Panel Panel2{&TabSheet2, "Panel2"};
  ui::Button BitBtn2{&TabSheet2, "BitBtn2"};
  ui::Button Button3{this, "Button3"};
  ui::Button Button1{this, "Button1"};
  // The colour dialog's custom colours, kept for the run.
  platform::CustomColors ColorDialog1Custom{};

  void FormCreate();
  void Panel1Click();
  void Panel2Click();
  void BitBtn1Click();
  void BitBtn2Click();
  void Button3Click();
  void Button1Click();
  void Button3KeyPress(char key);
  void FormClose();
  void SaveGridColors();

 private:
  // Opens the colour dialog on a panel's colour; true when the panel took a new one.
  bool PickInto(ui::Panel& panel);
  ColorsHost* host_ = nullptr;
};

// The main window's "&Colors": disables the main window, shows the dialog.
void OpenColorsDialog(TForm8& dialog, ui::Form& mainWindow);

}  // namespace nimbul::shell

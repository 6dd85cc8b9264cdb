// The list colours dialog: background and text colour of both window lists,
// with a live preview.
#pragma once
#include <array>

#include "platform/color_dialog.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/program_host.h"
#include "ui/string_grid.h"

namespace nimbul::windows {

class TForm8 : public ui::Form {
 public:
  explicit TForm8(ui::Application& app);

  // `host` is disabled while the dialog is open; the two window lists take
  // the colours as the user picks them.
  void SetHost(ui::DialogHost* host, ui::StringGrid* visibleList, ui::StringGrid* hiddenList) {
    host_ = host;
    lists_ = {visibleList, hiddenList};
  }

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
  // Both lists take the colour at once.
  void SetGridBackground(ui::Color c);
  void SetGridTextColor(ui::Color c);
  ui::DialogHost* host_ = nullptr;
  std::array<ui::StringGrid*, 2> lists_{};
};

// The main window's "&Colors": disables the main window, shows the dialog.
void OpenColorsDialog(TForm8& dialog, ui::Form& mainWindow);

}  // namespace nimbul::windows

// The About box: picture, version and date, a thanks line typed out letter by
// letter, and two key codes typed on its button.
#pragma once
#include <string>
#include <vector>

#include "dialogs/about_text.h"
#include "dialogs/credits_window.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/program_host.h"
#include "ui/timer.h"

namespace nimbul::dialogs {

// The resource that holds the About picture (a JPEG file).
inline constexpr const char* kAboutPicture = "ABOUTPICTURE";

class TForm2 : public ui::Form {
 public:
  explicit TForm2(ui::Application& app);

  void SetHost(ui::DialogHost* host, TForm7* credits) {
    host_ = host;
    credits_ = credits;
  }

  ui::Panel Panel1{this, "Panel1"};
  ui::Image Image1{&Panel1, "Image1"};
  ui::Label Label1{&Panel1, "Label1"};
  ui::Label Label4{&Panel1, "Label4"};
  ui::Label Label5{&Panel1, "Label5"};
  ui::Memo Memo1{&Panel1, "Memo1"};
  ui::Label Label2{this, "Label2"};
  ui::Label Label3{this, "Label3"};
  ui::Button BitBtn1{this, "BitBtn1"};
  ui::Timer Timer1;

  // Kept for the whole run.
  ThanksTyping Thanks;
  std::string TypedKeys;

  void FormCreate();
  void FormShow();
  void FormHide();
  void FormClose();
  void Button1Click();
  void BitBtn1KeyPress(char key);
  void Timer1Timer();

 private:
  std::vector<std::string> thanksLines_;
  ui::DialogHost* host_ = nullptr;
  TForm7* credits_ = nullptr;
  bool pictureLoaded_ = false;
};

// Flips the stored "Strg_alt_entf" and tells the user the new state.
void ToggleSystemHotkeyFunction(ui::Application& app);

// The main window's "About Nimbulon": shows the box, then disables the main window.
void OpenAboutBox(TForm2& about, ui::Form& mainWindow);

}  // namespace nimbul::dialogs

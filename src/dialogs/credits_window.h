// The credits window: the names of those the program thanks, one after another.
#pragma once
#include <string>
#include <vector>

#include "ui/application.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/program_host.h"
#include "ui/timer.h"

namespace nimbul::dialogs {

// The resource that holds the credits background (a JPEG file).
inline constexpr const char* kCreditsPicture = "CREDITSPICTURE";

class TForm7 : public ui::Form {
 public:
  explicit TForm7(ui::Application& app);

  void SetHost(ui::DialogHost* host) { host_ = host; }

  ui::Image Image1{this, "Image1"};
  ui::Panel Panel2{this, "Panel2"};
  ui::Memo Memo1{this, "Memo1"};
  ui::Timer Timer1;

  int CreditsIndex = 0;

  void FormCreate();
  void FormShow();
  void FormClose();
  void FormKeyPress(char key);
  void Timer1Timer();
  // Shows the window and starts the name cycle (it is never stopped).
  void ShowAndStart();

  const std::vector<std::string>& Names() const { return names_; }

 private:
  std::vector<std::string> names_;
  ui::DialogHost* host_ = nullptr;
  bool pictureLoaded_ = false;
};

}  // namespace nimbul::dialogs

// The icon extractor: the shell's small icon of any file, saved as an icon
// file into the icon folder.
#pragma once
#include <string>

#include "platform/icons.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace nimbul::shell {

class TForm6 : public ui::Form {
 public:
  explicit TForm6(ui::Application& app);

  // The window that is disabled while the extractor is open (the chooser).
  void SetOpener(ui::Form* opener) { opener_ = opener; }

  ui::Panel Panel1;
  ui::IconImage Image1;
  ui::Button SpeedButton1, SpeedButton2, SpeedButton3;

  void SpeedButton1Click();
  void SpeedButton2Click();
  void SpeedButton3Click();
  void FormClose();

 private:
  platform::IconOwner preview_;
  ui::Form* opener_ = nullptr;
};

}  // namespace nimbul::shell

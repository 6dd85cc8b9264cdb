// The taskbar substitute: one button at the bottom left of the screen that
// brings the program and the taskbar back while the taskbar is hidden.
#pragma once
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace nimbul::shell {

// What the button needs of the main window: coming back, and its taskbar switch.
class TaskbarButtonHost {
 public:
  virtual ~TaskbarButtonHost() = default;
  virtual void RestoreFromTray() = 0;
  virtual void HideTaskbar1Click() = 0;
};

class TForm4 : public ui::Form {
 public:
  explicit TForm4(ui::Application& app);
  void SetHost(TaskbarButtonHost* host) { host_ = host; }

  ui::Button SpeedButton1;

  void FormShow();
  void Button1Click();

 private:
  TaskbarButtonHost* host_ = nullptr;
};

}  // namespace nimbul::shell

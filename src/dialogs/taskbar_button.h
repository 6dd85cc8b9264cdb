// The taskbar substitute: one button that brings the program back while the taskbar is hidden.
#pragma once
#include "ui/application.h"
#include "ui/form.h"

namespace nimbul::dialogs {

class TForm4 : public ui::Form {
 public:
  explicit TForm4(ui::Application& app) : ui::Form(app, "Form4") {
    SetCaption("Nimbulon");
    SetBorder(ui::BorderStyle::None);
    SetPosition(ui::FormPosition::ScreenCenter);
    SetClientSize(113, 26);
  }
};

}  // namespace nimbul::dialogs

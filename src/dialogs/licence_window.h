// The licence window.
#pragma once
#include "ui/application.h"
#include "ui/form.h"

namespace nimbul::dialogs {

class TForm3 : public ui::Form {
 public:
  explicit TForm3(ui::Application& app) : ui::Form(app, "Form3") {
    SetCaption("Nimbulon");
    SetBorder(ui::BorderStyle::Dialog);
    SetPosition(ui::FormPosition::ScreenCenter);
    SetClientSize(375, 189);
  }
};

}  // namespace nimbul::dialogs

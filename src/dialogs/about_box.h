// The About box.
#pragma once
#include "ui/application.h"
#include "ui/form.h"

namespace nimbul::dialogs {

class TForm2 : public ui::Form {
 public:
  explicit TForm2(ui::Application& app) : ui::Form(app, "Form2") {
    SetCaption("Nimbulon");
    SetBorder(ui::BorderStyle::Dialog);
    SetPosition(ui::FormPosition::ScreenCenter);
    SetClientSize(364, 281);
  }
};

}  // namespace nimbul::dialogs

// The tray icon chooser.
#pragma once
#include "ui/application.h"
#include "ui/form.h"

namespace nimbul::shell {

class TForm5 : public ui::Form {
 public:
  explicit TForm5(ui::Application& app) : ui::Form(app, "Form5") {
    SetCaption("Nimbulon");
    SetBorder(ui::BorderStyle::Dialog);
    SetPosition(ui::FormPosition::ScreenCenter);
    SetClientSize(299, 307);
  }
};

}  // namespace nimbul::shell

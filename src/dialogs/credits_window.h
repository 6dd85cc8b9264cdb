// The credits window: the names of those the program thanks.
#pragma once
#include "ui/application.h"
#include "ui/form.h"

namespace nimbul::dialogs {

class TForm7 : public ui::Form {
 public:
  explicit TForm7(ui::Application& app) : ui::Form(app, "Form7") {
    SetCaption("Nimbulon");
    SetBorder(ui::BorderStyle::ToolWindow);
    SetPosition(ui::FormPosition::ScreenCenter);
    SetClientSize(135, 40);
  }
};

}  // namespace nimbul::dialogs

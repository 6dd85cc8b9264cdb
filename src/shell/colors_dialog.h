// The list colours dialog.
#pragma once
#include "ui/application.h"
#include "ui/form.h"

namespace nimbul::shell {

class TForm8 : public ui::Form {
 public:
  explicit TForm8(ui::Application& app) : ui::Form(app, "Form8") {
    SetCaption("Colors");
    SetBorder(ui::BorderStyle::ToolWindow);
    SetPosition(ui::FormPosition::ScreenCenter);
    SetClientSize(170, 185);
  }
};

}  // namespace nimbul::shell

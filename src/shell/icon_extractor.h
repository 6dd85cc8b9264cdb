// The icon extractor.
#pragma once
#include "ui/application.h"
#include "ui/form.h"

namespace nimbul::shell {

class TForm6 : public ui::Form {
 public:
  explicit TForm6(ui::Application& app) : ui::Form(app, "Form6") {
    SetCaption("Nimbulon");
    SetBorder(ui::BorderStyle::ToolWindow);
    SetPosition(ui::FormPosition::ScreenCenter);
    SetClientSize(135, 40);
  }
};

}  // namespace nimbul::shell

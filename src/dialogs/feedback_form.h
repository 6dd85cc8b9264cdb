// The feedback form.
#pragma once
#include "ui/application.h"
#include "ui/form.h"

namespace nimbul::dialogs {

class TfrmEMail : public ui::Form {
 public:
  explicit TfrmEMail(ui::Application& app) : ui::Form(app, "frmEMail") {
    SetCaption("Your opinion is important for us.");
    SetBorder(ui::BorderStyle::ToolWindow);
    SetPosition(ui::FormPosition::ScreenCenter);
    SetClientSize(335, 121);
  }
};

}  // namespace nimbul::dialogs

// The update window.
#pragma once
#include "ui/application.h"
#include "ui/form.h"

namespace nimbul::update {

class TfrmUpdate : public ui::Form {
 public:
  explicit TfrmUpdate(ui::Application& app) : ui::Form(app, "frmUpdate") {
    SetCaption("Nimbulon");
    SetBorder(ui::BorderStyle::ToolWindow);
    SetPosition(ui::FormPosition::ScreenCenter);
    SetClientSize(346, 132);
  }
};

}  // namespace nimbul::update
